// Fuzz target of SplitSense on its own: any segment splits into trimmed parts taken from it
// in order, and a well-formed segment "(" label ") " target gives back exactly its parts.
#include "FuzzCheck.h"
#include "access/SenseList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvara {
namespace {

bool trimmed(std::string_view s)
{
    constexpr std::string_view cut = " ()";
    return s.empty() || (cut.find(s.front()) == std::string_view::npos &&
                         cut.find(s.back()) == std::string_view::npos);
}

// The text without parentheses and without blanks at its ends: what a label or translation
// of the sense list can be.
std::string clean(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c != '(' && c != ')')
            out.push_back(c);
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const Sense sense = SplitSense(text);
    require(trimmed(sense.label) && trimmed(sense.target));
    const std::size_t close = text.find(')');
    if (close == std::string_view::npos) {
        require(sense.label.empty());
    } else {
        // The label comes from up to the character after the first ")", the target from the
        // rest, in that order and without overlap.
        const std::size_t labelEnd = std::min(close + 2, text.size());
        require(text.substr(0, labelEnd).find(sense.label) != std::string_view::npos);
        require(text.substr(labelEnd).find(sense.target) != std::string_view::npos);
    }

    // The first zero byte separates a label from a translation; as the engine writes them
    // they come back whole.
    const std::size_t nul = text.find('\0');
    const std::string label = clean(text.substr(0, nul));
    const std::string target =
        nul == std::string_view::npos ? std::string() : clean(text.substr(nul + 1));
    const Sense built = SplitSense("(" + label + ") " + target);
    require(built.label == label);
    require(built.target == target);
    return 0;
}

} // namespace
} // namespace kelvara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return kelvara::fuzzOne(data, size);
}

// Fuzz target of code-page decoding: any bytes decode in both code pages without a fault,
// what decodes cleanly encodes back to the same bytes, and a cut never splits a character.
#include "platform/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kelvara {
namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int codePage : {kCodePageGbk, kCodePageBig5}) {
        const std::u16string text = DecodeCodePage(bytes, codePage);
        // Each character, or each replacement, stands for one or two bytes.
        require(text.size() <= bytes.size());
        require(2 * text.size() >= bytes.size());

        bool usedDefault = true;
        const std::string back = EncodeCodePage(text, codePage, &usedDefault);
        // U+FFFD has no form in either code page, so it always falls back to '?'.
        const bool clean = text.find(u'\uFFFD') == std::u16string::npos;
        require(usedDefault == !clean);
        // Big5's few twin codes come back as their canonical twin, so compare texts there.
        if (clean)
            require(DecodeCodePage(back, codePage) == text);

        for (std::size_t max :
             {std::size_t{0}, std::size_t{1}, size / 2, std::size_t{127}, std::size_t{255}}) {
            const std::size_t n = CutLength(bytes, max, codePage);
            require(n <= max || n == bytes.size());
            require(n <= bytes.size());
            // The cut ends on a character boundary: what precedes it decodes as the same
            // characters as the start of the whole text.
            const std::u16string head = DecodeCodePage(bytes.substr(0, n), codePage);
            if (clean)
                require(text.compare(0, head.size(), head) == 0);
        }
    }
    return 0;
}

} // namespace
} // namespace kelvara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return kelvara::fuzzOne(data, size);
}

// The C-E engine's sense-list text: the Find split, the segment split and the save's
// delete-and-add-back plan must take any text the engine may hand back.
#include "access/SenseList.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool trimmed(std::string_view s, std::string_view cut)
{
    return s.empty() || (cut.find(s.front()) == std::string_view::npos &&
                         cut.find(s.back()) == std::string_view::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Find: every row's target is trimmed of blanks, and a row exists only for a ")".
    std::size_t closers = 0;
    for (char c : text)
        closers += c == ')';
    const auto rows = kelvara::SplitSenseList(text);
    check(rows.size() <= closers);
    for (const auto& row : rows)
        check(trimmed(row.target, " "));

    // One segment: both parts lose blanks and parentheses at their ends.
    const kelvara::Sense sense = kelvara::SplitSense(text);
    check(trimmed(sense.label, " ()"));
    check(trimmed(sense.target, " ()"));

    // The save's plan: a safe plan writes back only senses that Find shows for the text.
    const std::string_view label = rows.empty() ? std::string_view("noun") : rows.front().label;
    const auto plan = kelvara::PlanCeRewrite(
        text, label, [](std::string_view) { return false; }, std::nullopt);
    if (plan.found && plan.safe) {
        for (const auto& kept : plan.keep) {
            bool shown = false;
            for (const auto& row : rows)
                shown = shown || row == kept;
            check(shown);
        }
    }
    return 0;
}

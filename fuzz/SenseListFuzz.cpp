// The C-E engine's sense-list text: the Find split, the segment split and the save's
// delete-and-add-back plan must take any text the engine may hand back.
#include "access/CeSavePlan.h"
#include "access/SenseList.h"
#include "platform/CodePage.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kelvara {
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

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Find: every row's target is trimmed of blanks, and a row exists only for a ")".
    std::size_t closers = 0;
    for (char c : text)
        closers += c == ')';
    const auto rows = SplitSenseList(text);
    check(rows.size() <= closers);
    for (const auto& row : rows)
        check(trimmed(row.target, " "));

    // One segment: both parts lose blanks and parentheses at their ends.
    const Sense sense = SplitSense(text);
    check(trimmed(sense.label, " ()"));
    check(trimmed(sense.target, " ()"));

    // A sense list the save reads one way is exactly its senses, one Find row each (the
    // last first), and a plan that removes one of them keeps every other byte for byte.
    const auto stored = ReadStoredSenses(text, kCodePageGbk);
    if (stored) {
        std::string joined;
        for (const auto& s : *stored)
            joined += s.text;
        check(joined == text);
        check(rows.size() == stored->size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            check(rows[i].label == (*stored)[stored->size() - 1 - i].label);
        if (!stored->empty()) {
            const auto& victim = (*stored)[size % stored->size()];
            const auto plan =
                PlanCeWordSave(text, {CeRowEdit{'D', victim.label, "", victim.text}}, kCodePageGbk);
            check(plan.writable && plan.deleteFirst && plan.kept.size() + 1 == stored->size());
            // Identical senses are one identity: the first of them is the one removed.
            std::string rest;
            bool removed = false;
            for (const auto& s : *stored) {
                if (!removed && s.text == victim.text)
                    removed = true;
                else
                    rest += s.text;
            }
            check(plan.expectedPrefix == rest);
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

#include "access/CeSavePlan.h"

#include "lang/PartOfSpeech.h"
#include "platform/FixedBuffer.h"

#include <algorithm>
#include <array>

namespace kelvara {

namespace {

constexpr std::array<std::string_view, 6> kEngineWords = {"noun", "vt", "vi", "adj", "adv", "prep"};

// The engine word a label stands for, or nothing when the label is none of the known ones.
std::optional<std::string> engineWordOf(std::string_view label, int codePage)
{
    Buffer16 word;
    if (!word.assign(label))
        return std::nullopt;
    PosLabelToEngineWord(word, codePage);
    const std::string_view result = word.view();
    if (std::find(kEngineWords.begin(), kEngineWords.end(), result) == kEngineWords.end())
        return std::nullopt;
    return std::string(result);
}

// Splits at every "(" (GBK and Big5 trail bytes are 0x40 and above, so a "(" byte is always a
// character of its own). Text before the first "(" is a piece of its own.
std::vector<std::string_view> piecesAtParentheses(std::string_view text)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '(')
            continue;
        if (i > start)
            pieces.push_back(text.substr(start, i - start));
        start = i;
    }
    return pieces;
}

// "(" label ") " translation, the label without parentheses: the shape the engine writes.
std::optional<StoredSense> readPiece(std::string_view piece)
{
    if (piece.size() < 3 || piece.front() != '(')
        return std::nullopt;
    const std::size_t close = piece.find(')');
    if (close == std::string_view::npos || close == 1 || close + 1 >= piece.size() ||
        piece[close + 1] != ' ')
        return std::nullopt;
    return StoredSense{std::string(piece.substr(1, close - 1)),
                       std::string(piece.substr(close + 2)), std::string(piece)};
}

} // namespace

bool SameCeLabel(std::string_view a, std::string_view b, int codePage)
{
    if (a == b)
        return true;
    const auto wordA = engineWordOf(a, codePage);
    return wordA && wordA == engineWordOf(b, codePage);
}

std::optional<std::vector<StoredSense>> ReadStoredSenses(std::string_view senseList, int codePage)
{
    std::vector<StoredSense> senses;
    const std::vector<std::string_view> pieces = piecesAtParentheses(senseList);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::optional<StoredSense> sense = readPiece(pieces[i]);
        if (!sense || sense->translation.empty() ||
            sense->translation.find(')') != std::string::npos ||
            !engineWordOf(sense->label, codePage))
            return std::nullopt;
        // A blank before the next "(" is how a translation holding "(...)" would look.
        if (i + 1 < pieces.size() && sense->translation.back() == ' ')
            return std::nullopt;
        senses.push_back(std::move(*sense));
    }
    return senses;
}

CeWordPlan PlanCeWordSave(std::string_view storedSenseList, const std::vector<CeRowEdit>& edits,
                          int codePage)
{
    CeWordPlan plan;
    const bool removes =
        std::any_of(edits.begin(), edits.end(), [](const CeRowEdit& e) { return e.mark != 'A'; });
    for (std::size_t i = 0; i < edits.size(); ++i)
        if (edits[i].mark != 'D')
            plan.adds.push_back(i);
    plan.expectedPrefix = std::string(storedSenseList);
    if (!removes)
        return plan; // appending never touches what is stored

    // A row that does not know which stored sense it shows cannot name one to remove.
    const bool unknownOrigin = std::any_of(edits.begin(), edits.end(), [](const CeRowEdit& e) {
        return e.mark != 'A' && e.origin.empty();
    });
    const std::optional<std::vector<StoredSense>> stored =
        ReadStoredSenses(storedSenseList, codePage);
    if (!stored || unknownOrigin) {
        plan.writable = false;
        return plan;
    }
    std::vector<bool> removed(stored->size(), false);
    for (const CeRowEdit& edit : edits) {
        if (edit.mark == 'A')
            continue;
        const auto at = std::find_if(stored->begin(), stored->end(),
                                     [&](const StoredSense& s) { return s.text == edit.origin; });
        if (at == stored->end()) {
            // A deletion of a sense that is gone is done; a modification of one would have to
            // guess what to replace.
            if (edit.mark == 'M') {
                plan.writable = false;
                return plan;
            }
            continue;
        }
        removed[static_cast<std::size_t>(at - stored->begin())] = true;
    }
    if (std::none_of(removed.begin(), removed.end(), [](bool r) { return r; }))
        return plan;

    plan.deleteFirst = true;
    plan.expectedPrefix.clear();
    for (std::size_t i = 0; i < stored->size(); ++i) {
        if (removed[i])
            continue;
        plan.kept.push_back((*stored)[i]);
        plan.expectedPrefix += (*stored)[i].text;
    }
    return plan;
}

std::string FindSense(std::string_view senseList, std::string_view label,
                      std::string_view translation, int codePage)
{
    for (const std::string_view piece : piecesAtParentheses(senseList)) {
        const std::optional<StoredSense> sense = readPiece(piece);
        if (sense && sense->translation == translation &&
            SameCeLabel(sense->label, label, codePage))
            return sense->text;
    }
    return {};
}

std::optional<std::vector<StoredSense>> ReadAppendedSenses(std::string_view senseList,
                                                           std::string_view expectedPrefix)
{
    if (!senseList.starts_with(expectedPrefix))
        return std::nullopt;
    std::vector<StoredSense> senses;
    for (const std::string_view piece :
         piecesAtParentheses(senseList.substr(expectedPrefix.size()))) {
        std::optional<StoredSense> sense = readPiece(piece);
        if (!sense)
            return std::nullopt;
        senses.push_back(std::move(*sense));
    }
    return senses;
}

} // namespace kelvara

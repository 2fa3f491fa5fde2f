#include "access/SenseList.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace kelvara {

namespace {

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool isTrimmedBySplit(char c)
{
    return c == ' ' || c == '(' || c == ')';
}

std::string_view trimForSplit(std::string_view s)
{
    while (!s.empty() && isTrimmedBySplit(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isTrimmedBySplit(s.back()))
        s.remove_suffix(1);
    return s;
}

// Double-byte characters of GBK and Big5 have trail bytes of 0x40 and above, so an ASCII
// parenthesis or blank found by a byte scan is always a character of its own.

// A segment that Find reads as exactly one row: it starts with "(" and holds one ")" and no
// further "(". Answers that row.
bool readAsOneRow(std::string_view segment, Sense& row)
{
    if (segment.empty() || segment.front() != '(')
        return false;
    const std::size_t close = segment.find(')');
    if (close == std::string_view::npos || segment.find(')', close + 1) != std::string_view::npos ||
        segment.find('(', 1) != std::string_view::npos)
        return false;
    row.label = std::string(segment.substr(1, close - 1));
    row.target = std::string(trimBlanks(segment.substr(close + 1)));
    return true;
}

// Where the segments carrying the row's label begin: the exact "(" label ")" first, then
// an equivalent label.
std::vector<std::size_t> findRowSegments(std::string_view stored, std::string_view label,
                                         const std::function<bool(std::string_view)>& sameLabel)
{
    std::vector<std::size_t> starts;
    const std::string exact = "(" + std::string(label) + ")";
    for (std::size_t at = stored.find(exact); at != std::string_view::npos;
         at = stored.find(exact, at + 1))
        starts.push_back(at);
    if (!starts.empty() || !sameLabel)
        return starts;
    for (std::size_t open = stored.find('('); open != std::string_view::npos;
         open = stored.find('(', open + 1)) {
        const std::size_t close = stored.find(')', open + 1);
        if (close == std::string_view::npos)
            break;
        const std::string_view candidate = stored.substr(open + 1, close - open - 1);
        if (candidate.find('(') == std::string_view::npos && sameLabel(candidate))
            starts.push_back(open);
    }
    return starts;
}

// One past the end of the segment that begins at start: the next "(" or the end.
std::size_t segmentEndAt(std::string_view stored, std::size_t start)
{
    const std::size_t next = stored.find('(', start + 1);
    return next == std::string_view::npos ? stored.size() : next;
}

} // namespace

std::vector<Sense> SplitSenseList(std::string_view text)
{
    std::vector<Sense> rows;
    std::size_t end = text.size(); // one past the current segment's last character
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] != '(')
            continue;
        const std::string_view segment = text.substr(i, end - i);
        for (std::size_t j = 1; j < segment.size(); ++j) {
            if (segment[j] != ')')
                continue;
            rows.push_back({std::string(segment.substr(1, j - 1)),
                            std::string(trimBlanks(segment.substr(j + 1)))});
        }
        end = i;
    }
    return rows;
}

Sense SplitSense(std::string_view segment)
{
    const std::size_t close = segment.find(')');
    if (close == std::string_view::npos)
        return {std::string(), std::string(trimForSplit(segment))};
    const std::size_t labelLength = std::min(close + 2, segment.size());
    return {std::string(trimForSplit(segment.substr(0, labelLength))),
            std::string(trimForSplit(segment.substr(labelLength)))};
}

bool IsStorableCeText(std::string_view text)
{
    return text.find_first_of("()") == std::string_view::npos;
}

bool IsStorableCeWord(std::string_view word)
{
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto byte = static_cast<unsigned char>(word[i]);
        if (IsLeadByte(byte, kCodePageGbk) && i + 1 < word.size())
            ++i; // GBK and Big5 share the lead-byte range
        else if (byte == '\\')
            return false;
    }
    return true;
}

CeRewritePlan PlanCeRewrite(std::string_view stored, std::string_view label,
                            const std::function<bool(std::string_view)>& sameLabel,
                            std::optional<std::string_view> target)
{
    CeRewritePlan plan;
    const std::vector<std::size_t> starts = findRowSegments(stored, label, sameLabel);
    if (starts.empty())
        return plan;
    plan.found = true;

    std::size_t start = starts.front();
    if (starts.size() > 1) {
        // Several senses carry the label: only the row's own translation tells which it is.
        plan.safe = false;
        for (const std::size_t candidate : starts) {
            Sense shown;
            const std::string_view segment =
                stored.substr(candidate, segmentEndAt(stored, candidate) - candidate);
            if (target && readAsOneRow(trimBlanks(segment), shown) && shown.target == *target) {
                start = candidate;
                plan.safe = true;
                break;
            }
        }
    }

    const std::size_t segmentEnd = segmentEndAt(stored, start);
    Sense own;
    if (!readAsOneRow(trimBlanks(stored.substr(start, segmentEnd - start)), own))
        plan.safe = false;

    std::string rest = std::string(stored.substr(0, start)) + std::string(stored.substr(segmentEnd));
    std::size_t lead = 0;
    while (lead < rest.size() && (rest[lead] == ' ' || rest[lead] == ')'))
        ++lead;
    rest.erase(0, lead);
    if (rest.size() < 2)
        return plan;

    // Cut before every "(" after the first character; each piece is one sense to add back.
    std::size_t pieceStart = 0;
    for (std::size_t i = 1; i <= rest.size(); ++i) {
        if (i < rest.size() && rest[i] != '(')
            continue;
        const std::string_view piece = std::string_view(rest).substr(pieceStart, i - pieceStart);
        const Sense written = SplitSense(piece);
        Sense shown;
        if (!readAsOneRow(trimBlanks(piece), shown) || !(shown == written))
            plan.safe = false;
        plan.keep.push_back(written);
        pieceStart = i;
    }
    return plan;
}

} // namespace kelvara

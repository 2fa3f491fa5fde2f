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

} // namespace kelvara

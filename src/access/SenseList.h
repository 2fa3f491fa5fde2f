#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

/// One sense of a C-E word as the grid shows it: part-of-speech label and translation.
struct Sense
{
    std::string label;
    std::string target;
    bool operator==(const Sense&) const = default;
};

/// Splits the C-E engine's sense list into grid rows the way Find reads it: the last
/// segment first, one row per ")" of a segment, text before the first "(" ignored.
std::vector<Sense> SplitSenseList(std::string_view text);

/// Splits one segment "(" label ") " translation into its two parts. The label takes the
/// character after the first ")" too, so a translation not preceded by exactly one blank
/// loses its first character to the label; blanks and parentheses are trimmed off both.
/// A segment without any ")" gives an empty label and the trimmed segment as translation.
Sense SplitSense(std::string_view segment);

/// True when a C-E translation can be stored and read back as one sense: the sense list
/// cannot carry an ASCII "(" or ")" inside a translation.
bool IsStorableCeText(std::string_view text);

/// True when a C-E word can be stored and exported: the engine's export line separates its
/// fields with a backslash, so a word cannot hold a single-byte backslash (a trail byte 0x5C
/// of a double-byte character is part of that character and allowed).
bool IsStorableCeWord(std::string_view word);

} // namespace kelvara

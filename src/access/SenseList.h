#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

/// One sense of a C-E word as the grid shows it: part-of-speech label and translation.
struct Sense {
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

/// What a C-E save must do for one row against the word's stored sense list.
struct CeRewritePlan {
    bool found = false; ///< the stored text holds a sense with the row's label
    /// Every other sense would be written back exactly as Find shows it; when false the
    /// word must not be deleted, or senses would be lost or rewritten.
    bool safe = true;
    std::vector<Sense> keep; ///< the other senses, in stored order, to add back after the delete
};

/// Plans the delete-and-add-back of a C-E save. The row's sense is the segment at the
/// occurrence of "(" + label + ")"; when there is none, the segment whose label sameLabel
/// accepts (the same part of speech in another language) stands for it. When several
/// segments carry the label, the one whose translation equals target is meant; without a
/// target, or with none equal, the plan is unsafe: another sense could be replaced.
CeRewritePlan PlanCeRewrite(std::string_view stored, std::string_view label,
                            const std::function<bool(std::string_view)>& sameLabel,
                            std::optional<std::string_view> target = std::nullopt);

} // namespace kelvara

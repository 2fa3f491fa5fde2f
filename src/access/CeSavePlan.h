#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

/// One sense of a C-E word exactly as the engine's sense list holds it.
struct StoredSense
{
    std::string label;       ///< between the parentheses, as stored
    std::string translation; ///< every byte after the ") " up to the next sense
    std::string text;        ///< the whole segment: the sense's identity in the grid
    bool operator==(const StoredSense&) const = default;
};

/// Reads a sense list into its senses when the save can write each of them back byte for byte
/// and there is only one sensible reading: the text starts with "(", every "(" begins a sense
/// "(" label ") " translation, the label is one of the engine's part-of-speech labels, no
/// translation is empty or holds a parenthesis, and none but the last ends in a blank (a
/// translation "a (名词) b" stored by another program would otherwise read as two senses).
/// Nothing when the text cannot be read so; an empty text has no senses.
std::optional<std::vector<StoredSense>> ReadStoredSenses(std::string_view senseList, int codePage);

/// The sense one grid row asks the save to write, for one word.
struct CeRowEdit
{
    char mark = 'A';    ///< 'A', 'M' or 'D'
    std::string label;  ///< as the grid shows it
    std::string target; ///< as the grid shows it
    std::string origin; ///< the stored sense the row was found as (StoredSense::text); "" if none
};

/// What a save writes for one word, from the word's stored sense list and its row edits.
struct CeWordPlan
{
    /// False when the word cannot be written exactly as the rows ask: its stored senses cannot
    /// be read back one way, a modified or deleted row does not know its stored sense, or a
    /// sense to modify is no longer stored. Nothing is written for the word then.
    bool writable = true;
    /// The word is deleted and `kept` added back before the rows' own senses.
    bool deleteFirst = false;
    std::vector<StoredSense> kept;
    /// Indexes into the edits whose own sense is added, in row order.
    std::vector<std::size_t> adds;
    /// What the sense list must begin with after the writes: the kept senses, or all of the
    /// stored text when nothing was deleted.
    std::string expectedPrefix;
};

/// Plans the save of one word. An "A" row only adds, so it never needs the stored senses
/// read; an "M" or "D" row removes exactly the stored sense it was found as, and the word is
/// then rewritten with every other stored sense kept byte for byte and in its order.
CeWordPlan PlanCeWordSave(std::string_view storedSenseList, const std::vector<CeRowEdit>& edits,
                          int codePage);

/// Whether two labels stand for the same engine part of speech ("Noun", "名词", "noun").
bool SameCeLabel(std::string_view a, std::string_view b, int codePage);

/// The segment of a sense list that holds the sense (label, translation) exactly, the label
/// compared by the part of speech it stands for; "" when none does. The engine keeps a sense
/// once, so an added sense it holds already is found here instead of at the end.
std::string FindSense(std::string_view senseList, std::string_view label,
                      std::string_view translation, int codePage);

/// The senses the writes appended after the expected prefix: the text after it split at every
/// "(" (the rows' own translations hold no parenthesis). Nothing when the text does not begin
/// with the prefix or a piece is not "(" label ") " translation.
std::optional<std::vector<StoredSense>> ReadAppendedSenses(std::string_view senseList,
                                                           std::string_view expectedPrefix);

} // namespace kelvara

#pragma once

#include "lang/Language.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kelvara {

/// What a caption entry sets on its control.
enum class CaptionProperty {
    Caption,     ///< the text of a menu item, action, label or button
    Hint,        ///< the hint (tool tip) of an action or control
    Title,       ///< the title of a form or dialog
    ColumnTitle, ///< the text of a cell of the grid's title row
    Filter       ///< a file dialog's filter, "description|pattern" pairs joined by '|'
};

/// One (control, property, text) entry of a caption table. The text is zero-terminated bytes
/// in the table's code page, exactly as the window system would have received it.
struct CaptionEntry
{
    const char* control;
    CaptionProperty property;
    const char* text;
    int column = 0; ///< the grid column of a ColumnTitle entry, else 0
};

/// A fixed list of caption entries, in the order they are applied, with the code page of
/// their texts (GBK for Simplified Chinese and English, Big5 for Traditional Chinese).
class CaptionTable
{
public:
    constexpr CaptionTable(std::span<const CaptionEntry> entries, int codePage)
        : m_entries(entries), m_codePage(codePage)
    {}

    std::span<const CaptionEntry> entries() const { return m_entries; }
    int codePage() const { return m_codePage; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }
    std::size_t size() const { return m_entries.size(); }

    /// The first entry for a control and property (and grid column), or null.
    const CaptionEntry* find(std::string_view control, CaptionProperty property,
                             int column = 0) const;
    /// An entry's text decoded from the table's code page.
    std::u16string text(const CaptionEntry& entry) const;
    /// The decoded text of the entry find() gives; empty when the table has none.
    std::u16string textOf(std::string_view control, CaptionProperty property, int column = 0) const;

private:
    std::span<const CaptionEntry> m_entries;
    int m_codePage;
};

/// A single text of the interface with its code page.
struct CaptionText
{
    const char* bytes;
    int codePage;
    std::u16string wide() const;
};

/// The names under which the forms' own titles appear in the tables.
inline constexpr const char* kMainFormName = "TCustomDictForm";
inline constexpr const char* kSaveFormName = "TSaveDlg";
inline constexpr const char* kColumnWidthFormName = "TColWidthDlg";
inline constexpr const char* kAboutFormName = "TAboutForm";

/// The caption set of the main window for a language, in the order it is applied.
CaptionTable MainWindowCaptions(InterfaceLanguage language);
/// The texts the main window's form declares (Simplified Chinese): every control starts with
/// them, and a caption set overrides only what it lists.
CaptionTable MainWindowFormTexts();

/// The save prompt's texts for a language, set on every show.
CaptionTable SaveDialogCaptions(InterfaceLanguage language);
/// The save prompt's own form texts, replaced on every show and never seen.
CaptionTable SaveDialogFormTexts();

/// The column-width dialog's texts for a language, set on every show.
CaptionTable ColumnWidthCaptions(InterfaceLanguage language);

/// The About box's texts, the same in every language.
CaptionTable AboutTexts();

} // namespace kelvara

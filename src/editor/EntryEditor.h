#pragma once

#include "lang/Language.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

/// Columns of the entry grid.
inline constexpr int kColMark = 0;
inline constexpr int kColSource = 1;
inline constexpr int kColPartOfSpeech = 2;
inline constexpr int kColTarget = 3;
inline constexpr int kColumnCount = 4;

/// Rows of the entry grid: the title row, then the data rows.
inline constexpr int kTitleRow = 0;
inline constexpr int kFirstDataRow = 1;
inline constexpr int kMinRowCount = 2;

/// Row marks (column 0). Marks compare as whole strings, case-sensitively.
inline constexpr std::string_view kMarkPlaceholder = "";
inline constexpr std::string_view kMarkStored = " ";
inline constexpr std::string_view kMarkAdded = "A";
inline constexpr std::string_view kMarkModified = "M";
inline constexpr std::string_view kMarkDeleted = "D";
inline constexpr std::string_view kMarkDropped = "d";
inline constexpr std::string_view kMarkFailed = "E";

/// The grid's editing mode.
enum class EditMode {
    Browsing, ///< lines, column sizing and Tab; no cell editing
    Editing,  ///< browsing plus the in-place editor on the current cell
};

/// One item of the part-of-speech list: what the drop-down shows, and the bytes (platform
/// code page) that picking it writes into a cell.
struct PartOfSpeechItem
{
    std::u16string label;
    std::string cellText;
};

/// Told about every change of the entry grid, so that a table model can follow the
/// insert/remove/reset protocol exactly. Each about-to call is followed by its done call.
class EntryEditorListener
{
public:
    virtual ~EntryEditorListener() = default;

    /// Before and after a change that replaces all rows at once.
    virtual void aboutToReset() {}
    virtual void resetDone() {}
    /// Before and after rows first..last (inclusive) are appended at the bottom.
    virtual void aboutToAppendRows(int first, int last) { (void)first, (void)last; }
    virtual void rowsAppended() {}
    /// Before and after rows first..last (inclusive) are removed.
    virtual void aboutToRemoveRows(int first, int last) { (void)first, (void)last; }
    virtual void rowsRemoved() {}
    /// Cells of the rectangle (inclusive) now hold other texts.
    virtual void cellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow)
    {
        (void)firstColumn, (void)firstRow, (void)lastColumn, (void)lastRow;
    }
    /// The current cell moved.
    virtual void currentCellChanged(int column, int row) { (void)column, (void)row; }
    /// The editing mode or the drop-down's visibility changed.
    virtual void modeChanged() {}
    /// The changed flag was set or cleared.
    virtual void changedFlagChanged(bool changed) { (void)changed; }
};

/// The entry grid's model: rows of four byte texts (platform code page) below a title row,
/// the row marks, the current cell and editing mode, the edit baseline, the changed flag
/// and the part-of-speech list, with the editing commands that drive them. It knows no
/// toolkit: a view shows it and turns user input into calls of its handlers.
class EntryEditor
{
public:
    using Row = std::array<std::string, kColumnCount>;

    /// An empty grid (the placeholder row) for the interface language and the platform
    /// code page (936 or 950).
    EntryEditor(InterfaceLanguage language, int codePage);

    InterfaceLanguage language() const { return m_language; }
    int codePage() const { return m_codePage; }

    void addListener(EntryEditorListener* listener);
    void removeListener(EntryEditorListener* listener);

    // ---- rows and cells

    /// Rows including the title row; never below 2.
    int rowCount() const { return static_cast<int>(m_rows.size()) + 1; }
    /// Data rows (row count less the title row).
    int dataRowCount() const { return static_cast<int>(m_rows.size()); }
    /// The text of a cell; the title row gives its titles in the platform code page, a cell
    /// outside the grid gives "".
    const std::string& cell(int column, int row) const;
    /// Sets a data cell's text (no mark or flag rule runs). Cells outside the data rows are
    /// ignored.
    void setCell(int column, int row, std::string text);
    /// The row mark (column 0) of a row.
    const std::string& mark(int row) const { return cell(kColMark, row); }
    void setMark(int row, std::string_view mark) { setCell(kColMark, row, std::string(mark)); }
    /// Which stored sense a row shows, in the words of the engine that stored it (for a C-E
    /// row the sense's segment of the sense list): a save names exactly that sense although
    /// the row's cells change. Empty for rows that were never stored. Not shown.
    const std::string& rowOrigin(int row) const;
    void setRowOrigin(int row, std::string origin);
    /// Whether the grid shows only the placeholder row (row count 2, empty mark in row 1).
    bool isPlaceholder() const;
    /// The number of data rows whose mark is exactly mark.
    int countRowsMarked(std::string_view mark) const;

    /// Titles of columns 1-3 as wide text; column 0 has none.
    void setTitles(std::u16string source, std::u16string partOfSpeech, std::u16string target);
    const std::u16string& title(int column) const;

    // ---- current cell, editing mode, drop-down

    int currentColumn() const { return m_column; }
    int currentRow() const { return m_row; }
    /// The mark of the current row.
    const std::string& currentMark() const { return mark(m_row); }
    /// Makes a data cell current (column 1-3, a data row); a fixed cell is refused. A move to
    /// another cell runs StringGridDictSelectCell first. Answers whether the cell is current.
    bool selectCell(int column, int row);
    /// Handler for a cell about to become current: back to browsing, drop-down hidden. The
    /// move is always allowed.
    bool StringGridDictSelectCell(int column, int row);

    EditMode mode() const { return m_mode; }
    void setMode(EditMode mode);
    /// Whether ComboBoxType is shown over the current part-of-speech cell.
    bool typeComboVisible() const { return m_comboVisible; }
    void hideTypeCombo();
    /// Ends any cell editing and hides the drop-down, leaving the current cell where it is.
    void endEditing();
    /// The drop-down's selected item, -1 when none.
    int typeComboIndex() const { return m_comboIndex; }

    // ---- edit baseline and changed flag

    const std::string& editBaseline() const { return m_baseline; }
    void setEditBaseline(std::string text) { m_baseline = std::move(text); }
    bool changed() const { return m_changed; }
    void setChanged(bool changed);

    // ---- part-of-speech list

    /// Fills the list for the kind in the interface language; the item index is the code.
    void FillPartOfSpeechList(DictionaryKind kind);
    DictionaryKind partOfSpeechKind() const { return m_kind; }
    const std::vector<PartOfSpeechItem>& partOfSpeechList() const { return m_posList; }
    /// The code of a label (a cell's bytes in the platform code page): its index in the
    /// list, -1 when absent. Compared as Unicode text, exactly.
    int partOfSpeechIndexOf(std::string_view label) const;

    // ---- row operations

    /// Puts one entry row into the grid: fills the placeholder row, or appends a row and
    /// makes it current. Under the English interface Chinese labels become English ones.
    void AddEntryRow(std::string_view mark, std::string_view source, std::string_view label,
                     std::string_view target, std::string_view origin = {});
    /// Puts many entry rows (mark, source, label, target) into the grid as AddEntryRow would
    /// one by one: the first fills the placeholder row, the English label rule applies, and
    /// the last appended row becomes current; listeners hear of one append for all of them.
    void AppendEntryRows(std::vector<Row> rows);
    /// Row count 2 with the four cells of row 1 emptied.
    void ResetToPlaceholder();
    /// Removes the rows marked "d"; the placeholder row when none is left.
    void CompactRows();
    /// Starts editing the current cell: the drop-down in the part-of-speech column, the
    /// in-place editor elsewhere; the cell's text becomes the edit baseline.
    void EditCurrentCell();
    /// Handler for each change the in-place editor makes: stores the text, then runs the
    /// mark and changed-flag rules against the edit baseline.
    void StringGridDictSetEditText(int column, int row, std::string_view text);
    /// Handler for a pick in the drop-down: writes the item's text into the current row's
    /// part-of-speech cell. Out-of-range indexes are ignored.
    void ComboBoxTypeChange(int index);
    /// Handler for a double-click on the grid: EditCurrentCell when Modify is available.
    void StringGridDictDblClick();
    /// Whether painting the cell must lay the drop-down over its cell again.
    bool StringGridDictDrawCell(int column, int row) const;

    // ---- commands

    /// Add's core steps: a new "A" row for the input text with the noun label, changed flag
    /// set. Answers false (and does nothing) for an empty input.
    bool MenuItemAddClick(std::string_view inputText);
    /// Modify: EditCurrentCell when available. Answers whether it ran.
    bool MenuItemModifyClick();
    /// Delete's core part on the current row. Answers false (nothing done) on a row whose
    /// mark does not allow it; the caller checks that a dictionary is open.
    bool MenuItemDeleteClick();

    /// Modify's availability from the current mark and column.
    bool modifyAvailable() const;
    /// Delete's availability.
    bool deleteAvailable(bool dictionaryOpen) const;

private:
    void notifyCells(int firstColumn, int firstRow, int lastColumn, int lastRow);
    void notifyMode();
    void moveCurrent(int column, int row);
    bool isDataCell(int column, int row) const;
    std::string cellTextOf(std::u16string_view label, std::string_view fallback) const;

    template <typename Call> void notify(Call call)
    {
        for (EntryEditorListener* listener : m_listeners)
            call(*listener);
    }

    InterfaceLanguage m_language;
    int m_codePage;
    std::vector<Row> m_rows;            // data rows; m_rows[0] is grid row 1
    std::vector<std::string> m_origins; // beside m_rows, one per data row
    std::array<std::u16string, kColumnCount> m_titles;
    std::array<std::string, kColumnCount> m_titleBytes;
    int m_column = kColSource;
    int m_row = kFirstDataRow;
    EditMode m_mode = EditMode::Browsing;
    bool m_comboVisible = false;
    int m_comboIndex = -1;
    std::string m_baseline;
    bool m_changed = false;
    DictionaryKind m_kind = DictionaryKind::EC;
    std::vector<PartOfSpeechItem> m_posList;
    std::vector<EntryEditorListener*> m_listeners;
};

} // namespace kelvara

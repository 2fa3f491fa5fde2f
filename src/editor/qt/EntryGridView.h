#pragma once

#include "editor/EntryEditor.h"
#include "editor/qt/EntryCellDelegate.h"

#include <QPersistentModelIndex>
#include <QTableView>

class QComboBox;

namespace kelvara {

class EntryTableModel;

/// The entry grid `StringGridDict` that the main window embeds in its panel: a table view
/// over an EntryEditor, with the part-of-speech drop-down `ComboBoxType` laid over the
/// current cell. Row 0 (titles) and column 0 (marks) never become current; the in-place
/// editor is open exactly while the editor is in editing mode. The window runs its
/// availability rules again whenever stateChanged is emitted.
class EntryGridView : public QTableView
{
    Q_OBJECT

public:
    /// Column widths at start, and the height of every row.
    static constexpr int kStartWidths[kColumnCount] = {12, 184, 68, 220};
    static constexpr int kRowHeight = 18;
    static constexpr int kComboWidth = 73;
    static constexpr int kComboOffset = 3;

    /// A grid over the editor as a child of the panel, which also receives the drop-down.
    EntryGridView(EntryEditor& editor, QWidget* panel);
    ~EntryGridView() override;

    EntryEditor& editor() const { return m_editor; }
    /// The drop-down `ComboBoxType`, a child of the panel.
    QComboBox* typeCombo() const { return m_combo; }

    /// The cell check of the open dictionary that the in-place editor applies from its next
    /// opening on, beside the code-page guard; an empty one applies none.
    void setCellCheck(CellCheck check);

    /// Fills the editor's part-of-speech list for the kind and the drop-down's items.
    void FillPartOfSpeechList(DictionaryKind kind);

    /// Add's grid steps for the input box text; false when it is empty or cannot be held by
    /// the platform code page (selecting the input box text stays the window's part).
    bool MenuItemAddClick(const QString& inputText);
    /// Modify: starts editing the current cell when the command is available.
    bool MenuItemModifyClick();
    /// Delete on the current row when the command is available.
    bool MenuItemDeleteClick(bool dictionaryOpen);

    /// Makes a data cell current through the grid's rules (program moves, e.g. Save's).
    bool StringGridDictSelectCell(int column, int row);
    /// Double-click: EditCurrentCell when Modify is available.
    void StringGridDictDblClick();
    /// Keeps the drop-down over its cell when the painted cell needs it.
    void StringGridDictDrawCell(int column, int row);
    /// Lays the drop-down over the current part-of-speech cell (+3 pixels, relative to the
    /// panel) and selects the cell's label, or no item.
    void PlaceTypeCombo();
    /// The user picked an item of the drop-down.
    void ComboBoxTypeChange(int index);

signals:
    /// The changed flag, the current cell, the current row's mark or the editing mode
    /// changed: command availability must be computed again.
    void stateChanged();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void followCurrentCell();
    void followCurrentCellSoon();
    void followMode();
    void fillComboItems();
    void closeCellEditor();
    void scheduleScrollToCurrent();
    void keepComboInPlace();
    int sizingColumnAt(const QPoint& pos) const;

    EntryEditor& m_editor;
    QWidget* m_panel;
    EntryTableModel* m_model;
    EntryCellDelegate* m_delegate;
    QComboBox* m_combo;
    QPersistentModelIndex m_editIndex;
    bool m_following = false;
    bool m_scrollPending = false;
    bool m_appending = false;
    bool m_followPending = false;
    int m_sizingColumn = -1;
    int m_sizingStartX = 0;
    int m_sizingStartWidth = 0;
};

} // namespace kelvara

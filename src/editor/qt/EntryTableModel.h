#pragma once

#include "editor/EntryEditor.h"

#include <QAbstractTableModel>

namespace kelvara {

/// Shows an EntryEditor to Qt's item views: row 0 is the title row, column 0 the mark
/// column, both neither selectable nor editable. It follows the editor's notifications with
/// the exact insert/remove/reset protocol, and turns an edit into StringGridDictSetEditText.
class EntryTableModel : public QAbstractTableModel, private EntryEditorListener
{
    Q_OBJECT

public:
    explicit EntryTableModel(EntryEditor& editor, QObject* parent = nullptr);
    ~EntryTableModel() override;

    EntryEditor& editor() const { return m_editor; }
    /// True while rows are being inserted, removed or replaced: a view's current index
    /// moves then by Qt's bookkeeping, not by the user.
    bool restructuring() const { return m_restructuring; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// Stores text typed into a data cell; text the platform code page cannot hold is
    /// refused (false) rather than stored with replacement characters.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Cell bytes (platform code page) as display text, and back; toBytes answers false
    /// when a character has no form in the code page.
    QString toDisplay(const std::string& bytes) const;
    bool toBytes(const QString& text, std::string& bytes) const;

signals:
    /// Re-emitted notifications of the editor that a view follows.
    void editorCurrentCellChanged(int column, int row);
    void editorModeChanged();
    void editorChangedFlagChanged(bool changed);
    void editorCellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow);
    void editorRowsReplaced();

private:
    void aboutToReset() override;
    void resetDone() override;
    void aboutToAppendRows(int first, int last) override;
    void rowsAppended() override;
    void aboutToRemoveRows(int first, int last) override;
    void rowsRemoved() override;
    void cellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow) override;
    void currentCellChanged(int column, int row) override;
    void modeChanged() override;
    void changedFlagChanged(bool changed) override;

    EntryEditor& m_editor;
    bool m_restructuring = false;
};

} // namespace kelvara

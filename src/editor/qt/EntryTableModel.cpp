#include "editor/qt/EntryTableModel.h"

#include "lang/WideText.h"
#include "platform/CodePage.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

namespace kelvara {

EntryTableModel::EntryTableModel(EntryEditor& editor, QObject* parent)
    : QAbstractTableModel(parent), m_editor(editor)
{
    m_editor.addListener(this);
}

EntryTableModel::~EntryTableModel()
{
    m_editor.removeListener(this);
}

int EntryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_editor.rowCount();
}

int EntryTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QString EntryTableModel::toDisplay(const std::string& bytes) const
{
    if (bytes.empty())
        return {};
    return QString::fromStdU16String(WideFromCodePage(bytes, m_editor.codePage()));
}

bool EntryTableModel::toBytes(const QString& text, std::string& bytes) const
{
    bool usedDefault = false;
    bytes = EncodeCodePage(text.toStdU16String(), m_editor.codePage(), &usedDefault);
    return !usedDefault;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.model() != this)
        return {};
    const int column = index.column();
    const int row = index.row();
    const bool fixed = row == kTitleRow || column == kColMark;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (row == kTitleRow)
            return QString::fromStdU16String(m_editor.title(column));
        return toDisplay(m_editor.cell(column, row));
    case Qt::ForegroundRole:
        // Fixed cells are not enabled items, yet they are drawn in black like the rest.
        return QBrush(Qt::black);
    case Qt::BackgroundRole:
        if (fixed)
            return QGuiApplication::palette().button();
        return {};
    default:
        return {};
    }
}

bool EntryTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    std::string bytes;
    if (!toBytes(value.toString(), bytes))
        return false;
    m_editor.StringGridDictSetEditText(index.column(), index.row(), bytes);
    return true;
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return Qt::NoItemFlags;
    if (index.row() == kTitleRow || index.column() == kColMark)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void EntryTableModel::aboutToReset()
{
    m_restructuring = true;
    beginResetModel();
}

void EntryTableModel::resetDone()
{
    endResetModel();
    m_restructuring = false;
    emit editorRowsReplaced();
}

void EntryTableModel::aboutToAppendRows(int first, int last)
{
    m_restructuring = true;
    beginInsertRows(QModelIndex(), first, last);
}

void EntryTableModel::rowsAppended()
{
    endInsertRows();
    m_restructuring = false;
}

void EntryTableModel::aboutToRemoveRows(int first, int last)
{
    m_restructuring = true;
    beginRemoveRows(QModelIndex(), first, last);
}

void EntryTableModel::rowsRemoved()
{
    endRemoveRows();
    m_restructuring = false;
}

void EntryTableModel::cellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    emit dataChanged(index(firstRow, firstColumn), index(lastRow, lastColumn),
                     {Qt::DisplayRole, Qt::EditRole});
    emit editorCellsChanged(firstColumn, firstRow, lastColumn, lastRow);
}

void EntryTableModel::currentCellChanged(int column, int row)
{
    emit editorCurrentCellChanged(column, row);
}

void EntryTableModel::modeChanged()
{
    emit editorModeChanged();
}

void EntryTableModel::changedFlagChanged(bool changed)
{
    emit editorChangedFlagChanged(changed);
}

} // namespace kelvara

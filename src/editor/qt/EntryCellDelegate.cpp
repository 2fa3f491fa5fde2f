#include "editor/qt/EntryCellDelegate.h"

#include "editor/qt/LineEditGuard.h"

#include <QLineEdit>
#include <QPersistentModelIndex>

namespace kelvara {

EntryCellDelegate::EntryCellDelegate(int codePage, InterfaceLanguage language, QObject* parent)
    : QStyledItemDelegate(parent), m_codePage(codePage), m_language(language)
{}

QWidget* EntryCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    (void)option;
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    CodePageValidator* guard = GuardLineEdit(edit, m_codePage, m_language);
    if (m_cellCheck) {
        const int column = index.column();
        guard->setTextCheck(
            [check = m_cellCheck, column](std::string_view bytes) { return check(column, bytes); });
    }
    const QPersistentModelIndex cell(index);
    auto* model = const_cast<QAbstractItemModel*>(index.model());
    connect(edit, &QLineEdit::textEdited, edit, [model, cell](const QString& text) {
        if (cell.isValid())
            model->setData(cell, text, Qt::EditRole);
    });
    return edit;
}

void EntryCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit)
        return;
    // The view pushes every change of the cell back into its open editor; the text the
    // user just typed is already there, and resetting it would move the cursor.
    const QString text = index.data(Qt::EditRole).toString();
    if (edit->text() != text)
        edit->setText(text);
}

void EntryCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const
{
    // Every keystroke already reached the model; committing again at the end of the edit
    // would only repeat the last change.
    (void)editor;
    (void)model;
    (void)index;
}

} // namespace kelvara

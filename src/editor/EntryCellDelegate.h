#pragma once

#include "lang/Language.h"

#include <QStyledItemDelegate>

namespace kelvara {

/// The grid's in-place editor: a guarded line edit whose every change goes to the model at
/// once, so the cell holds the new text when StringGridDictSetEditText runs.
class EntryCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    EntryCellDelegate(int codePage, InterfaceLanguage language, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    int m_codePage;
    InterfaceLanguage m_language;
};

} // namespace kelvara

#pragma once

#include "lang/Language.h"

#include <QStyledItemDelegate>

#include <functional>
#include <string>
#include <string_view>

namespace kelvara {

/// What the open dictionary can store in a cell: empty when the text (platform code page
/// bytes) of the column passes, otherwise the hint to show.
using CellCheck = std::function<std::u16string(int column, std::string_view bytes)>;

/// The grid's in-place editor: a guarded line edit whose every change goes to the model at
/// once, so the cell holds the new text when StringGridDictSetEditText runs. Beside the
/// code-page guard it applies the cell check it is given, which the window sets for the
/// kind of the open dictionary.
class EntryCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    EntryCellDelegate(int codePage, InterfaceLanguage language, QObject* parent = nullptr);

    /// The check editors opened from now on apply; an empty one applies none.
    void setCellCheck(CellCheck check) { m_cellCheck = std::move(check); }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    int m_codePage;
    InterfaceLanguage m_language;
    CellCheck m_cellCheck;
};

} // namespace kelvara

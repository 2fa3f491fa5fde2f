#include "flatmenu/qt/ItemAwareMenus.h"

#include <QAction>
#include <QStyleOptionMenuItem>

namespace kelvara {

void StyledItemRecord::filled(const QStyleOptionMenuItem* option, const QAction* action)
{
    m_option = option;
    m_action = const_cast<QAction*>(action);
}

QAction* StyledItemRecord::actionFor(const QStyleOption* option) const
{
    return option && option == m_option ? m_action.data() : nullptr;
}

void ItemAwareMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenu::initStyleOption(option, action);
    m_record.filled(option, action);
}

void ItemAwareMenuBar::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenuBar::initStyleOption(option, action);
    m_record.filled(option, action);
}

QAction* styledMenuAction(const QWidget* widget, const QStyleOption* option)
{
    if (const auto* menu = qobject_cast<const ItemAwareMenu*>(widget))
        return menu->styledAction(option);
    if (const auto* bar = qobject_cast<const ItemAwareMenuBar*>(widget))
        return bar->styledAction(option);
    return nullptr;
}

} // namespace kelvara

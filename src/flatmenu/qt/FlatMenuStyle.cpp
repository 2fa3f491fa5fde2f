#include "flatmenu/qt/FlatMenuStyle.h"

#include "flatmenu/Canvas.h"
#include "flatmenu/Font.h"
#include "flatmenu/qt/ItemAwareMenus.h"
#include "flatmenu/qt/QtCanvas.h"
#include "flatmenu/qt/QtMenuModel.h"
#include "flatmenu/qt/QtToolBarModel.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QToolButton>

namespace kelvara {

FlatMenuStyle* FlatMenuStyle::instance()
{
    static QPointer<FlatMenuStyle> style;
    if (!style && qApp) {
        // A base of its own, of the application's kind, which the proxy then owns.
        QStyle* base = QStyleFactory::create(QApplication::style()->name());
        style = new FlatMenuStyle(base);
        style->setParent(qApp);
    }
    return style;
}

FlatMenuStyle::FlatMenuStyle(QStyle* base) : QProxyStyle(base) {}

void FlatMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    switch (element) {
    case CE_MenuItem:
    case CE_MenuBarItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            item && drawItem(item, painter, widget))
            return;
        break;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void FlatMenuStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                       QPainter* painter, const QWidget* widget) const
{
    if (control == CC_ToolButton) {
        const auto* button = qobject_cast<const QToolButton*>(widget);
        const auto* tool = qstyleoption_cast<const QStyleOptionToolButton*>(option);
        QtToolBar* bar = button ? QtToolBar::of(button->parentWidget()) : nullptr;
        if (bar && tool && bar->paintButton(button, tool, painter))
            return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QSize FlatMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                      const QSize& size, const QWidget* widget) const
{
    switch (type) {
    case CT_MenuItem:
    case CT_MenuBarItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QSize measured = size;
            if (measureItem(item, widget, measured))
                return measured;
        }
        break;
    default:
        break;
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

bool FlatMenuStyle::drawItem(const QStyleOptionMenuItem* option, QPainter* painter,
                             const QWidget* widget) const
{
    if (!QtMenu::isOwnerDrawn(widget))
        return false;
    QtMenuItem* item = QtMenuItem::of(styledMenuAction(widget, option));
    if (!item || !item->OnDrawItem)
        return false;

    const bool inBar = qobject_cast<const QMenuBar*>(widget) != nullptr;
    const bool optionSelected = option->state & State_Selected;
    const bool sunken = option->state & State_Sunken;
    // In the bar, an item under the mouse is hot, not selected: only an opened item or one
    // reached by the keyboard counts as selected (the handler tracks the mouse itself).
    const bool selected =
        inBar ? (sunken || (optionSelected && widget->hasFocus())) : optionSelected;
    const QRect r = option->rect;
    QtCanvas canvas(painter, widget);
    painter->save();
    item->OnDrawItem.call(*item, canvas,
                          Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()},
                          selected);
    painter->restore();
    if (!inBar && option->menuItemType == QStyleOptionMenuItem::SubMenu)
        drawSubMenuArrow(option, painter, widget);
    return true;
}

void FlatMenuStyle::drawSubMenuArrow(const QStyleOptionMenuItem* option, QPainter* painter,
                                     const QWidget* widget) const
{
    // The menu draws the sub-menu arrow over an owner-drawn item, as the window layer does.
    const int dim = qMax(4, (option->rect.height() - 4) / 2);
    const bool rightToLeft = option->direction == Qt::RightToLeft;
    QStyleOption arrow = *option;
    const int x = rightToLeft ? option->rect.left() + 4 : option->rect.right() - 4 - dim;
    arrow.rect = QRect(x, option->rect.center().y() - dim / 2, dim, dim);
    arrow.state &= ~State_Selected;
    proxy()->drawPrimitive(rightToLeft ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight, &arrow,
                           painter, widget);
}

bool FlatMenuStyle::measureItem(const QStyleOptionMenuItem* option, const QWidget* widget,
                                QSize& size) const
{
    if (!QtMenu::isOwnerDrawn(widget))
        return false;
    QtMenuItem* item = QtMenuItem::of(styledMenuAction(widget, option));
    if (!item || !item->OnMeasureItem)
        return false;
    QtCanvas canvas(nullptr, widget);
    int width = size.width();
    int height = size.height();
    item->OnMeasureItem.call(*item, canvas, width, height);
    // What the window layer adds of its own: twice the menu font's average character width
    // to an owner-drawn item's width (the painters keep their frames and shadows inside it),
    // and a bar item gets the bar's standard height whatever it asked for.
    width += 2 * QFontMetrics(toQFont(SystemMenuFont())).averageCharWidth();
    if (qobject_cast<const QMenuBar*>(widget))
        height = QProxyStyle::sizeFromContents(CT_MenuBarItem, option, size, widget).height();
    size = QSize(width, height);
    return true;
}

} // namespace kelvara

#include "flatmenu/qt/QtToolBarModel.h"

#include "flatmenu/qt/FlatMenuStyle.h"
#include "flatmenu/qt/QtCanvas.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QToolBar>
#include <QToolButton>

namespace kelvara {

namespace {

const char* const kAdapterName = "kelvaraFlatToolBar";

bool isGap(const QWidget* widget)
{
    return widget && widget->metaObject() == &QFrame::staticMetaObject;
}

QAction* actionOf(const QWidget* widget)
{
    const auto* button = qobject_cast<const QToolButton*>(widget);
    return button ? button->defaultAction() : nullptr;
}

} // namespace

ToolButtonStyle QtToolButton::style() const
{
    if (isGap(m_widget))
        return m_widget->property("Style").toString() == QLatin1String("tbsDivider")
                   ? ToolButtonStyle::Divider
                   : ToolButtonStyle::Separator;
    const auto* button = qobject_cast<const QToolButton*>(m_widget);
    if (button && button->menu() && button->popupMode() == QToolButton::MenuButtonPopup)
        return ToolButtonStyle::DropDown;
    if (button && button->isCheckable())
        return ToolButtonStyle::Check;
    return ToolButtonStyle::Button;
}

Rect QtToolButton::bounds() const
{
    if (!m_widget)
        return {};
    const QRect g = m_widget->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

int QtToolButton::imageIndex() const
{
    const QAction* action = actionOf(m_widget);
    if (!action)
        return -1;
    const QVariant v = action->property("imageIndex");
    return v.isValid() ? v.toInt() : -1;
}

bool QtToolButton::enabled() const
{
    return m_widget && m_widget->isEnabled();
}

int QtToolButton::tag() const
{
    return m_bar->tagOf(m_widget);
}

std::u16string QtToolButton::caption() const
{
    const auto* button = qobject_cast<const QToolButton*>(m_widget);
    return button ? button->text().toStdU16String() : std::u16string();
}

bool QtToolButton::down() const
{
    const auto* button = qobject_cast<const QToolButton*>(m_widget);
    return button && (button->isDown() || button->isChecked());
}

bool QtToolButton::hasDropdownMenu() const
{
    const auto* button = qobject_cast<const QToolButton*>(m_widget);
    return button && button->menu();
}

bool QtToolButton::rightToLeft() const
{
    return m_widget && m_widget->layoutDirection() == Qt::RightToLeft;
}

int ToolBarImages::width() const
{
    return m_bar ? m_bar->iconSize().width() : 16;
}

int ToolBarImages::height() const
{
    return m_bar ? m_bar->iconSize().height() : 16;
}

int ToolBarImages::count() const
{
    if (!m_bar)
        return 0;
    int highest = -1;
    for (const QToolButton* b : m_bar->findChildren<QToolButton*>()) {
        if (const QAction* a = b->defaultAction())
            highest = std::max(highest, a->property("imageIndex").toInt());
    }
    return highest + 1;
}

void ToolBarImages::draw(Canvas& target, int x, int y, int index) const
{
    if (!m_bar)
        return;
    for (const QToolButton* b : m_bar->findChildren<QToolButton*>()) {
        const QAction* a = b->defaultAction();
        if (!a || a->property("imageIndex").toInt() != index || a->icon().isNull())
            continue;
        DrawIcon(target, x, y, a->icon(), QSize(width(), height()));
        return;
    }
}

QtToolBar::QtToolBar(QToolBar* bar, TagLookup tags)
    : QObject(bar), m_bar(bar), m_tags(std::move(tags)), m_images(bar)
{
    setObjectName(QString::fromLatin1(kAdapterName));
    refresh();
}

QtToolBar* QtToolBar::of(const QWidget* bar)
{
    return bar ? bar->findChild<QtToolBar*>(QString::fromLatin1(kAdapterName),
                                            Qt::FindDirectChildrenOnly)
               : nullptr;
}

int QtToolBar::tagOf(const QObject* object) const
{
    if (!object)
        return 0;
    return m_tags ? m_tags(object) : object->property("Tag").toInt();
}

void QtToolBar::refresh() const
{
    m_order.clear();
    if (!m_bar)
        return;
    for (QAction* action : m_bar->actions()) {
        QWidget* w = m_bar->widgetForAction(action);
        if (!w || !(qobject_cast<QToolButton*>(w) || isGap(w)))
            continue; // an edit on the bar is a control of its own, not a button
        std::unique_ptr<QtToolButton>& b = m_buttons[w];
        if (!b) {
            b = std::make_unique<QtToolButton>(w, const_cast<QtToolBar*>(this));
            if (auto* button = qobject_cast<QToolButton*>(w))
                button->setStyle(FlatMenuStyle::instance());
            else
                w->installEventFilter(const_cast<QtToolBar*>(this));
        }
        m_order.push_back(b.get());
    }
}

QtToolButton* QtToolBar::buttonFor(const QWidget* widget) const
{
    refresh();
    for (QtToolButton* b : m_order) {
        if (b->widget() == widget)
            return b;
    }
    return nullptr;
}

int QtToolBar::buttonCount() const
{
    refresh();
    return static_cast<int>(m_order.size());
}

ToolButton* QtToolBar::button(int index) const
{
    return m_order.at(static_cast<std::size_t>(index));
}

TColor QtToolBar::color() const
{
    return m_bar ? fromQColor(m_bar->palette().color(QPalette::Button)) : clBtnFace;
}

bool QtToolBar::list() const
{
    return m_bar && m_bar->toolButtonStyle() == Qt::ToolButtonTextBesideIcon;
}

bool QtToolBar::showCaptions() const
{
    return m_bar && m_bar->toolButtonStyle() != Qt::ToolButtonIconOnly;
}

const Font& QtToolBar::font() const
{
    if (m_bar)
        m_font = fromQFont(m_bar->font(), fromQColor(m_bar->palette().color(QPalette::ButtonText)));
    return m_font;
}

bool QtToolBar::flat() const
{
    return m_bar && m_bar->property("Flat").toBool();
}

void QtToolBar::setFlat(bool flat)
{
    if (!m_bar)
        return;
    m_bar->setProperty("Flat", flat);
    for (QToolButton* b : m_bar->findChildren<QToolButton*>())
        b->setAutoRaise(flat || b->autoRaise());
}

void QtToolBar::invalidate()
{
    if (!m_bar)
        return;
    m_bar->update();
    for (QtToolButton* b : m_order) {
        if (b->widget())
            b->widget()->update();
    }
}

unsigned QtToolBar::stateOf(const QToolButton* button) const
{
    unsigned state = 0;
    if (!button->isEnabled())
        state |= cdsDisabled | cdsGrayed;
    else if (button->underMouse())
        state |= cdsHot;
    if (button->isDown())
        state |= cdsSelected;
    if (button->isChecked())
        state |= cdsChecked;
    return state;
}

bool QtToolBar::paintButton(const QToolButton* button, const QStyleOptionToolButton* option,
                            QPainter* painter)
{
    if (!OnCustomDrawButton || !m_bar)
        return false;
    QtToolButton* b = buttonFor(button);
    if (!b)
        return false;
    unsigned state = 0;
    if (!(option->state & QStyle::State_Enabled))
        state |= cdsDisabled | cdsGrayed;
    else if (option->state & QStyle::State_MouseOver)
        state |= cdsHot;
    if (option->state & QStyle::State_Sunken)
        state |= cdsSelected;
    if (option->state & QStyle::State_On)
        state |= cdsChecked;
    bool defaultDraw = true;
    painter->save();
    // The handler speaks the bar's coordinates.
    painter->translate(-button->pos());
    QtCanvas canvas(painter, m_bar);
    try {
        OnCustomDrawButton.call(*this, *b, state, canvas, defaultDraw);
    } catch (...) {
    }
    painter->restore();
    return !defaultDraw;
}

void QtToolBar::paintSeparator(QWidget* gap)
{
    // A separator is repainted with the button after it: that button is drawn again, clipped
    // to the separator, so that only the separator's part shows.
    refresh();
    for (std::size_t i = 0; i + 1 < m_order.size(); ++i) {
        if (m_order[i]->widget() != gap)
            continue;
        const auto* next = qobject_cast<const QToolButton*>(m_order[i + 1]->widget());
        if (!next || !OnCustomDrawButton)
            return;
        QPainter painter(gap);
        painter.translate(-gap->pos());
        QtCanvas canvas(&painter, m_bar);
        bool defaultDraw = true;
        try {
            OnCustomDrawButton.call(*this, *m_order[i + 1], stateOf(next), canvas, defaultDraw);
        } catch (...) {
        }
        return;
    }
}

bool QtToolBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || watched == m_gapPainting ||
        !isGap(qobject_cast<QWidget*>(watched)))
        return false;
    auto* gap = static_cast<QWidget*>(watched);
    // The frame's own paint first, sent so that the gap's other filters see it too; this
    // filter lets it pass.
    const QPointer<QToolBar> bar = m_bar;
    const QPointer<QWidget> alive = gap;
    const QWidget* const outer = m_gapPainting;
    m_gapPainting = gap;
    QCoreApplication::sendEvent(gap, event);
    if (!bar)
        return true; // the bar and this object went inside the paint
    m_gapPainting = outer;
    if (alive)
        paintSeparator(gap);
    return true;
}

} // namespace kelvara

#include "flatmenu/qt/QtMenuModel.h"

#include "flatmenu/Bitmap.h"
#include "flatmenu/qt/FlatMenuStyle.h"
#include "flatmenu/qt/QtFlatControl.h"
#include "flatmenu/qt/QtFlatForms.h"
#include "flatmenu/qt/QtToolBarModel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace kelvara {

namespace {

const char* const kOwnerDrawProperty = "kelvaraOwnerDraw";

// A QMenu that a menu or a menu bar drops is a menu item there, not a pop-up menu.
bool isSubMenu(const QMenu* menu)
{
    const QList<QObject*> owners = menu->menuAction()->associatedObjects();
    for (const QObject* o : owners) {
        if (o != menu && (qobject_cast<const QMenu*>(o) || qobject_cast<const QMenuBar*>(o)))
            return true;
    }
    return false;
}

int smallIconSize()
{
    return QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
}

// Gives a menu and every menu under it the flat style (on) or the application's (off).
void switchOwnerDraw(QWidget* menu, bool on)
{
    menu->setProperty(kOwnerDrawProperty, on);
    if (on)
        menu->setStyle(FlatMenuStyle::instance());
    else if (menu->style() == FlatMenuStyle::instance())
        menu->setStyle(nullptr);
    menu->update();
    for (QAction* a : menu->actions()) {
        if (a->menu() && a->menu() != menu)
            switchOwnerDraw(a->menu(), on);
    }
}

} // namespace

int ActionIconList::count() const
{
    return m_menu ? static_cast<int>(m_menu->actions().size()) : 0;
}

void ActionIconList::draw(Canvas& target, int x, int y, int index) const
{
    if (!m_menu || index < 0 || index >= count())
        return;
    DrawIcon(target, x, y, m_menu->actions().at(index)->icon(), QSize(m_size, m_size));
}

QtMenuItem::QtMenuItem(QAction* action, QtMenu* menu)
    : QObject(action), m_action(action), m_menu(menu)
{
    setObjectName(QStringLiteral("kelvaraFlatItem"));
}

QtMenuItem* QtMenuItem::of(const QAction* action)
{
    if (!action)
        return nullptr;
    return action->findChild<QtMenuItem*>(QStringLiteral("kelvaraFlatItem"),
                                          Qt::FindDirectChildrenOnly);
}

std::u16string QtMenuItem::caption() const
{
    if (m_action->isSeparator())
        return u"-";
    const QString text = m_action->text();
    const qsizetype tab = text.indexOf(u'\t');
    return (tab < 0 ? text : text.left(tab)).toStdU16String();
}

void QtMenuItem::setCaption(const std::u16string& caption)
{
    if (m_action->isSeparator())
        return;
    // A shortcut written after a tab stays with the caption.
    const QString text = m_action->text();
    const qsizetype tab = text.indexOf(u'\t');
    m_action->setText(QString::fromStdU16String(caption) + (tab < 0 ? QString() : text.mid(tab)));
}

std::u16string QtMenuItem::shortCutText() const
{
    const QString text = m_action->text();
    const qsizetype tab = text.indexOf(u'\t');
    if (tab >= 0)
        return text.mid(tab + 1).toStdU16String();
    return m_action->shortcut().toString(QKeySequence::NativeText).toStdU16String();
}

int QtMenuItem::tag() const
{
    const QtFlatHost* host = m_menu ? m_menu->host() : nullptr;
    if (!host)
        return m_action->property("Tag").toInt();
    int t = host->tagOf(m_action);
    if (t == 0 && m_action->menu())
        t = host->tagOf(m_action->menu());
    return t;
}

Menu* QtMenuItem::menu() const
{
    return m_menu.data();
}

MenuItem* QtMenuItem::parent() const
{
    if (!m_menu || !m_menu->widget())
        return nullptr;
    const QList<QObject*> owners = m_action->associatedObjects();
    if (owners.contains(m_menu->widget()))
        return nullptr; // directly under the menu
    // Among the associated objects are the menu the action drops and the overflow menu of a
    // bar; the owner is the QMenu that the menu's tree reaches.
    for (QObject* o : owners) {
        auto* owner = qobject_cast<QMenu*>(o);
        if (owner && owner != m_action->menu() && isSubMenu(owner))
            return m_menu->itemFor(owner->menuAction());
    }
    return nullptr;
}

int QtMenuItem::count() const
{
    return m_action->menu() ? static_cast<int>(m_action->menu()->actions().size()) : 0;
}

MenuItem* QtMenuItem::item(int index) const
{
    if (!m_menu || index < 0 || index >= count())
        return nullptr;
    return m_menu->itemFor(m_action->menu()->actions().at(index));
}

int QtMenuItem::imageIndex() const
{
    if (m_action->icon().isNull() || !m_menu)
        return -1;
    const auto* parentItem = static_cast<const QtMenuItem*>(parent());
    const QWidget* container = parentItem ? parentItem->action()->menu() : m_menu->widget();
    return container ? static_cast<int>(container->actions().indexOf(m_action)) : -1;
}

const MenuImages* QtMenuItem::subMenuImages() const
{
    if (!m_action->menu())
        return nullptr;
    if (!m_subImages)
        m_subImages = std::make_unique<ActionIconList>(m_action->menu(), smallIconSize());
    return m_subImages.get();
}

bool QtMenuItem::checked() const
{
    return m_action->isCheckable() && m_action->isChecked();
}

bool QtMenuItem::radioItem() const
{
    return m_action->isCheckable() && m_action->actionGroup() &&
           m_action->actionGroup()->isExclusive();
}

bool QtMenuItem::enabled() const
{
    return m_action->isEnabled();
}

bool QtMenuItem::isDefault() const
{
    if (!m_menu)
        return false;
    const auto* owner = qobject_cast<QMenu*>(m_menu->widget());
    return owner && owner->defaultAction() == m_action;
}

QtMenu::QtMenu(QWidget* menu, QtFlatHost* host)
    : m_widget(menu), m_host(host), m_images(menu, smallIconSize())
{}

QtMenuItem* QtMenu::itemFor(QAction* action)
{
    if (!action)
        return nullptr;
    if (QtMenuItem* existing = QtMenuItem::of(action))
        return existing;
    return new QtMenuItem(action, this);
}

Menu::Kind QtMenu::kind() const
{
    return qobject_cast<QMenuBar*>(m_widget.data()) ? Kind::Main : Kind::Popup;
}

int QtMenu::count() const
{
    return m_widget ? static_cast<int>(m_widget->actions().size()) : 0;
}

MenuItem* QtMenu::item(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return const_cast<QtMenu*>(this)->itemFor(m_widget->actions().at(index));
}

bool QtMenu::ownerDraw() const
{
    return isOwnerDrawn(m_widget);
}

void QtMenu::setOwnerDraw(bool on)
{
    if (m_widget && ownerDraw() != on)
        switchOwnerDraw(m_widget, on);
}

bool QtMenu::isRightToLeft() const
{
    return m_widget && m_widget->layoutDirection() == Qt::RightToLeft;
}

bool QtMenu::isOwnerDrawn(const QWidget* widget)
{
    return widget && widget->property(kOwnerDrawProperty).toBool();
}

QtFlatHost::QtFlatHost(QWidget* form, const ComponentList& components)
    : m_form(form), m_formPointer(form), m_components(components)
{}

std::function<int(const QObject*)> QtFlatHost::tagLookup() const
{
    std::weak_ptr<int> alive = m_alive;
    return [this, alive](const QObject* o) {
        if (alive.expired())
            return o ? o->property("Tag").toInt() : 0;
        return tagOf(o);
    };
}

QtFlatHost::~QtFlatHost()
{
    qDeleteAll(m_menus);
}

int QtFlatHost::tagOf(const QObject* object) const
{
    const int i = m_components.indexOfObject(object);
    if (i >= 0)
        return m_components.at(static_cast<std::size_t>(i)).tag;
    return object ? object->property("Tag").toInt() : 0;
}

QObject* QtFlatHost::resolve(const Component& component) const
{
    // A component object is looked at the first time while it is alive; afterwards only
    // through a guard, so that an object gone before the painter is never touched.
    // One seen and gone stays gone: its address is never taken for an object again.
    auto it = m_seen.find(component.object);
    if (it != m_seen.end())
        return it.value();
    if (m_tearingDown)
        return nullptr;
    auto* object = static_cast<QObject*>(component.object);
    m_seen.insert(component.object, QPointer<QObject>(object));
    return object;
}

void QtFlatHost::watchComponents()
{
    for (const Component& component : m_components)
        (void)resolve(component);
}

Menu* QtFlatHost::menuOf(const Component& component)
{
    QObject* object = resolve(component);
    if (!object)
        return nullptr;
    auto* bar = qobject_cast<QMenuBar*>(object);
    auto* popup = qobject_cast<QMenu*>(object);
    if (!bar && !(popup && !isSubMenu(popup)))
        return nullptr;
    QtMenu*& menu = m_menus[object];
    if (!menu)
        menu = new QtMenu(static_cast<QWidget*>(object), this);
    return menu;
}

bool QtFlatHost::isMenuItemOrToolButton(const Component& component) const
{
    QObject* object = resolve(component);
    if (!object)
        return false;
    if (qobject_cast<QAction*>(object) || qobject_cast<QToolButton*>(object))
        return true;
    const auto* menu = qobject_cast<QMenu*>(object);
    return menu && isSubMenu(menu);
}

int QtFlatHost::clientWidth() const
{
    return m_form ? m_form->width() : 0;
}

Point QtFlatHost::cursorPos() const
{
    if (!m_form)
        return {};
    // The item rectangles the handlers get are in the menu bar's coordinates.
    const QWidget* origin = m_form;
    if (const auto* window = qobject_cast<const QMainWindow*>(m_form.data());
        window && window->menuWidget())
        origin = window->menuWidget();
    const QPoint p = origin->mapFromGlobal(QCursor::pos());
    return {p.x(), p.y()};
}

int QtFlatHost::bitsPerPixel() const
{
    return m_form ? m_form->depth() : 32;
}

void QtFlatHost::redrawMenuBar()
{
    if (!m_form)
        return;
    const QList<QMenuBar*> bars = m_form->findChildren<QMenuBar*>();
    // The items may have changed size: the bar asks its window for a new layout too.
    for (QMenuBar* bar : bars) {
        bar->updateGeometry();
        bar->update();
    }
}

void QtFlatHost::repaint()
{
    // A form that is going is not painted at once: its own destructor may be under way.
    if (m_form && m_tearingDown)
        m_form->update();
    else if (m_form)
        m_form->repaint();
}

ToolBar* QtFlatHost::toolBarOf(const Component& component)
{
    auto* bar = qobject_cast<QToolBar*>(resolve(component));
    if (!bar)
        return nullptr;
    if (QtToolBar* adapter = QtToolBar::of(bar))
        return adapter;
    return new QtToolBar(bar, tagLookup());
}

std::shared_ptr<FlatControl> QtFlatHost::controlOf(const Component& component)
{
    auto* widget = qobject_cast<QWidget*>(resolve(component));
    if (!widget)
        return nullptr;
    std::shared_ptr<FlatControl>& control = m_controls[widget];
    if (!control)
        control = std::make_shared<QtFlatControl>(widget, tagLookup());
    return control;
}

FlatHost* QtFlatHost::containerOf(const Component& component)
{
    auto* widget = qobject_cast<QWidget*>(resolve(component));
    if (!widget || widget == m_form || !widget->isWindow())
        return nullptr;
    return FlatForms::hostOf(widget);
}

bool QtFlatHost::containsControl(const FlatControl& control) const
{
    const auto* qt = dynamic_cast<const QtFlatControl*>(&control);
    const QWidget* widget = qt ? qt->widget() : nullptr;
    return widget && m_form && (widget == m_form || m_form->isAncestorOf(widget));
}

bool QtFlatHost::ownsFlatPainter() const
{
    return m_form && m_form->property(kOwnsFlatPainterProperty).toBool();
}

} // namespace kelvara

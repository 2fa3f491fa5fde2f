#pragma once

#include "flatmenu/MenuModel.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace kelvara {

class QtFlatHost;
class QtMenu;

/// The icons of a menu widget's actions as an image list: image i is the icon of action i.
class ActionIconList : public MenuImages
{
public:
    ActionIconList(const QWidget* menu, int size) : m_menu(menu), m_size(size) {}
    int width() const override { return m_size; }
    int height() const override { return m_size; }
    int count() const override;
    void draw(Canvas& target, int x, int y, int index) const override;

private:
    QPointer<const QWidget> m_menu;
    int m_size;
};

/// A QAction seen as a menu item. It lives as a child of the action, so the handlers
/// installed on it live and die with the action and the style finds them from the action.
class QtMenuItem : public QObject, public MenuItem
{
    Q_OBJECT
public:
    QtMenuItem(QAction* action, QtMenu* menu);
    /// The item object of an action, or null when none was made.
    static QtMenuItem* of(const QAction* action);

    QAction* action() const { return m_action; }
    std::u16string caption() const override;
    void setCaption(const std::u16string& caption) override;
    std::u16string shortCutText() const override;
    int tag() const override;
    Menu* menu() const override;
    MenuItem* parent() const override;
    int count() const override;
    MenuItem* item(int index) const override;
    int imageIndex() const override;
    const MenuImages* subMenuImages() const override;
    const Bitmap* bitmap() const override { return nullptr; }
    bool checked() const override;
    bool radioItem() const override;
    bool enabled() const override;
    bool isDefault() const override;

private:
    QAction* m_action;
    QPointer<QtMenu> m_menu;
    mutable std::unique_ptr<ActionIconList> m_subImages;
};

/// A QMenuBar (a main menu) or a top QMenu (a pop-up menu) seen as a menu. Owner-draw on
/// gives the menu and its sub-menus the flat style; off gives them back the application's.
class QtMenu : public QObject, public Menu
{
    Q_OBJECT
public:
    QtMenu(QWidget* menu, QtFlatHost* host);

    QWidget* widget() const { return m_widget; }
    QtFlatHost* host() const { return m_host; }
    /// The item object of an action of this menu (made on first use).
    QtMenuItem* itemFor(QAction* action);

    Kind kind() const override;
    int count() const override;
    MenuItem* item(int index) const override;
    bool ownerDraw() const override;
    void setOwnerDraw(bool on) override;
    const MenuImages* images() const override { return &m_images; }
    bool isRightToLeft() const override;

    /// Whether a widget's menu (or the menu it drops from) is owner-drawn.
    static bool isOwnerDrawn(const QWidget* widget);

private:
    QPointer<QWidget> m_widget;
    QtFlatHost* m_host;
    ActionIconList m_images;
};

/// A form as the painter sees it: its component list, whose objects are QObjects, and the
/// menus among them. A QMenuBar is a main menu; a QMenu that no menu or bar drops is a
/// pop-up menu; a QMenu under another one is a menu item (its action).
class QtFlatHost : public FlatHost
{
public:
    QtFlatHost(QWidget* form, const ComponentList& components);
    ~QtFlatHost() override;

    QWidget* form() const { return m_form; }
    /// The form's address as given, also once the form is gone (for finding it in lists).
    const void* formPointer() const { return m_formPointer; }
    /// A Tag lookup that outlives the host safely (it falls back on the "Tag" property).
    std::function<int(const QObject*)> tagLookup() const;
    /// From now on only components seen while alive are resolved (the form is going).
    void setTearingDown() { m_tearingDown = true; }
    /// Looks at every component now, while all of them are alive: from then on each is
    /// reached through a guard only.
    void watchComponents();
    /// The Tag of a component object (its list entry, else its "Tag" property, else 0).
    int tagOf(const QObject* object) const;

    const ComponentList& components() const override { return m_components; }
    Menu* menuOf(const Component& component) override;
    bool isMenuItemOrToolButton(const Component& component) const override;
    void* window() override { return m_form.data(); }
    int clientWidth() const override;
    Point cursorPos() const override;
    int bitsPerPixel() const override;
    void redrawMenuBar() override;
    void repaint() override;
    ToolBar* toolBarOf(const Component& component) override;
    std::shared_ptr<FlatControl> controlOf(const Component& component) override;
    FlatHost* containerOf(const Component& component) override;
    bool containsControl(const FlatControl& control) const override;
    bool ownsFlatPainter() const override;

private:
    QObject* resolve(const Component& component) const;

    QPointer<QWidget> m_form;
    const void* m_formPointer;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    const ComponentList& m_components;
    mutable QHash<const void*, QPointer<QObject>> m_seen;
    QHash<const QObject*, QtMenu*> m_menus;
    QHash<const QObject*, std::shared_ptr<FlatControl>> m_controls;
    bool m_tearingDown = false;
};

} // namespace kelvara

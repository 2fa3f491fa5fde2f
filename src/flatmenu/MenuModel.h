#pragma once

#include "flatmenu/Geometry.h"
#include "platform/Components.h"

#include <functional>
#include <memory>
#include <string>

namespace kelvara {

class Bitmap;
class Canvas;
class FlatControl;
class MenuItem;
class ToolBar;

/// A list of equally sized images, drawn transparently.
class MenuImages
{
public:
    virtual ~MenuImages() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual int count() const = 0;
    /// Draws image index with its top-left at (x, y), leaving its background out.
    virtual void draw(Canvas& target, int x, int y, int index) const = 0;
};

/// A handler slot of a menu item: the function and the component that installed it (null
/// when the item's own code assigned it), so that a component removes only its own.
template <typename Function> struct HandlerSlot
{
    const void* owner = nullptr;
    Function call;
    explicit operator bool() const { return static_cast<bool>(call); }
    void clear() { *this = {}; }
};

using DrawItemEvent =
    std::function<void(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected)>;
using MeasureItemEvent =
    std::function<void(MenuItem& item, Canvas& canvas, int& width, int& height)>;

/// A main menu (the window's menu bar) or a pop-up menu, as the painter takes hold of it.
class Menu
{
public:
    enum class Kind { Main, Popup };
    virtual ~Menu() = default;
    virtual Kind kind() const = 0;
    /// The items directly under the menu (the bar's top-level items for a main menu).
    virtual int count() const = 0;
    virtual MenuItem* item(int index) const = 0;
    /// The owner-draw switch: off, the menu looks as the toolkit draws it.
    virtual bool ownerDraw() const = 0;
    virtual void setOwnerDraw(bool on) = 0;
    /// The menu's image list, or null.
    virtual const MenuImages* images() const = 0;
    virtual bool isRightToLeft() const = 0;
};

/// One menu item. The draw and measure slots are kept here; the toolkit side calls them when
/// the item's menu is owner-drawn.
class MenuItem
{
public:
    virtual ~MenuItem() = default;
    /// The caption with its "&" prefixes; exactly "-" for a separator.
    virtual std::u16string caption() const = 0;
    virtual void setCaption(const std::u16string& caption) = 0;
    /// The shortcut as text ("Ctrl+S"), empty for none.
    virtual std::u16string shortCutText() const = 0;
    virtual int tag() const = 0;
    /// The menu the item belongs to (at any depth).
    virtual Menu* menu() const = 0;
    /// The item this one is a sub-item of; null directly under the menu.
    virtual MenuItem* parent() const = 0;
    virtual int count() const = 0;
    virtual MenuItem* item(int index) const = 0;
    virtual int imageIndex() const = 0;
    /// The images for this item's sub-items, or null.
    virtual const MenuImages* subMenuImages() const = 0;
    /// The item's own bitmap; null or empty when it has none.
    virtual const Bitmap* bitmap() const = 0;
    virtual bool checked() const = 0;
    virtual bool radioItem() const = 0;
    virtual bool enabled() const = 0;
    /// The default item (drawn bold by the toolkit).
    virtual bool isDefault() const = 0;

    HandlerSlot<DrawItemEvent> OnDrawItem;
    HandlerSlot<MeasureItemEvent> OnMeasureItem;
};

/// The form a painter sits on, as the painter sees it.
class FlatHost
{
public:
    virtual ~FlatHost() = default;
    /// The components the form owns, in declaration order (Tag included).
    virtual const ComponentList& components() const = 0;
    /// The menu a component stands for, or null when it is not a menu.
    virtual Menu* menuOf(const Component& component) = 0;
    /// Whether a component is a menu item or a tool button (what AutoDetect looks at).
    virtual bool isMenuItemOrToolButton(const Component& component) const = 0;
    /// The form's window (created when it does not exist yet).
    virtual void* window() = 0;
    virtual int clientWidth() const = 0;
    /// The mouse position minus the form's left and top edges.
    virtual Point cursorPos() const = 0;
    /// Bits per pixel of the form's device.
    virtual int bitsPerPixel() const = 0;
    /// Rebuilds the form's menu bar.
    virtual void redrawMenuBar() = 0;
    /// Repaints the whole form at once.
    virtual void repaint() = 0;
    /// Whether the form is being designed (never, in the running utility).
    virtual bool designing() const { return false; }

    /// The tool bar a component stands for, or null.
    virtual ToolBar* toolBarOf(const Component&) { return nullptr; }
    /// The control a component stands for, or null (a form inside the list counts too).
    virtual std::shared_ptr<FlatControl> controlOf(const Component&) { return nullptr; }
    /// The components of a component that owns some (a form), or null.
    virtual FlatHost* containerOf(const Component&) { return nullptr; }
    /// Whether a control lies inside this form.
    virtual bool containsControl(const FlatControl&) const { return false; }
    /// Whether the form owns a painter component of its own.
    virtual bool ownsFlatPainter() const { return false; }
    /// The form's Tag.
    int tag() const { return components().ownerTag(); }
};

/// The application window's queue as far as flat-frame requests go.
class FlatFrameRequests
{
public:
    virtual ~FlatFrameRequests() = default;
    /// Whether a request is waiting, looked at without taking it out.
    virtual bool pending() const = 0;
    /// WM_FLATFRAME_WINDOW: first parameter 1 for right-to-left, second the window.
    virtual void postWindow(bool rightToLeft, void* window) = 0;
    /// WM_FLATFRAME_ITEM: second parameter the menu item.
    virtual void postItem(MenuItem* item) = 0;
};

constexpr unsigned WM_FLATFRAME_ITEM = 0xBCB3;
constexpr unsigned WM_FLATFRAME_WINDOW = 0xBCB4;

/// The mark on a component, menu item, form or control that no painter may touch.
constexpr int kLeaveAloneTag = 999;

} // namespace kelvara

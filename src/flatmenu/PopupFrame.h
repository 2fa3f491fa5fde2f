#pragma once

#include "flatmenu/Canvas.h"
#include "flatmenu/ControlModel.h"
#include "flatmenu/Geometry.h"

#include <vector>

namespace kelvara {

class MenuItem;

/// A dropped menu's window as the pop-up frame painter sees it.
class PopupWindow
{
public:
    virtual ~PopupWindow() = default;
    /// The window's rectangle on the screen, borders included.
    virtual Rect windowRect() const = 0;
    /// A canvas over the whole window (borders included) until endPaint; null when the
    /// window cannot be drawn on now.
    virtual Canvas* beginPaint() = 0;
    virtual void endPaint() = 0;
    /// Whether the window has a region, and its bounding box (window coordinates).
    virtual bool hasRegion() const = 0;
    virtual Rect regionBox() const = 0;
    /// The window's region as a union of rectangles; none for an empty list.
    virtual void setRegion(const std::vector<Rect>& rects) = 0;
    /// Redraws the whole window.
    virtual void redraw() = 0;
    /// Invalidates the window without erasing its background.
    virtual void invalidateNoErase() = 0;
    /// Whether the window runs PopupFrameProc.
    virtual bool runsFrameProc() const = 0;
    /// Stores the window's procedure in its user data and installs PopupFrameProc.
    virtual void installFrameProc() = 0;
    /// Puts the stored procedure back and clears the user data.
    virtual void restoreProc() = 0;
    /// The stored procedure's handling of a message.
    virtual void defaultProc(ControlMessage& message) = 0;
};

/// Where windows are found on the screen.
class PopupDesktop
{
public:
    virtual ~PopupDesktop() = default;
    /// The window under a screen point, or null.
    virtual PopupWindow* windowFromPoint(Point screen) = 0;
    /// The screen rectangle of an item in its parent's menu (empty when unknown).
    virtual Rect menuItemRect(MenuItem& item) = 0;
};

/// The procedure of a window with a flat frame: no background erasing; when the window is
/// hidden, closed or destroyed its region and procedure go back, and a framed neighbour to
/// its right (a parent menu's window) is repainted.
void PopupFrameProc(PopupWindow& window, ControlMessage& message, PopupDesktop* desktop);

} // namespace kelvara

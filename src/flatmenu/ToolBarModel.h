#pragma once

#include "flatmenu/Font.h"
#include "flatmenu/Geometry.h"
#include "flatmenu/MenuModel.h"

#include <functional>
#include <string>

namespace kelvara {

class ToolBar;
class ToolButton;

/// The custom-draw state of a tool button, with the window layer's bit values.
enum CustomDrawState : unsigned {
    cdsSelected = 0x0001,
    cdsGrayed = 0x0002,
    cdsDisabled = 0x0004,
    cdsChecked = 0x0008,
    cdsFocused = 0x0010,
    cdsDefault = 0x0020,
    cdsHot = 0x0040,
    cdsMarked = 0x0080,
    cdsIndeterminate = 0x0100,
};

enum class ToolButtonStyle { Button, Check, DropDown, Separator, Divider };

/// The OnCustomDrawButton handler of a bar: draws one button on the canvas, in the bar's
/// coordinates, and says through defaultDraw whether the bar should draw it itself.
using CustomDrawButtonEvent = std::function<void(ToolBar& bar, ToolButton& button, unsigned state,
                                                 Canvas& canvas, bool& defaultDraw)>;

/// One button of a tool bar (separators and dividers included).
class ToolButton
{
public:
    virtual ~ToolButton() = default;
    virtual ToolButtonStyle style() const = 0;
    /// The button's rectangle in the bar's coordinates.
    virtual Rect bounds() const = 0;
    virtual int imageIndex() const = 0;
    virtual bool enabled() const = 0;
    virtual int tag() const = 0;
    virtual std::u16string caption() const = 0;
    /// The button stands for a menu item (a bar that is a menu bar).
    virtual bool hasMenuItem() const { return false; }
    /// The button is held down (a pressed check button).
    virtual bool down() const { return false; }
    /// The button drops a menu.
    virtual bool hasDropdownMenu() const { return false; }
    virtual bool rightToLeft() const { return false; }
};

/// A tool bar as its button painter sees it.
class ToolBar
{
public:
    virtual ~ToolBar() = default;
    virtual int buttonCount() const = 0;
    virtual ToolButton* button(int index) const = 0;
    /// The button before this one on the bar, or null.
    ToolButton* previousButton(const ToolButton& button) const
    {
        ToolButton* previous = nullptr;
        for (int i = 0; i < buttonCount(); ++i) {
            if (this->button(i) == &button)
                return previous;
            previous = this->button(i);
        }
        return nullptr;
    }
    virtual TColor color() const = 0;
    virtual bool transparent() const { return false; }
    /// The List style: captions beside the glyphs.
    virtual bool list() const { return false; }
    virtual bool showCaptions() const { return false; }
    virtual const Font& font() const = 0;
    virtual const MenuImages* images() const = 0;
    virtual const MenuImages* hotImages() const { return nullptr; }
    virtual const MenuImages* disabledImages() const { return nullptr; }
    virtual bool flat() const = 0;
    virtual void setFlat(bool flat) = 0;
    virtual void invalidate() = 0;
    virtual bool designing() const { return false; }

    HandlerSlot<CustomDrawButtonEvent> OnCustomDrawButton;
};

} // namespace kelvara

#pragma once

#include "flatmenu/Canvas.h"
#include "flatmenu/Font.h"
#include "flatmenu/Geometry.h"
#include "platform/ControlMessages.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kelvara {

class Bitmap;

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TComboStyle { csDropDown, csSimple, csDropDownList };
enum class TBorderStyle { bsNone = 0, bsSingle = 1 };

/// A control as the control painters see it: its kind, its looks, and its window procedure
/// slot. The kind tests follow the framework's classes; className() is the exact class name.
class FlatControl
{
public:
    virtual ~FlatControl() = default;

    virtual std::string className() const = 0;
    /// A drop-down list or combo box.
    virtual bool isCustomCombo() const { return false; }
    /// An edit (a TEdit or a descendant).
    virtual bool isEdit() const { return false; }
    /// Any edit, whose Ctl3D and BorderStyle are saved when hooked.
    virtual bool isCustomEdit() const { return isEdit(); }
    virtual bool isCustomPanel() const { return false; }
    virtual bool isToolBar() const { return false; }
    virtual bool isCustomForm() const { return false; }
    /// A push button (TButton or a descendant, bitmap buttons included).
    virtual bool isButton() const { return false; }
    /// A windowed control (graphic controls have no window of their own).
    virtual bool isWindowed() const { return true; }

    virtual int tag() const = 0;
    /// The control's parent, or null.
    virtual std::shared_ptr<FlatControl> parent() const = 0;
    virtual TColor color() const = 0;
    /// The parent's background colour (clBtnFace without a parent).
    TColor parentColor() const
    {
        const std::shared_ptr<FlatControl> p = parent();
        return p ? p->color() : clBtnFace;
    }
    virtual Rect clientRect() const = 0;
    virtual bool enabled() const = 0;
    virtual bool focused() const = 0;
    virtual bool rightToLeft() const { return false; }

    virtual bool ctl3D() const { return false; }
    virtual void setCtl3D(bool) {}
    virtual TBorderStyle borderStyle() const { return TBorderStyle::bsSingle; }
    virtual void setBorderStyle(TBorderStyle) {}

    virtual TComboStyle comboStyle() const { return TComboStyle::csDropDown; }
    virtual bool droppedDown() const { return false; }
    /// The system's scroll-thumb width (the drop-down button's width less one).
    virtual int scrollThumbWidth() const { return 16; }

    virtual TBevelCut bevelOuter() const { return TBevelCut::bvRaised; }
    virtual TBevelCut bevelInner() const { return TBevelCut::bvNone; }
    virtual int bevelWidth() const { return 1; }
    virtual int borderWidth() const { return 0; }

    virtual std::u16string caption() const { return {}; }
    virtual Font font() const { return {}; }
    /// The default button of its form.
    virtual bool isDefault() const { return false; }
    /// The button's glyph bitmap (all NumGlyphs images side by side); false without one.
    virtual bool glyph(Bitmap&) const { return false; }
    virtual int numGlyphs() const { return 1; }
    virtual int spacing() const { return 4; }
    virtual TButtonLayout layout() const { return TButtonLayout::blGlyphLeft; }

    /// Asks for the control to be painted again (later, through its own paint message).
    virtual void invalidate() = 0;
    /// Delivers a message to the control at once, through whatever hooks it.
    virtual void sendMessage(const ControlMessage& message) = 0;
    /// The procedure in front of the control's own; null when the control's own runs.
    virtual WindowProc* windowProc() const = 0;
    virtual void setWindowProc(WindowProc* proc) = 0;
    /// The control's own handling of a message.
    virtual void defaultProc(ControlMessage& message) = 0;
    /// A canvas over the control's client area for one paint, valid until endPaint; null
    /// when the control cannot be painted now (it is then asked to repaint instead).
    virtual Canvas* beginPaint() = 0;
    virtual void endPaint() {}
};

} // namespace kelvara

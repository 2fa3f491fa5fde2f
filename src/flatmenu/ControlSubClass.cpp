// The message handling of a control subclass: what each message does to the hover, press
// and focus state, and when the object lets go of its control.

#include "flatmenu/ControlSubClass.h"

#include "flatmenu/FlatPainter.h"

namespace kelvara {

TControlSubClass::TControlSubClass(TFlatPainter* owner, std::shared_ptr<FlatControl> control)
    : Control(std::move(control)), Menu(owner)
{}

TControlSubClass::~TControlSubClass()
{
    // A control must never call into a freed object: one still hooked gets its own
    // procedure back first.
    try {
        if (hooking())
            Restore();
    } catch (...) {
    }
}

bool TControlSubClass::hooking() const
{
    return Control && Control->windowProc() == this;
}

bool TControlSubClass::Hook()
{
    if (!Control || dynamic_cast<TControlSubClass*>(Control->windowProc()))
        return false;
    PreviousWindowProc = Control->windowProc();
    Control->setWindowProc(this);
    if (Control->isCustomEdit()) {
        SavedCtl3D = Control->ctl3D();
        SavedBorderStyle = Control->borderStyle();
    } else if (Control->className() == "TDBLookupComboBox") {
        SavedCtl3D = Control->ctl3D();
    }
    return true;
}

void TControlSubClass::Restore()
{
    // An idle object saved nothing and gives nothing back.
    if (!Control || Control->windowProc() != this)
        return;
    Control->setWindowProc(PreviousWindowProc);
    if (Control->isCustomEdit()) {
        Control->setCtl3D(SavedCtl3D);
        Control->setBorderStyle(SavedBorderStyle);
    } else if (Control->className() == "TDBLookupComboBox") {
        Control->setCtl3D(SavedCtl3D);
    }
}

void TControlSubClass::callPrevious(ControlMessage& message)
{
    if (PreviousWindowProc)
        PreviousWindowProc->windowProc(message);
    else if (Control)
        Control->defaultProc(message);
}

void TControlSubClass::release()
{
    try {
        Restore();
    } catch (...) {
        // The control keeps working with its own procedure.
    }
    Control.reset();
    m_released = true;
    if (m_depth == 0 && Menu)
        Menu->FreeSubclass(this);
}

void TControlSubClass::SubclassWindowProc(ControlMessage& message)
{
    if (m_released) {
        // Released inside a nested message: only the control's own handling is left.
        callPrevious(message);
        return;
    }
    ++m_depth;
    try {
        handle(message);
    } catch (...) {
        --m_depth;
        throw;
    }
    --m_depth;
    // An object released while a message was being handled goes only when the outermost
    // message has left it, so that no frame on the stack runs inside a freed object.
    if (m_released && m_depth == 0 && Menu)
        Menu->FreeSubclass(this);
}

void TControlSubClass::handle(ControlMessage& message)
{
    if (!Control)
        return;
    if ((message.msg == WM_PAINT && !Control->isWindowed()) ||
        (message.msg == WM_NCPAINT && Control->className() == "TDBLookupComboBox")) {
        message.result = 1;
        return;
    }
    callPrevious(message);
    if (m_released || !Control)
        return;
    if (Menu && !Menu->Active()) {
        message.result = 1;
        release();
        return;
    }
    LastMessage = message.msg;
    switch (message.msg) {
    case WM_DESTROY:
        if (!Recreating)
            release();
        break;
    case WM_SETFOCUS:
        Highlighted = true;
        PaintControl();
        break;
    case WM_KILLFOCUS:
        Highlighted = false;
        PaintControl();
        break;
    case WM_PAINT:
        Recreating = false;
        PaintControl();
        break;
    case WM_WINDOWPOSCHANGED:
    case WM_UNKNOWN_B8:
    case CM_CTL3DCHANGED:
    case CM_PARENTCTL3DCHANGED:
    case CM_INVALIDATE:
    case CM_UNKNOWN_BE10:
        Recreating = true;
        break;
    case BM_GETCHECK:
    case BM_SETCHECK:
        Highlighted = false;
        PaintControl();
        break;
    case BM_SETSTATE:
    case CM_FOCUSCHANGED:
    case CM_PARENTCOLORCHANGED:
    case CM_TEXTCHANGED:
        PaintControl();
        break;
    case WM_KEYDOWN:
        if (message.wParam == VK_SPACE) {
            SpaceDown = true;
            if (!SpaceHandled)
                PaintControl();
            SpaceHandled = true;
        }
        break;
    case WM_KEYUP:
        if (message.wParam == VK_SPACE) {
            SpaceDown = false;
            SpaceHandled = false;
            PaintControl();
        }
        break;
    case WM_LBUTTONDOWN:
        ButtonDown = true;
        PaintControl();
        break;
    case WM_LBUTTONUP:
        ButtonDown = false;
        PaintControl();
        break;
    case WM_LBUTTONDBLCLK:
        // A double-click counts as a second press.
        if (Control->isButton())
            Control->sendMessage({WM_LBUTTONDOWN, message.wParam, message.lParam, 0});
        break;
    case CM_ENABLEDCHANGED:
        if (message.wParam == 0)
            Highlighted = false;
        PaintControl();
        break;
    case CM_MOUSEENTER:
        if (Control->enabled()) {
            Highlighted = true;
            PaintControl();
        }
        break;
    case CM_MOUSELEAVE:
        if (Control->enabled()) {
            Highlighted = false;
            PaintControl();
        }
        break;
    case CM_EXIT:
        Highlighted = false;
        PaintControl();
        break;
    default:
        break;
    }
}

void TControlSubClass::PaintControl()
{
    if (!Control || !Menu)
        return;
    Focused = Control->isWindowed() && Control->focused();
    Canvas* canvas = Control->beginPaint();
    if (!canvas) {
        // Outside its paint the control cannot be drawn on: it paints again soon, and the
        // border follows in that paint.
        Control->invalidate();
        return;
    }
    const std::shared_ptr<FlatControl> control = Control; // a painter may rebuild the window
    try {
        if (control->isCustomCombo())
            PaintComboFrame(*canvas);
        else if (control->isCustomEdit())
            PaintEditFrame(*canvas);
        else if (control->className() == "TBitBtn")
            PaintBitmapButton(*canvas);
        else if (control->isButton())
            PaintPushButton(*canvas);
        else if (control->isCustomPanel())
            PaintPanelBevel(*canvas);
    } catch (...) {
        // As with a menu item: a failed paint never reaches the control's window procedure
        // (nor the toolkit's dispatch behind it); the next paint starts afresh.
    }
    control->endPaint();
}

} // namespace kelvara

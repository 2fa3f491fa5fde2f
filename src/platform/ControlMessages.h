#pragma once

#include <cstdint>

namespace kelvara {

/// The message numbers a hooked control's events are translated into.
enum ControlMessageNumber : unsigned {
    WM_DESTROY = 0x0002,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_CLOSE = 0x0010,
    WM_PAINT = 0x000F,
    WM_ERASEBKGND = 0x0014,
    WM_SHOWWINDOW = 0x0018,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_NCPAINT = 0x0085,
    WM_UNKNOWN_B8 = 0x00B8,
    BM_GETCHECK = 0x00F0,
    BM_SETCHECK = 0x00F1,
    BM_SETSTATE = 0x00F3,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    CM_FOCUSCHANGED = 0xB007,
    CM_PARENTCOLORCHANGED = 0xB009,
    CM_ENABLEDCHANGED = 0xB00C,
    CM_CTL3DCHANGED = 0xB010,
    CM_PARENTCTL3DCHANGED = 0xB011,
    CM_TEXTCHANGED = 0xB012,
    CM_MOUSEENTER = 0xB013,
    CM_MOUSELEAVE = 0xB014,
    CM_EXIT = 0xB01B,
    CM_INVALIDATE = 0xB034,
    CM_UNKNOWN_BE10 = 0xBE10,
};

constexpr unsigned VK_SPACE = 0x20;

/// One message to a control: its number, its two parameters and the answer.
struct ControlMessage
{
    unsigned msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::intptr_t result = 0;
};

/// Something installed as a control's window procedure in front of the control's own.
class WindowProc
{
public:
    virtual ~WindowProc() = default;
    virtual void windowProc(ControlMessage& message) = 0;
};

} // namespace kelvara

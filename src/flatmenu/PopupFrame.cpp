// The flat frame of a dropped menu's window: a region with a shadow cut-out, the border,
// the start of the icon column, and the window procedure that undoes it all.

#include "flatmenu/PopupFrame.h"

#include "flatmenu/Bitmap.h"
#include "flatmenu/FlatPainter.h"

#include <cstdlib>

namespace kelvara {

void TFlatPainter::PaintPopupFrame(PopupWindow* window, bool rightToLeft)
{
    if (!window || m_framePainting)
        return;
    m_framePainting = true;
    Canvas* canvas = window->beginPaint();
    try {
        paintFrameUnguarded(*window, canvas, rightToLeft);
    } catch (...) {
    }
    if (canvas)
        window->endPaint();
    m_framePainting = false;
}

void TFlatPainter::paintFrameUnguarded(PopupWindow& window, Canvas* canvas, bool rightToLeft)
{
    const Rect screen = window.windowRect();
    int w = screen.width();
    int h = screen.height();
    if (!window.runsFrameProc())
        window.installFrameProc();
    const bool nt51 = IsNT51();
    if (!nt51) {
        const Rect box = window.regionBox();
        if (!window.hasRegion() || std::abs(box.width() - w) > 5 ||
            std::abs(box.height() - h) > 5) {
            window.setRegion({{0, 0, w - 2, h - 2}, {2, 2, w, h}});
            window.redraw();
        }
        w -= 2;
        h -= 2;
    }
    if (!canvas)
        return; // drawn on in the window's own paint, which the redraw above asks for
    Canvas& c = *canvas;
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(PaintFrameColor);
    c.frameRect({0, 0, w, h});
    c.setBrushColor(PaintIconColumnColor);
    c.setPenColor(PaintIconColumnColor);
    if (!rightToLeft) {
        c.fillRect({1, 2, 3, h - 1});
    } else {
        c.moveTo(w - 3, 2);
        c.lineTo(w - 2, h - 1);
    }
    // Rows 1 and 2 inside the border repeat row 3.
    const auto copyRow3 = [&c, w](int row) {
        for (int x = 1; x < w - 1; ++x)
            c.setPixel(x, row, c.pixel(x, 3));
    };
    copyRow3(1);
    copyRow3(2);
    if (nt51) {
        copyRow3(h - 3);
        copyRow3(h - 2);
        c.setBrushColor(PaintMenuColor);
        c.fillRect({w - 3, 1, w - 1, h - 1});
    }
    w += 2;
    h += 2;
    if (!nt51) {
        c.setBrushColor(PaintShadowColor);
        c.fillRect({2, h - 2, w, h});
        c.fillRect({w - 2, 2, w, h});
    }
}

void PopupFrameProc(PopupWindow& window, ControlMessage& message, PopupDesktop* desktop)
{
    if (message.msg == WM_ERASEBKGND) {
        message.result = 1;
        return;
    }
    const bool hiding = message.msg == WM_SHOWWINDOW && message.wParam == 0;
    if (!(hiding || message.msg == WM_CLOSE || message.msg == WM_DESTROY)) {
        window.defaultProc(message);
        return;
    }
    window.setRegion({});
    window.restoreProc();
    window.defaultProc(message);
    if (!desktop)
        return;
    // The parent menu's window lies to the right of a sub-menu dropped leftwards; its frame
    // was partly covered.
    const Rect r = window.windowRect();
    PopupWindow* next = desktop->windowFromPoint({r.right + 2, r.top + 2});
    if (!next || !next->runsFrameProc())
        next = desktop->windowFromPoint({r.right + 2, r.bottom - 2});
    if (next && next->runsFrameProc())
        next->invalidateNoErase();
}

} // namespace kelvara

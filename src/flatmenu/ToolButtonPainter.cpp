// The flat tool bar button: fills and frames by state, the drop-down arrow, the glyph and
// caption, and the separator before it.

#include "flatmenu/Bitmap.h"
#include "flatmenu/ColorFunctions.h"
#include "flatmenu/FlatPainter.h"
#include "flatmenu/ToolBarModel.h"

namespace kelvara {

namespace {

bool usable(const MenuImages* list, int index)
{
    return list && index != -1 && index <= list->count() - 1;
}

} // namespace

void TFlatPainter::PaintToolSeparator(ToolBar& bar, const ToolButton& separator, Canvas& canvas)
{
    const Rect r = separator.bounds();
    canvas.setBrushStyle(BrushStyle::Solid);
    if (!bar.transparent()) {
        canvas.setBrushColor(m_highColor ? Lighten(bar.color(), 16) : bar.color());
        canvas.fillRect(r);
    }
    if (separator.tag() > 0) {
        const int x = r.left + r.width() / 2;
        canvas.setPenColor(Darken(bar.color(), 30));
        canvas.moveTo(x, r.top + 2);
        canvas.lineTo(x, r.bottom - 1);
    }
}

void TFlatPainter::PaintToolButton(ToolBar& bar, ToolButton& button, unsigned state, Canvas& canvas,
                                   bool& defaultDraw)
{
    // The bar draws nothing of the button itself, whatever happens below.
    defaultDraw = false;
    const int index = button.imageIndex();
    if (m_colorsDirty)
        RecomputePalette(canvas);
    const TColor hotColour =
        m_highColor && !m_useSystemColors ? Lighten(m_selectColor, 68) : PaintSelectColor;
    const TColor barColour = bar.color();
    const Rect bounds = button.bounds();
    Rect R = bounds;
    canvas.setBrushStyle(BrushStyle::Solid);
    if (!bar.transparent()) {
        canvas.setBrushColor(m_highColor ? Lighten(barColour, 16) : barColour);
        canvas.fillRect(R);
    }

    const bool hot = state & cdsHot;
    const bool checked = state & cdsChecked;
    const bool selected = state & cdsSelected;
    const bool dropDown = button.style() == ToolButtonStyle::DropDown;
    bool fill = false;
    bool framed = false;
    TColor fillColour = barColour;
    if (hot) {
        fillColour = checked || button.down() || selected ? PaintCheckAreaSelectColor : hotColour;
        fill = framed = true;
    } else if (checked) {
        fillColour = PaintCheckAreaColor;
        fill = framed = true;
    } else if (state & cdsIndeterminate) {
        fillColour = hotColour;
        fill = true;
    } else if (button.hasMenuItem() && state == 0 && !bar.transparent()) {
        fillColour = barColour;
        fill = true;
    }
    if (fill) {
        R.top += 1;
        canvas.setBrushColor(fillColour);
        canvas.fillRect(R);
    }
    if (framed) {
        canvas.setBrushColor(PaintSelectBorderColor);
        const int L = bounds.left, T = bounds.top + 1, Rt = bounds.right - 1, B = bounds.bottom - 1;
        if (dropDown) {
            canvas.frameRect({L, T, Rt - 12, B});
            canvas.frameRect({Rt - 13, T, Rt, B});
        } else {
            canvas.frameRect({L, T, Rt, B});
        }
    }
    if ((button.hasMenuItem() || button.hasDropdownMenu()) && selected)
        PaintOpenedItem(Owner::ToolButton, canvas, false, barColour, bounds);

    if (dropDown) {
        const int x = bounds.right - 10;
        const int y = bounds.top + (bounds.height() - 3) / 2 + 1;
        canvas.setPenColor(clBlack);
        for (int row = 0; row < 3; ++row) {
            canvas.moveTo(x + row, y + row);
            canvas.lineTo(x + 5 - row, y + row);
        }
    }

    const bool enabled = button.enabled() && !(state & cdsDisabled);
    const MenuImages* list = nullptr;
    if (hot && usable(bar.hotImages(), index))
        list = bar.hotImages();
    else if (!enabled && usable(bar.disabledImages(), index))
        list = bar.disabledImages();
    else if (usable(bar.images(), index))
        list = bar.images();

    Rect glyphRect{R.left, R.top + 2, R.left, R.top + 2};
    if (list) {
        Bitmap glyph(list->width(), list->height(), canvas.bitsPerPixel(), nullptr,
                     {canvas.deviceScale()});
        glyph.fill(glyph.pixel(0, glyph.height() - 1));
        list->draw(glyph, 0, 0, index);
        Rect r = R;
        if (dropDown)
            r.right -= 12;
        const int w = glyph.width();
        int left;
        if (!bar.list())
            left = RoundHalfEven((r.right - r.left - w) / 2.0 + r.left);
        else
            left = button.rightToLeft() ? r.right - 3 - w : r.left + 3;
        glyphRect = {left, r.top + 2, left + w, r.top + 2 + glyph.height() + 6};
        PaintItemGlyph(Owner::ToolButton, canvas, button.rightToLeft(), false, checked, enabled,
                       selected, hot, glyphRect, glyph);
    }

    if (bar.showCaptions()) {
        canvas.setFont(bar.font());
        const int line = canvas.textHeight(u"W");
        Rect t;
        unsigned flags = DT_SINGLELINE;
        if (bar.list()) {
            const int left = list ? glyphRect.right + 3 : R.left + 3;
            const int top = R.top + (R.height() - line) / 2;
            t = {left, top, R.right, top + line};
        } else {
            // Below the glyph, centred on the height of "W" in what is left.
            const int top = list ? glyphRect.bottom - 4 : R.top;
            const int middle = top + (R.bottom - top - line) / 2;
            t = {R.left, middle, dropDown ? R.right - 12 : R.right, middle + line};
            flags |= DT_CENTER;
        }
        PaintItemText(Owner::ToolButton, button.caption(), flags, bar.font(), button.rightToLeft(),
                      false, false, enabled, false, t, canvas, {});
    }

    if (ToolButton* previous = bar.previousButton(button);
        previous && (previous->style() == ToolButtonStyle::Separator ||
                     previous->style() == ToolButtonStyle::Divider))
        PaintToolSeparator(bar, *previous, canvas);
}

} // namespace kelvara

// The borders and faces a control subclass draws over its control: edits, combo boxes,
// panels, push buttons and bitmap buttons.

#include "flatmenu/Bitmap.h"
#include "flatmenu/ColorFunctions.h"
#include "flatmenu/ControlSubClass.h"
#include "flatmenu/FlatPainter.h"

namespace kelvara {

namespace {

constexpr int kParentColourTag = 1000;
constexpr int kNoOutlineTag = 1001;
constexpr int kLeftCaptionTag = 1002;

// The window layer's 3-D frame: width rings, each with the top and left edges in one colour
// and the bottom and right edges (corners included) in the other; the rectangle shrinks by
// the width.
void frame3D(Canvas& canvas, Rect& rect, TColor topLeft, TColor bottomRight, int width)
{
    Rect r{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    for (int i = 0; i < width; ++i) {
        canvas.setPenColor(topLeft);
        canvas.polyline({{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}});
        canvas.setPenColor(bottomRight);
        canvas.polyline({{r.right, r.top}, {r.right, r.bottom}, {r.left - 1, r.bottom}});
        r = r.inflated(-1, -1);
    }
    rect = {r.left, r.top, r.right + 1, r.bottom + 1};
}

void frameIn(Canvas& canvas, const Rect& r, TColor colour)
{
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(colour);
    canvas.frameRect(r);
}

void fillIn(Canvas& canvas, const Rect& r, TColor colour)
{
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(colour);
    canvas.fillRect(r);
}

std::u16string withoutPrefix(const std::u16string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out.push_back(text[i]);
    }
    return out;
}

bool blank(const std::u16string& text)
{
    for (char16_t c : text) {
        if (c != u' ')
            return false;
    }
    return true;
}

} // namespace

void TControlSubClass::PaintEditFrame(Canvas& canvas)
{
    FlatControl& control = *Control;
    if (control.ctl3D()) {
        // The window is rebuilt with a plain border; its destroy must not release us.
        Recreating = true;
        control.setCtl3D(false);
    }
    const TColor own = control.color();
    const TColor parent = control.parentColor();
    TColor colour =
        Highlighted || Focused ? Lighten(Menu->PaintSelectBorderColor, 60) : Darken(parent, 60);
    if (SavedBorderStyle == TBorderStyle::bsNone)
        colour = Highlighted && !Focused ? Lighten(BlendColors({own, parent}), 40) : own;
    frameIn(canvas, control.clientRect(), colour);
}

void TControlSubClass::PaintComboFrame(Canvas& canvas)
{
    FlatControl& control = *Control;
    const TColor own = control.color();
    const TColor parent = control.parentColor();
    const Rect client = control.clientRect();
    const int L = client.left, T = client.top, R = client.right;

    TColor arrow = control.enabled() ? clBlack : clWhite;
    TColor border = own;
    TColor face =
        control.tag() == kParentColourTag ? Lighten(parent, Menu->ButtonFaceLevel()) : clBtnFace;
    if (Highlighted) {
        border = Menu->PaintSelectBorderColor;
        face = Menu->PaintSelectColor;
    } else if (Focused) {
        border = Lighten(Menu->PaintSelectBorderColor, 60);
        face = Menu->PaintCheckAreaColor;
    }
    const bool lit = Highlighted || Focused;

    Rect r = client;
    frameIn(canvas, r, parent);
    r = r.inflated(-1, -1);
    canvas.setPenColor(parent);
    canvas.moveTo(r.left, r.top);
    canvas.lineTo(r.right, r.top);
    r.top += 1;
    r.bottom -= 1;
    if (lit)
        r = r.inflated(1, 1);
    frameIn(canvas, r, own);
    r.bottom += 1;
    frameIn(canvas, r, border);

    if (control.droppedDown()) {
        border = Menu->PaintSelectBorderColor;
        arrow = clWhite;
        face = Menu->PaintCheckAreaSelectColor;
    }
    if (control.comboStyle() == TComboStyle::csSimple)
        return;

    r = r.inflated(-1, -1);
    const int width = control.scrollThumbWidth() + 1;
    const bool rtl = control.rightToLeft();
    Rect button = rtl ? Rect{r.left, r.top, r.left + width, r.bottom}
                      : Rect{r.right - width, r.top, r.right, r.bottom};
    if (lit) {
        if (rtl)
            button.right += 2;
        else
            button.left -= 1;
    }
    fillIn(canvas, button, face);
    // Five pixels of the text's colour next to the text, then the separating line.
    canvas.setPenColor(border);
    if (rtl) {
        fillIn(canvas, {button.right - 5, button.top, button.right, button.bottom}, own);
        canvas.moveTo(button.right - 6, button.top);
        canvas.lineTo(button.right - 6, button.bottom);
    } else {
        fillIn(canvas, {button.left, button.top, button.left + 5, button.bottom}, own);
        canvas.moveTo(button.left + 5, button.top);
        canvas.lineTo(button.left + 5, button.bottom);
    }

    const int x = rtl ? L + 5 : R - 10;
    canvas.setPenColor(arrow);
    for (int row = 0; row < 3; ++row) {
        canvas.moveTo(x + row, T + 10 + row);
        canvas.lineTo(x + 5 - row, T + 10 + row);
    }
}

void TControlSubClass::PaintPanelBevel(Canvas& canvas)
{
    if (LastMessage != WM_PAINT)
        return;
    FlatControl& control = *Control;
    const TColor own = control.color();
    const TColor shadow = Darken(own, 60);
    const TColor light = Lighten(own, 60);
    Rect r = control.clientRect();
    const int width = control.bevelWidth();
    switch (control.bevelOuter()) {
    case TBevelCut::bvLowered:
        frame3D(canvas, r, shadow, light, width);
        break;
    case TBevelCut::bvNone:
        break;
    default:
        frame3D(canvas, r, light, shadow, width);
        break;
    }
    if (control.bevelInner() != TBevelCut::bvNone) {
        r = r.inflated(-control.borderWidth(), -control.borderWidth());
        if (control.bevelInner() == TBevelCut::bvLowered)
            frame3D(canvas, r, shadow, light, width);
        else
            frame3D(canvas, r, light, shadow, width);
    }
}

void TControlSubClass::buttonFace(Canvas& canvas, bool bitmapButton)
{
    FlatControl& control = *Control;
    const TColor parent = control.parentColor();
    const int tag = control.tag();
    // A push button takes its parent's colour at exactly 1000; a bitmap button by the bits.
    const bool parentFace =
        bitmapButton ? (tag & kParentColourTag) == kParentColourTag : tag == kParentColourTag;
    const bool noOutline = bitmapButton && (tag & kNoOutlineTag) == kNoOutlineTag;
    const bool hot = Highlighted || (bitmapButton && SpaceDown);

    TColor face;
    TColor base;
    if (hot) {
        face = Lighten(parentFace ? parent : clBtnFace, Menu->ButtonHotFaceLevel());
        base = Lighten(Menu->PaintSelectBorderColor, 60);
    } else {
        face = parentFace ? Lighten(parent, Menu->ButtonFaceLevel()) : Menu->PaintIconColumnColor;
        base = Focused ? Lighten(Menu->PaintSelectBorderColor, 60) : clBtnShadow;
    }
    if (noOutline)
        base = face;

    const Rect client = control.clientRect();
    const int L = client.left, T = client.top, R = client.right, B = client.bottom;
    fillIn(canvas, client, parent);
    canvas.setBrushColor(face);
    // Without an outline the rounded edge takes the face itself, so that nothing shows.
    canvas.setPenColor(noOutline ? face : Lighten(base, 30));
    canvas.roundRect(client, 4, 4);

    if (control.enabled() && !noOutline) {
        canvas.setPenColor(Darken(base, 50));
        if (SpaceDown || (ButtonDown && Highlighted))
            canvas.polyline({{L, B - 2}, {L, T + 1}, {L + 1, T}, {R - 1, T}});
        else
            canvas.polyline({{R - 1, T + 1}, {R - 1, B - 2}, {R - 2, B - 1}, {L, B - 1}});
    }
}

void TControlSubClass::PaintPushButton(Canvas& canvas)
{
    buttonFace(canvas, false);
    FlatControl& control = *Control;
    const Rect client = control.clientRect();
    const Font font = control.font();
    const std::u16string caption = control.caption();
    canvas.setFont(font);
    const Size size = canvas.textExtent(withoutPrefix(caption));
    const int left = client.left + (client.width() - size.width) / 2;
    const int top = client.top + (client.height() - size.height) / 2;
    unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (control.rightToLeft())
        flags |= DT_RTLREADING;
    Menu->PaintItemText(TFlatPainter::Owner::Control, caption, flags, font, control.rightToLeft(),
                        false, control.isDefault(), control.enabled(), false,
                        {left, top, left + size.width, top + size.height}, canvas, {});
}

void TControlSubClass::PaintBitmapButton(Canvas& canvas)
{
    buttonFace(canvas, true);
    FlatControl& control = *Control;
    const Rect client = control.clientRect();
    const int W = client.width(), H = client.height();
    const Font font = control.font();
    const std::u16string caption = control.caption();
    canvas.setFont(font);
    const Size text = canvas.textExtent(withoutPrefix(caption));
    const int w = text.width, h = text.height;

    // At the canvas's scale, so that the control fills them from its larger images.
    Bitmap strip(0, 0, 32, nullptr, {canvas.deviceScale()});
    Bitmap glyph(0, 0, 32, nullptr, {canvas.deviceScale()});
    if (control.glyph(strip) && !strip.empty()) {
        const int count = control.numGlyphs() > 0 ? control.numGlyphs() : 1;
        glyph.setSize(strip.width() / count, strip.height());
        glyph.copyRect({0, 0, glyph.width(), glyph.height()}, strip,
                       {0, 0, glyph.width(), glyph.height()});
    }
    const int gw = glyph.width(), gh = glyph.height();
    const int spacing = blank(caption) ? 0 : control.spacing();

    int gl = 0, gt = 0, cl = 0, ct = 0;
    switch (control.layout()) {
    case TButtonLayout::blGlyphLeft:
        gl = (W - (gw + spacing) - w) / 2;
        gt = (H - gh) / 2;
        cl = gl + gw + spacing;
        ct = (H - h) / 2;
        break;
    case TButtonLayout::blGlyphRight:
        gl = (gw + spacing + w + W) / 2 - gw;
        gt = (H - gh) / 2;
        cl = gl - spacing - w;
        ct = (H - h) / 2;
        break;
    case TButtonLayout::blGlyphTop:
        gl = (W - gw) / 2;
        gt = ((H - h - gh) - spacing) / 2;
        cl = (W - w) / 2;
        ct = gt + gh + spacing;
        break;
    case TButtonLayout::blGlyphBottom:
        gl = (W - gw) / 2;
        gt = (h + gh + spacing + H) / 2 - gh;
        cl = (W - w) / 2;
        ct = gt - spacing - h;
        break;
    }
    const int x0 = client.left, y0 = client.top;
    if (!glyph.empty())
        Menu->PaintItemGlyph(TFlatPainter::Owner::Control, canvas, control.rightToLeft(), false,
                             false, control.enabled(), Focused, Highlighted,
                             {x0 + gl, y0 + gt, x0 + gl + gw, y0 + gt + gh}, glyph);

    const bool rtl = control.rightToLeft();
    unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    Rect textRect{x0 + cl, y0 + ct, x0 + cl + w, y0 + ct + h};
    if ((control.tag() & kLeftCaptionTag) == kLeftCaptionTag) {
        flags = (rtl ? DT_RIGHT : DT_LEFT) | DT_VCENTER | DT_SINGLELINE;
        textRect = client.inflated(-4, -2);
    }
    if (rtl)
        flags |= DT_RTLREADING;
    Menu->PaintItemText(TFlatPainter::Owner::Control, caption, flags, font, rtl, false,
                        control.isDefault(), control.enabled(), false, textRect, canvas, {});
}

} // namespace kelvara

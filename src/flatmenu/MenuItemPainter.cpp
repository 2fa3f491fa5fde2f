// Measuring and painting of the menu items a TFlatPainter takes hold of, and the drawing
// services (opened item, check mark, glyph, text, gradient) the other painters share.

#include "flatmenu/Bitmap.h"
#include "flatmenu/ColorFunctions.h"
#include "flatmenu/FlatPainter.h"
#include "flatmenu/TextRenderer.h"

#include <algorithm>

namespace kelvara {

namespace {

std::u16string trimmed(std::u16string s)
{
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!s.empty() && blank(s.back()))
        s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && blank(s[i]))
        ++i;
    return s.substr(i);
}

} // namespace

bool TFlatPainter::isTopLevel(const MenuItem& item) const
{
    const Menu* menu = item.menu();
    return menu && menu->kind() == Menu::Kind::Main && item.parent() == nullptr;
}

const MenuImages* TFlatPainter::imagesFor(const MenuItem& item) const
{
    if (item.imageIndex() == -1)
        return nullptr;
    if (const MenuItem* parent = item.parent(); parent && parent->subMenuImages())
        return parent->subMenuImages();
    const Menu* menu = item.menu();
    return menu ? menu->images() : nullptr;
}

Size TFlatPainter::glyphExtent(const MenuItem& item) const
{
    if (const MenuImages* images = imagesFor(item))
        return {images->width(), images->height()};
    if (const Bitmap* own = item.bitmap(); own && own->width() > 0)
        return {own->width(), own->height()};
    return {};
}

bool TFlatPainter::glyphOf(const MenuItem& item, Bitmap& glyph) const
{
    // The item's own bitmap first; an image of the image list replaces it.
    if (const Bitmap* own = item.bitmap(); own && !own->empty()) {
        glyph.setSize(own->width(), own->height());
        glyph.fill(glyph.pixel(0, glyph.height() - 1));
        glyph.draw(0, 0, *own, true);
    }
    if (const MenuImages* images = imagesFor(item)) {
        glyph.setSize(images->width(), images->height());
        glyph.fill(glyph.pixel(0, glyph.height() - 1));
        images->draw(glyph, 0, 0, item.imageIndex());
    }
    return !glyph.empty();
}

void TFlatPainter::MeasureMenuItem(MenuItem& item, Canvas& canvas, int& width, int& height)
{
    if (!m_active)
        return;
    const std::u16string caption = item.caption();
    const bool separator = caption == u"-";
    std::u16string text = separator ? std::u16string() : caption;
    const std::u16string shortcut = trimmed(item.shortCutText());
    if (!shortcut.empty())
        text = caption + shortcut + u"WWW"; // the letters reserve the gap before the shortcut

    canvas.setFont(m_font);
    const Size extent = canvas.textExtent(text);
    int w = extent.width + 5;
    if (text.find(u'&') != std::u16string::npos)
        w -= canvas.textWidth(u"&");
    const bool topLevel = isTopLevel(item);
    if (!topLevel && item.count() > 0)
        w += 6; // room for the sub-menu arrow, which the menu draws itself

    Size glyph = glyphExtent(item);
    if (!topLevel)
        glyph.width = std::max(glyph.width, m_iconWidth);
    width = std::max(width, w + glyph.width);

    if (separator) {
        height = 4;
        return;
    }
    const int textHeight = extent.height;
    int h = textHeight + RoundHalfEven(0.75 * textHeight);
    h = std::max(h, glyph.height + 6);
    height = std::max(height, h);
}

void TFlatPainter::PaintMenuItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected)
{
    if (!m_active)
        return;
    // A failed paint must never reach the menu's window procedure; the next paint starts
    // afresh.
    try {
        paintItemUnguarded(item, canvas, rect, selected);
    } catch (...) {
    }
}

void TFlatPainter::paintItemUnguarded(MenuItem& item, Canvas& canvas, const Rect& rect,
                                      bool selected)
{
    const int W = rect.width();
    const int H = rect.height();
    if (W <= 0 || H <= 0)
        return;
    // The buffer reaches four pixels left of the item, over the menu's margin.
    int bufferWidth = W + 4;
    Point copyAt{rect.left - 4, rect.top};
    Rect R{4, 0, W + 4, H};

    const std::u16string caption = item.caption();
    const bool separator = caption == u"-";
    const bool topLevel = isTopLevel(item);
    if (topLevel) {
        R.left = 0;
        copyAt.x = rect.left;
        R.right -= 4;
        bufferWidth -= 4;
        R.bottom -= 1;
    }

    // Made on the device grid of the spot it is copied to, so that on a scaled screen items
    // stacked in a menu meet without a seam and their text keeps the device's resolution.
    Bitmap buffer(bufferWidth, H, canvas.bitsPerPixel(), &canvas.textRenderer(),
                  canvas.gridAt(copyAt.x, copyAt.y));
    if (m_colorsDirty)
        RecomputePalette(buffer);
    buffer.setFont(m_font);
    R.bottom += 1;
    Rect T = R;
    const std::u16string text = u" " + caption;

    Bitmap glyph(0, 0, buffer.bitsPerPixel(), nullptr, {buffer.grid().scale});
    const bool hasGlyph = glyphOf(item, glyph);
    const int glyphWidth = hasGlyph ? glyph.width() : 0;
    const Menu* menu = item.menu();
    const bool rightToLeft = menu && menu->isRightToLeft();

    const Rect I = rightToLeft ? Rect{R.right - m_iconWidth, R.top, R.right, R.bottom}
                               : Rect{R.left, R.top, R.left + m_iconWidth, R.bottom};
    Rect C;
    if (hasGlyph) {
        C = {I.left + 1, I.top + 2, I.right - 3, I.bottom - 2};
    } else {
        const int left = I.left + (I.width() - 10) / 2;
        const int top = I.top + (I.height() - 10) / 2;
        C = {left, top, left + 10, top + 10};
    }
    if (glyphWidth > m_iconWidth) {
        if (rightToLeft)
            C.left = C.right - glyphWidth;
        else
            C.right = C.left + glyphWidth;
    }
    if (topLevel)
        C = C.translated(0, -1);

    const int iconSide = topLevel ? 4 : m_iconWidth;
    if (!rightToLeft) {
        int edge = R.left + iconSide;
        if (edge < R.left + glyphWidth)
            edge = R.left + glyphWidth + 4;
        T.left = edge;
        T.right = R.right;
    } else {
        int edge = R.right - iconSide;
        if (edge > R.right - glyphWidth)
            edge = R.right - glyphWidth - 8;
        T.left = R.left;
        T.right = edge;
    }
    if (topLevel) {
        if (!hasGlyph)
            T = R;
        else if (rightToLeft)
            T.right += 5;
        else
            T.left -= 5;
    }

    // Background.
    if (topLevel) {
        if (m_drawMenuBar)
            PaintMenuBarColor = m_menuBarColor;
        buffer.setBrushColor(PaintMenuBarColor);
        buffer.setPenColor(PaintMenuBarColor);
        buffer.fillRect(R);
        if (m_drawMenuBar && menu) {
            // The rest of the bar lies beyond the buffer: it goes straight to the menu canvas.
            Rect rest;
            const bool last = menu->count() > 0 && menu->item(menu->count() - 1) == &item;
            if (last && !rightToLeft)
                rest = {R.left, R.top, (m_host ? m_host->clientWidth() : R.right) + 5, R.bottom};
            else if (last)
                rest = {3, R.top, R.right, R.bottom};
            else if (rightToLeft)
                rest = {R.left, R.top, R.right + 7, R.bottom};
            if (!rest.isEmpty()) {
                canvas.setBrushColor(PaintMenuBarColor);
                canvas.fillRect(rest.translated(copyAt.x, copyAt.y));
            }
        }
    } else if (m_highColor && m_gradient) {
        PaintGradientStrip(buffer, {R.left, R.top, R.right + 2, R.bottom}, rightToLeft);
    } else {
        buffer.setBrushColor(PaintMenuColor);
        buffer.fillRect({R.left - 4, R.top, R.right, R.bottom});
        buffer.setBrushColor(PaintIconColumnColor);
        buffer.fillRect(I);
    }

    // Selection, or the hot-tracked top-level item under the mouse.
    const bool enabled = item.enabled();
    bool drawnSelected = false;
    if (selected && m_drawSelect) {
        if (topLevel) {
            PaintOpenedItem(Owner::MenuItem, buffer, rightToLeft, m_menuBarColor, R);
        } else if (enabled) {
            Rect s{R.left, R.top + 1, R.right, R.bottom - 1};
            if (m_flatMenu)
                s.right -= 1;
            buffer.setBrushStyle(BrushStyle::Solid);
            buffer.setBrushColor(PaintSelectColor);
            buffer.setPenColor(PaintSelectBorderColor);
            buffer.rectangle(s);
        }
        drawnSelected = true;
    } else if (IsNT() && topLevel && enabled && m_host) {
        const Point p = m_host->cursorPos();
        if (rect.left <= p.x && p.x <= rect.right - 1 && rect.top <= p.y &&
            p.y <= rect.bottom - 2) {
            buffer.setBrushStyle(BrushStyle::Solid);
            buffer.setBrushColor(PaintSelectColor);
            buffer.setPenColor(PaintSelectBorderColor);
            buffer.rectangle({R.left, R.top, R.right - 7, R.bottom});
            drawnSelected = true;
        }
    }

    if (item.checked() || item.radioItem())
        PaintCheckMark(item, selected, C, buffer, hasGlyph, enabled);
    if (hasGlyph)
        PaintItemGlyph(Owner::MenuItem, buffer, rightToLeft, topLevel, item.checked(), enabled,
                       false, selected || drawnSelected, I, glyph);

    if (separator) {
        const int y = T.top + RoundHalfEven(T.height() / 2.0);
        buffer.setPenColor(PaintSeparatorColor);
        if (rightToLeft) {
            buffer.moveTo(T.left, y);
            buffer.lineTo(T.right - 7, y);
        } else {
            buffer.moveTo(T.left + 7, y);
            buffer.lineTo(T.right, y);
        }
    } else {
        unsigned flags = DT_LEFT;
        if (rightToLeft) {
            T.right -= 3;
            flags = DT_RIGHT | DT_RTLREADING;
        } else {
            T.left += 3;
        }
        T.top += (T.height() - buffer.textHeight(u"W")) / 2;
        PaintItemText(Owner::MenuItem, text, flags, m_font, rightToLeft, topLevel, item.isDefault(),
                      enabled, selected, T, buffer, trimmed(item.shortCutText()));
    }

    canvas.draw(copyAt.x, copyAt.y, buffer);

    if (m_flatMenu && !topLevel && !(m_host && m_host->designing()) && m_frameRequests &&
        !m_frameRequests->pending()) {
        void* window = canvas.window();
        if (window) {
            if (!m_host || window != m_host->window())
                m_frameRequests->postWindow(rightToLeft, window);
        } else {
            m_frameRequests->postItem(&item);
        }
    }
}

void TFlatPainter::PaintOpenedItem(Owner owner, Canvas& canvas, bool rightToLeft, TColor colour,
                                   const Rect& rect)
{
    const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(PaintSelectColor);
    canvas.fillRect(rect);
    canvas.setPenColor(PaintSelectBorderColor);
    const bool simple = rightToLeft || !m_highColor || owner == Owner::ToolButton;
    if (simple) {
        canvas.polyline({{L, B - 1}, {L, T}, {R - 3, T}, {R - 3, B}});
        canvas.setBrushColor(Darken(colour, 70));
        canvas.fillRect({R - 2, T + 2, R, B});
        canvas.setBrushColor(colour);
        canvas.fillRect({R - 2, T, R, T + 2});
        return;
    }
    canvas.polyline({{L, B - 1}, {L, T}, {R - 8, T}, {R - 8, B}});
    const TColor base = PaintMenuBarColor;
    const auto fill = [&canvas](const Rect& r, TColor c) {
        canvas.setBrushColor(c);
        canvas.fillRect(r);
    };
    fill({R - 7, T, R, B}, Darken(base, 10));
    fill({R - 7, T + 3, R - 2, B}, Darken(base, 30));
    fill({R - 7, T + 5, R - 3, B}, Darken(base, 60));
    fill({R - 7, T + 6, R - 5, B}, Darken(base, 100));
    // The top-right corner rounded off.
    canvas.setPenColor(base);
    canvas.polyline({{R - 5, T + 1}, {R - 1, T + 1}, {R - 1, T + 6}});
    canvas.polyline({{R - 3, T + 2}, {R - 2, T + 2}, {R - 2, T + 3}, {R - 3, T + 3}});
    canvas.setPenColor(Darken(base, 10));
    canvas.polyline(
        {{R - 6, T + 3}, {R - 3, T + 3}, {R - 3, T + 6}, {R - 4, T + 6}, {R - 4, T + 3}});
    canvas.setPenColor(Darken(base, 30));
    canvas.polyline({{R - 5, T + 5}, {R - 4, T + 5}, {R - 4, T + 9}});
    canvas.setPenColor(Darken(base, 40));
    canvas.polyline({{R - 6, T + 5}, {R - 6, T + 7}});
}

void TFlatPainter::PaintCheckMark(const MenuItem& item, bool selected, const Rect& c,
                                  Canvas& canvas, bool hasGlyph, bool enabled)
{
    if (!item.checked())
        return;
    // A disabled mark keeps the check-area brush of the enabled one; only its pen grays.
    canvas.setPenColor(enabled ? PaintSelectBorderColor : PaintDisabledColor);
    canvas.setBrushColor(selected ? PaintCheckAreaSelectColor : PaintCheckAreaColor);
    canvas.setBrushStyle(BrushStyle::Solid);
    if (item.radioItem()) {
        if (hasGlyph) {
            canvas.roundRect(c, 6, 6);
        } else {
            canvas.ellipse(c);
            canvas.setBrushColor(canvas.penColor());
            canvas.ellipse(c.inflated(-2, -2));
        }
        return;
    }
    if (hasGlyph) {
        canvas.rectangle(c);
        return;
    }
    canvas.setPenColor(enabled ? PaintCheckedColor : PaintDisabledColor);
    canvas.rectangle(c);
    canvas.setPenColor(enabled ? clBlack : PaintDisabledColor);
    const int L = c.left, T = c.top, Rt = c.right, B = c.bottom;
    canvas.polyline({{L + 1, T + 5}, {L + 4, B - 2}});
    canvas.polyline({{L + 2, T + 5}, {L + 4, B - 3}});
    canvas.polyline({{L + 2, T + 4}, {L + 5, B - 3}});
    canvas.polyline({{L + 4, B - 3}, {Rt + 2, T - 1}});
    canvas.polyline({{L + 4, B - 2}, {Rt - 2, T + 3}});
}

void TFlatPainter::PaintItemGlyph(Owner owner, Canvas& canvas, bool rightToLeft, bool topLevel,
                                  bool checked, bool enabled, bool pressed, bool selected,
                                  const Rect& rect, Bitmap& bitmap)
{
    if (bitmap.empty())
        return;
    const int L = rect.left, T = rect.top, R = rect.right;
    const int w = bitmap.width();
    int x = L;
    int y = T + 1;
    if (owner == Owner::MenuItem) {
        y = T + 3;
        if (w < m_iconWidth)
            x = L + (m_iconWidth - w) / 2 - 1;
        else
            x = rightToLeft ? R - w - 2 : L + 2;
    }
    if (topLevel)
        x = rightToLeft ? R - w - 5 : L + 1;

    if (selected && enabled && !pressed) {
        if (topLevel) {
            x -= 1;
            y -= 2;
        } else if (!checked) {
            x -= 1;
            y -= 1;
        }
    }
    if (!selected && enabled && !checked && m_highColor)
        FadeToWhite(bitmap, m_dimLevel);
    if (!enabled) {
        FadeToGray(bitmap, m_grayLevel);
        FadeToWhite(bitmap, 40);
    }
    if (selected && enabled && !checked) {
        const TColor s = owner == Owner::ToolButton && m_highColor && !m_useSystemColors
                             ? Lighten(m_selectColor, 68)
                             : PaintSelectColor;
        PaintGlyphShadow(bitmap, canvas, x + 2, y + 2, Darken(s, 50));
    }
    canvas.draw(x, y, bitmap, true);
}

void TFlatPainter::PaintItemText(Owner owner, std::u16string_view text, unsigned flags,
                                 const kelvara::Font& font, bool rightToLeft, bool topLevel,
                                 bool isDefault, bool enabled, bool selected, const Rect& rect,
                                 Canvas& canvas, std::u16string_view shortcut)
{
    canvas.setFont(font);
    TColor colour = font.color;
    if (selected)
        colour = PaintSelectFontColor;
    if (!enabled)
        colour = PaintDisabledColor;
    canvas.setFontColor(colour);

    if (owner == Owner::ToolButton && !enabled) {
        const int lineHeight = canvas.textHeight(u"W");
        const int top = rect.top + (rect.height() - lineHeight) / 2;
        Bitmap off(rect.width(), lineHeight, canvas.bitsPerPixel(), &canvas.textRenderer(),
                   canvas.gridAt(rect.left, top));
        if (off.empty())
            return;
        off.fill(canvas.brushColor());
        off.setFont(canvas.font());
        off.setBackgroundMode(BackgroundMode::Transparent);
        off.drawText(text, {0, 0, off.width(), off.height()}, flags | DT_EXPANDTABS | DT_VCENTER);
        canvas.draw(rect.left, top, off);
        return;
    }
    if (selected && topLevel && m_useSystemColors)
        canvas.setFontColor(ContrastTextColor(PaintIconColumnColor));
    canvas.setBackgroundMode(BackgroundMode::Transparent);
    flags |= DT_EXPANDTABS;

    if (isDefault && enabled) {
        // A soft shadow: four copies, each darkened from what lies under its corner.
        const TColor keep = canvas.font().color;
        const auto copy = [&](const Rect& r, int level) {
            canvas.setFontColor(Darken(canvas.pixel(r.left, r.top), level));
            canvas.drawText(text, r, flags);
        };
        const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
        copy({L + 1, T, R, B}, 30);
        copy({L + 1, T + 2, R + 1, B}, 30);
        copy({L, T + 1, R, B}, 40);
        copy({L + 1, T + 1, R + 1, B}, 60);
        canvas.setFontColor(keep);
    }
    canvas.drawText(text, rect, flags);

    if (!shortcut.empty()) {
        const std::u16string withBlank = std::u16string(shortcut) + u" ";
        Rect r = rect;
        unsigned shortcutFlags = flags & ~(DT_CENTER | DT_RIGHT);
        if (rightToLeft) {
            r.left += 10;
        } else {
            r.right -= 10;
            shortcutFlags |= DT_RIGHT;
        }
        canvas.drawText(withBlank, r, shortcutFlags);
    }
}

void TFlatPainter::PaintGradientStrip(Canvas& canvas, const Rect& rect, bool rightToLeft)
{
    int level = 0;
    const auto column = [&](int x, bool fast) {
        level = std::min(level + (fast ? 3 : 1), 96);
        canvas.setBrushColor(Lighten(PaintIconColumnColor, level));
        canvas.fillRect({x, rect.top, x + 1, rect.bottom});
    };
    if (!rightToLeft) {
        for (int x = rect.left; x < rect.right; ++x)
            column(x, x > rect.left && x < rect.left + m_iconWidth + 5);
    } else {
        for (int x = rect.right - 1; x >= rect.left; --x)
            column(x, x > rect.right - m_iconWidth + 5 && x < rect.right);
    }
}

} // namespace kelvara

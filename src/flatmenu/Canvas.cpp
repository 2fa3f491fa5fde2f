#include "flatmenu/Canvas.h"

#include "flatmenu/Bitmap.h"
#include "flatmenu/TextRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace kelvara {

namespace {

struct Span
{
    int left;
    int right; // outside
};

// The columns of row j (0-based) of an ellipse of w x h pixels: the pixel centres inside it.
Span ellipseRow(int w, int h, int j)
{
    const double cy = h / 2.0;
    const double dy = (j + 0.5 - cy) / cy;
    const double half = (w / 2.0) * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    const int s = static_cast<int>(std::floor(w / 2.0 - half + 0.5));
    const int e = static_cast<int>(std::floor(w / 2.0 + half + 0.5));
    return {s, std::max(s, e)};
}

// The filled rows of a rectangle whose corners are quarters of an ew x eh ellipse.
std::vector<Span> roundedSpans(const Rect& r, int ew, int eh)
{
    const int w = r.width();
    const int h = r.height();
    ew = std::clamp(ew, 0, w);
    eh = std::clamp(eh, 0, h);
    std::vector<Span> rows(static_cast<std::size_t>(std::max(h, 0)));
    for (int j = 0; j < h; ++j) {
        int inset = 0;
        int insetRight = 0;
        int ellipseRowIndex = -1;
        if (j < eh / 2)
            ellipseRowIndex = j;
        else if (j >= h - eh / 2)
            ellipseRowIndex = eh - (h - j);
        if (ellipseRowIndex >= 0 && ew > 0) {
            const Span s = ellipseRow(ew, eh, ellipseRowIndex);
            inset = s.left;
            insetRight = ew - s.right;
        }
        rows[static_cast<std::size_t>(j)] = {r.left + inset,
                                             std::max(r.left + inset, r.right - insetRight)};
    }
    return rows;
}

struct Layout
{
    std::u16string text;
    int underline = -1; // index in text of the underlined letter
};

// Takes out the "&" prefixes (a doubled one stays as one "&") and expands tabs to blanks up
// to the next multiple of eight characters.
Layout layoutText(std::u16string_view in, unsigned flags)
{
    Layout out;
    const bool prefix = (flags & DT_NOPREFIX) == 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        char16_t c = in[i];
        if (prefix && c == u'&') {
            if (i + 1 >= in.size())
                break;
            c = in[++i];
            if (c != u'&' && out.underline < 0)
                out.underline = static_cast<int>(out.text.size());
        }
        if (c == u'\t' && (flags & DT_EXPANDTABS)) {
            do
                out.text.push_back(u' ');
            while (out.text.size() % 8 != 0);
            continue;
        }
        out.text.push_back(c);
    }
    return out;
}

} // namespace

void Canvas::lineTo(int x, int y)
{
    // Bresenham from the pen position; the end point is not drawn.
    int x0 = m_penPos.x;
    int y0 = m_penPos.y;
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    const TColor rgb = ColorToRGB(m_penColor);
    while (x0 != x || y0 != y) {
        setPixel(x0, y0, rgb);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    m_penPos = {x, y};
}

void Canvas::polyline(std::initializer_list<Point> points)
{
    bool first = true;
    for (const Point& p : points) {
        if (first)
            moveTo(p.x, p.y);
        else
            lineTo(p.x, p.y);
        first = false;
    }
}

void Canvas::rectangle(const Rect& r)
{
    if (r.isEmpty())
        return;
    if (m_brushStyle == BrushStyle::Solid)
        fillPixels(r.inflated(-1, -1), ColorToRGB(m_brushColor));
    const TColor pen = ColorToRGB(m_penColor);
    fillPixels({r.left, r.top, r.right, r.top + 1}, pen);
    fillPixels({r.left, r.bottom - 1, r.right, r.bottom}, pen);
    fillPixels({r.left, r.top, r.left + 1, r.bottom}, pen);
    fillPixels({r.right - 1, r.top, r.right, r.bottom}, pen);
}

void Canvas::fillRect(const Rect& r)
{
    if (!r.isEmpty())
        fillPixels(r, ColorToRGB(m_brushColor));
}

void Canvas::frameRect(const Rect& r)
{
    if (r.isEmpty())
        return;
    const TColor rgb = ColorToRGB(m_brushColor);
    fillPixels({r.left, r.top, r.right, r.top + 1}, rgb);
    fillPixels({r.left, r.bottom - 1, r.right, r.bottom}, rgb);
    fillPixels({r.left, r.top, r.left + 1, r.bottom}, rgb);
    fillPixels({r.right - 1, r.top, r.right, r.bottom}, rgb);
}

void Canvas::roundRect(const Rect& r, int ellipseWidth, int ellipseHeight)
{
    fillSpans(r, ellipseWidth, ellipseHeight);
}

void Canvas::ellipse(const Rect& bounds)
{
    fillSpans(bounds, bounds.width(), bounds.height());
}

void Canvas::fillSpans(const Rect& bounds, int ellipseWidth, int ellipseHeight)
{
    if (bounds.isEmpty())
        return;
    const std::vector<Span> rows = roundedSpans(bounds, ellipseWidth, ellipseHeight);
    const int h = static_cast<int>(rows.size());
    if (m_brushStyle == BrushStyle::Solid) {
        const TColor brush = ColorToRGB(m_brushColor);
        for (int j = 0; j < h; ++j) {
            const Span& s = rows[static_cast<std::size_t>(j)];
            fillPixels({s.left, bounds.top + j, s.right, bounds.top + j + 1}, brush);
        }
    }
    // The outline is every inside pixel with a neighbour (left, right, up, down) outside.
    auto inside = [&](int x, int j) {
        if (j < 0 || j >= h)
            return false;
        const Span& s = rows[static_cast<std::size_t>(j)];
        return x >= s.left && x < s.right;
    };
    const TColor pen = ColorToRGB(m_penColor);
    for (int j = 0; j < h; ++j) {
        const Span& s = rows[static_cast<std::size_t>(j)];
        for (int x = s.left; x < s.right; ++x) {
            if (x == s.left || x == s.right - 1 || !inside(x, j - 1) || !inside(x, j + 1))
                setPixel(x, bounds.top + j, pen);
        }
    }
}

Size Canvas::textExtent(std::u16string_view text) const
{
    return textRenderer().measure(m_font, text);
}

void Canvas::textOut(int x, int y, std::u16string_view text)
{
    const Size extent = textExtent(text);
    if (m_backgroundMode == BackgroundMode::Opaque)
        fillPixels({x, y, x + extent.width, y + extent.height}, ColorToRGB(m_brushColor));
    // No clipping beyond the device itself.
    drawTextLine(x, y, text, ColorToRGB(m_font.color), false,
                 {x, y, x + extent.width, y + extent.height});
}

int Canvas::drawText(std::u16string_view text, const Rect& r, unsigned flags)
{
    const Layout layout = layoutText(text, flags);
    const Size extent = textExtent(layout.text);
    int x = r.left;
    if (flags & DT_CENTER)
        x = r.left + (r.width() - extent.width) / 2;
    else if (flags & DT_RIGHT)
        x = r.right - extent.width;
    int y = r.top;
    if (flags & DT_VCENTER)
        y = r.top + (r.height() - extent.height) / 2;
    const bool rightToLeft = (flags & DT_RTLREADING) != 0;
    const Rect textBox{x, y, x + extent.width, y + extent.height};
    const Rect clip = (flags & DT_NOCLIP) ? textBox : textBox.intersected(r);
    if (m_backgroundMode == BackgroundMode::Opaque)
        fillPixels(clip, ColorToRGB(m_brushColor));
    const TColor rgb = ColorToRGB(m_font.color);
    drawTextLine(x, y, layout.text, rgb, rightToLeft, clip);
    if (layout.underline >= 0) {
        const std::u16string_view all(layout.text);
        const auto u = static_cast<std::size_t>(layout.underline);
        const int before = textExtent(all.substr(0, u)).width;
        const int letter = textExtent(all.substr(u, 1)).width;
        const int left = rightToLeft ? x + extent.width - before - letter : x + before;
        const int underlineY = y + textRenderer().ascent(m_font) + 1;
        fillPixels(Rect{left, underlineY, left + letter, underlineY + 1}.intersected(clip), rgb);
    }
    return extent.height;
}

void Canvas::draw(int x, int y, const Bitmap& bitmap, bool transparent)
{
    if (bitmap.empty())
        return;
    copyPixels(x, y, bitmap, {0, 0, bitmap.width(), bitmap.height()}, transparent,
               bitmap.pixel(0, bitmap.height() - 1));
}

void Canvas::copyRect(const Rect& destination, const Bitmap& source, const Rect& sourceRect)
{
    const Rect s{sourceRect.left, sourceRect.top, sourceRect.left + destination.width(),
                 sourceRect.top + destination.height()};
    copyPixels(destination.left, destination.top, source, s, false, 0);
}

void Canvas::drawKeyed(int x, int y, const Bitmap& bitmap, TColor key)
{
    if (!bitmap.empty())
        copyPixels(x, y, bitmap, {0, 0, bitmap.width(), bitmap.height()}, true, ColorToRGB(key));
}

} // namespace kelvara

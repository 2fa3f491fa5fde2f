#include "flatmenu/Bitmap.h"

#include "flatmenu/TextRenderer.h"

#include <algorithm>

namespace kelvara {

std::uint32_t ColorToPixel(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) |
           static_cast<std::uint32_t>(GetBValue(rgb));
}

TColor PixelToColor(std::uint32_t pixel)
{
    return RGB(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
               static_cast<int>(pixel & 0xFF));
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel, const TextRenderer* renderer)
    : m_bitsPerPixel(bitsPerPixel), m_renderer(renderer)
{
    setSize(width, height);
}

Bitmap::Bitmap(const Bitmap& other)
    : Canvas(other), m_width(other.m_width), m_height(other.m_height),
      m_bitsPerPixel(other.m_bitsPerPixel), m_renderer(other.m_renderer), m_pixels(other.m_pixels)
{}

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this != &other) {
        Canvas::operator=(other);
        m_width = other.m_width;
        m_height = other.m_height;
        m_bitsPerPixel = other.m_bitsPerPixel;
        m_renderer = other.m_renderer;
        m_pixels = other.m_pixels;
    }
    return *this;
}

void Bitmap::setSize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
                    0xFFFFFFFFu);
}

void Bitmap::fill(TColor color)
{
    std::fill(m_pixels.begin(), m_pixels.end(), ColorToPixel(color));
}

void Bitmap::setTextRenderer(const TextRenderer* renderer)
{
    m_renderer = renderer;
}

const TextRenderer& Bitmap::textRenderer() const
{
    return m_renderer ? *m_renderer : CellTextRenderer::standard();
}

TColor Bitmap::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return clBlack;
    return PixelToColor(m_pixels[static_cast<std::size_t>(y) * m_width + x]);
}

void Bitmap::setPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = ColorToPixel(color);
}

void Bitmap::fillPixels(const Rect& r, TColor rgb)
{
    const Rect c = r.intersected({0, 0, m_width, m_height});
    if (c.isEmpty())
        return;
    const std::uint32_t word = ColorToPixel(rgb);
    for (int y = c.top; y < c.bottom; ++y) {
        std::uint32_t* row = m_pixels.data() + static_cast<std::size_t>(y) * m_width;
        std::fill(row + c.left, row + c.right, word);
    }
}

void Bitmap::drawTextLine(int x, int y, std::u16string_view text, TColor rgb, bool rightToLeft,
                          const Rect& clip)
{
    textRenderer().draw(*this, x, y, font(), rgb, text, rightToLeft,
                        clip.intersected({0, 0, m_width, m_height}));
}

void Bitmap::copyPixels(int x, int y, const Bitmap& source, const Rect& sourceRect,
                        bool transparent, TColor transparentRgb)
{
    const Rect s = sourceRect.intersected({0, 0, source.width(), source.height()});
    const std::uint32_t key = ColorToPixel(transparentRgb);
    // A copy of itself goes through a temporary so overlapping rows read the old pixels.
    const Bitmap* from = &source;
    Bitmap copy;
    if (&source == this) {
        copy = source;
        from = &copy;
    }
    for (int sy = s.top; sy < s.bottom; ++sy) {
        const int dy = y + sy - sourceRect.top;
        if (dy < 0 || dy >= m_height)
            continue;
        for (int sx = s.left; sx < s.right; ++sx) {
            const int dx = x + sx - sourceRect.left;
            if (dx < 0 || dx >= m_width)
                continue;
            const std::uint32_t word =
                from->bits()[static_cast<std::size_t>(sy) * from->width() + sx];
            if (transparent && word == key)
                continue;
            m_pixels[static_cast<std::size_t>(dy) * m_width + dx] = word;
        }
    }
}

} // namespace kelvara

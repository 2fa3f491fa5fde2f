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

Bitmap::Bitmap(int width, int height, int bitsPerPixel, const TextRenderer* renderer,
               DeviceGrid grid)
    : m_grid(grid), m_bitsPerPixel(bitsPerPixel), m_renderer(renderer)
{
    if (!(m_grid.scale > 0.0))
        m_grid = {};
    setSize(width, height);
}

Bitmap::Bitmap(const Bitmap& other) = default;
Bitmap& Bitmap::operator=(const Bitmap& other) = default;

void Bitmap::setSize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_deviceWidth = std::max(m_grid.column(m_width), 0);
    m_deviceHeight = std::max(m_grid.row(m_height), 0);
    m_pixels.assign(static_cast<std::size_t>(m_deviceWidth) *
                        static_cast<std::size_t>(m_deviceHeight),
                    0xFFFFFFFFu);
}

void Bitmap::setGrid(const DeviceGrid& grid)
{
    m_grid = grid.scale > 0.0 ? grid : DeviceGrid{};
    setSize(m_width, m_height);
}

Rect Bitmap::deviceRect(const Rect& r) const
{
    return Rect{m_grid.column(r.left), m_grid.row(r.top), m_grid.column(r.right),
                m_grid.row(r.bottom)}
        .intersected({0, 0, m_deviceWidth, m_deviceHeight});
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
    // Below 1x a block can be empty; its neighbour's pixel stands for it.
    const int dx = std::min(m_grid.column(x), m_deviceWidth - 1);
    const int dy = std::min(m_grid.row(y), m_deviceHeight - 1);
    if (dx < 0 || dy < 0)
        return clBlack;
    return PixelToColor(m_pixels[static_cast<std::size_t>(dy) * m_deviceWidth + dx]);
}

void Bitmap::setPixel(int x, int y, TColor color)
{
    fillPixels({x, y, x + 1, y + 1}, color);
}

void Bitmap::fillPixels(const Rect& r, TColor rgb)
{
    const Rect c = deviceRect(r);
    if (c.isEmpty())
        return;
    const std::uint32_t word = ColorToPixel(rgb);
    for (int y = c.top; y < c.bottom; ++y) {
        std::uint32_t* row = m_pixels.data() + static_cast<std::size_t>(y) * m_deviceWidth;
        std::fill(row + c.left, row + c.right, word);
    }
}

void Bitmap::drawTextLine(int x, int y, std::u16string_view text, TColor rgb, bool rightToLeft,
                          const Rect& clip)
{
    textRenderer().draw(*this, x, y, font(), rgb, text, rightToLeft,
                        clip.intersected({0, 0, m_width, m_height}));
}

namespace {

// For each device pixel of the destination's run of 1x pixels [first, last), the source
// device pixel it takes: the same place in the same 1x pixel of the source, the last one of
// that pixel's block where the source block is shorter; -1 where the source has none.
std::vector<int> deviceMap(const DeviceGrid& to, const DeviceGrid& from, int first, int last,
                           int sourceFirst, bool columns)
{
    const auto edge = [columns](const DeviceGrid& g, int e) {
        return columns ? g.column(e) : g.row(e);
    };
    const int origin = edge(to, first);
    std::vector<int> map(static_cast<std::size_t>(std::max(edge(to, last) - origin, 0)), -1);
    for (int e = first; e < last; ++e) {
        const int start = edge(to, e), end = edge(to, e + 1);
        const int sourceStart = edge(from, sourceFirst + e - first);
        const int sourceSize = edge(from, sourceFirst + e - first + 1) - sourceStart;
        if (sourceSize <= 0)
            continue;
        for (int d = start; d < end; ++d)
            map[static_cast<std::size_t>(d - origin)] =
                sourceStart + std::min(d - start, sourceSize - 1);
    }
    return map;
}

} // namespace

void Bitmap::copyPixels(int x, int y, const Bitmap& source, const Rect& sourceRect,
                        bool transparent, TColor transparentRgb)
{
    const Rect s = sourceRect.intersected({0, 0, source.width(), source.height()});
    if (s.isEmpty())
        return;
    const Rect d = s.translated(x - sourceRect.left, y - sourceRect.top);
    // Where both grids agree (a buffer made for the spot it is copied to) every device pixel
    // goes over as it is; elsewhere each 1x pixel takes its own source pixel's block.
    const std::vector<int> columns =
        deviceMap(m_grid, source.grid(), d.left, d.right, s.left, true);
    const std::vector<int> rows = deviceMap(m_grid, source.grid(), d.top, d.bottom, s.top, false);
    const int left = m_grid.column(d.left), top = m_grid.row(d.top);
    const std::uint32_t key = ColorToPixel(transparentRgb);
    // A copy of itself goes through a temporary so overlapping rows read the old pixels.
    const std::vector<std::uint32_t> own =
        &source == this ? m_pixels : std::vector<std::uint32_t>();
    const std::uint32_t* pixels = &source == this ? own.data() : source.bits();
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const int dy = top + static_cast<int>(j);
        const int sy = rows[j];
        if (dy < 0 || dy >= m_deviceHeight || sy < 0 || sy >= source.deviceHeight())
            continue;
        const std::uint32_t* line = pixels + static_cast<std::size_t>(sy) * source.deviceWidth();
        std::uint32_t* out = m_pixels.data() + static_cast<std::size_t>(dy) * m_deviceWidth;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int dx = left + static_cast<int>(i);
            const int sx = columns[i];
            if (dx < 0 || dx >= m_deviceWidth || sx < 0 || sx >= source.deviceWidth())
                continue;
            const std::uint32_t word = line[sx];
            if (transparent && word == key)
                continue;
            out[dx] = word;
        }
    }
}

} // namespace kelvara

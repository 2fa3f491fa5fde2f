#pragma once

#include "flatmenu/Canvas.h"

#include <cstdint>
#include <vector>

namespace kelvara {

/// An off-screen picture of 32-bit pixels that is its own canvas. Its geometry is in the
/// painter's 1x units; it keeps its pixels on a device grid, so that on a scaled screen a 1x
/// pixel is a block of device pixels while text and glyphs keep the device's resolution.
/// Device pixels are stored as 0xFFRRGGBB words, row after row, so the toolkit side can wrap
/// them without a copy; the canvas operations speak colours (0x00BBGGRR).
class Bitmap : public Canvas
{
public:
    /// A bitmap of w x h pixels, all white; bitsPerPixel is what the device claims to have.
    explicit Bitmap(int width = 0, int height = 0, int bitsPerPixel = 32,
                    const TextRenderer* renderer = nullptr, DeviceGrid grid = {});
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool empty() const { return m_width <= 0 || m_height <= 0; }
    /// Resizes; the contents become white.
    void setSize(int width, int height);
    /// Moves the pixels onto another device grid; the contents become white.
    void setGrid(const DeviceGrid& grid);
    const DeviceGrid& grid() const { return m_grid; }
    DeviceGrid gridAt(int x, int y) const override { return m_grid.at(x, y); }
    int deviceWidth() const { return m_deviceWidth; }
    int deviceHeight() const { return m_deviceHeight; }
    /// The device pixels that 1x rectangle r covers, clipped to the bitmap.
    Rect deviceRect(const Rect& r) const;
    /// The whole bitmap in one colour.
    void fill(TColor color);
    void setTextRenderer(const TextRenderer* renderer);
    void setBitsPerPixel(int bits) { m_bitsPerPixel = bits; }

    /// The device pixel words (0xFFRRGGBB), deviceWidth() per row.
    std::uint32_t* bits() { return m_pixels.data(); }
    const std::uint32_t* bits() const { return m_pixels.data(); }

    /// The colour of 1x pixel (x, y): the first device pixel of its block.
    TColor pixel(int x, int y) const override;
    void setPixel(int x, int y, TColor color) override;
    int bitsPerPixel() const override { return m_bitsPerPixel; }
    const TextRenderer& textRenderer() const override;

    /// Fills a rectangle with an RGB value, clipped to the bitmap.
    void fillPixels(const Rect& r, TColor rgb) override;

protected:
    void drawTextLine(int x, int y, std::u16string_view text, TColor rgb, bool rightToLeft,
                      const Rect& clip) override;
    void copyPixels(int x, int y, const Bitmap& source, const Rect& sourceRect, bool transparent,
                    TColor transparentRgb) override;

private:
    int m_width = 0;
    int m_height = 0;
    int m_deviceWidth = 0;
    int m_deviceHeight = 0;
    DeviceGrid m_grid;
    int m_bitsPerPixel = 32;
    const TextRenderer* m_renderer = nullptr;
    std::vector<std::uint32_t> m_pixels;
};

/// The 0xFFRRGGBB word of a colour, and back.
std::uint32_t ColorToPixel(TColor color);
TColor PixelToColor(std::uint32_t pixel);

} // namespace kelvara

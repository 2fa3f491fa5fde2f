#pragma once

#include "flatmenu/Canvas.h"

#include <cstdint>
#include <vector>

namespace kelvara {

/// An off-screen picture of 32-bit pixels that is its own canvas. Pixels are stored as
/// 0xFFRRGGBB words, row after row, so the toolkit side can wrap them without a copy; the
/// canvas operations speak colours (0x00BBGGRR).
class Bitmap : public Canvas
{
public:
    /// A bitmap of w x h pixels, all white; bitsPerPixel is what the device claims to have.
    explicit Bitmap(int width = 0, int height = 0, int bitsPerPixel = 32,
                    const TextRenderer* renderer = nullptr);
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool empty() const { return m_width <= 0 || m_height <= 0; }
    /// Resizes; the contents become white.
    void setSize(int width, int height);
    /// The whole bitmap in one colour.
    void fill(TColor color);
    void setTextRenderer(const TextRenderer* renderer);
    void setBitsPerPixel(int bits) { m_bitsPerPixel = bits; }

    /// The pixel words (0xFFRRGGBB), width() per row.
    std::uint32_t* bits() { return m_pixels.data(); }
    const std::uint32_t* bits() const { return m_pixels.data(); }

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
    int m_bitsPerPixel = 32;
    const TextRenderer* m_renderer = nullptr;
    std::vector<std::uint32_t> m_pixels;
};

/// The 0xFFRRGGBB word of a colour, and back.
std::uint32_t ColorToPixel(TColor color);
TColor PixelToColor(std::uint32_t pixel);

} // namespace kelvara

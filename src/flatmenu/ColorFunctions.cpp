#include "flatmenu/ColorFunctions.h"

#include "flatmenu/Bitmap.h"

#include <algorithm>
#include <cmath>

namespace kelvara {

namespace {

int clampChannel(int v)
{
    return std::clamp(v, 0, 255);
}

// Both fades convert pixel by pixel, row by row; icons are long runs of one colour, so the
// last conversion is kept and reused while the colour repeats.
template <typename Convert> void fadeBitmap(Bitmap& bitmap, Convert convert)
{
    bool haveLast = false;
    std::uint32_t lastIn = 0;
    std::uint32_t lastOut = 0;
    std::uint32_t* word = bitmap.bits();
    const std::size_t n = static_cast<std::size_t>(bitmap.deviceWidth()) *
                          static_cast<std::size_t>(bitmap.deviceHeight());
    for (std::size_t i = 0; i < n; ++i) {
        if (!haveLast || word[i] != lastIn) {
            lastIn = word[i];
            lastOut = ColorToPixel(convert(PixelToColor(lastIn)));
            haveLast = true;
        }
        word[i] = lastOut;
    }
}

} // namespace

int RoundHalfEven(double x)
{
    return static_cast<int>(std::nearbyint(x)); // the default rounding mode is to even
}

TColor Darken(TColor c, int v)
{
    const TColor rgb = ColorToRGB(c);
    return RGB(clampChannel(GetRValue(rgb) - v), clampChannel(GetGValue(rgb) - v + 2),
               clampChannel(GetBValue(rgb) - v));
}

TColor Lighten(TColor c, int v)
{
    if (v > 100)
        v = 100;
    const TColor rgb = ColorToRGB(c);
    const double q = v / 100.0; // the quotient first, as the rounding depends on it
    auto up = [q](int x) { return clampChannel(x + RoundHalfEven((255 - x) * q)); };
    return RGB(up(GetRValue(rgb)), up(GetGValue(rgb)), up(GetBValue(rgb)));
}

TColor GrayOf(TColor c, int v)
{
    const TColor rgb = ColorToRGB(c);
    int g = (GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb)) / 3 + v;
    g = std::clamp(g, 0, 240);
    return RGB(g, g, g);
}

TColor BlendColors(std::initializer_list<TColor> colors)
{
    const int n = static_cast<int>(colors.size());
    if (n == 0)
        return clBlack;
    int r = 0, g = 0, b = 0;
    for (TColor c : colors) {
        const TColor rgb = ColorToRGB(c);
        r += GetRValue(rgb) / n;
        g += GetGValue(rgb) / n;
        b += GetBValue(rgb) / n;
    }
    return RGB(r, g, b);
}

void FadeToGray(Bitmap& bitmap, int v)
{
    fadeBitmap(bitmap, [v](TColor c) { return GrayOf(c, v); });
}

void FadeToWhite(Bitmap& bitmap, int v)
{
    const int level = std::min(v, 100);
    fadeBitmap(bitmap, [level](TColor c) { return Lighten(c, level); });
}

void PaintGlyphShadow(const Bitmap& bitmap, Canvas& canvas, int x, int y, TColor colour)
{
    if (bitmap.empty())
        return;
    // The shadow takes the glyph's outline at the glyph's own resolution: every device pixel
    // that is not the background becomes the shadow colour, the rest is left out.
    const TColor background = bitmap.pixel(0, bitmap.height() - 1);
    const std::uint32_t backgroundWord = ColorToPixel(background);
    const std::uint32_t shadowWord = ColorToPixel(colour);
    TColor key = background;
    if (shadowWord == backgroundWord) {
        // A shadow in the background's own colour still shows; the key must differ from it.
        key = background ^ 0x000001;
    }
    Bitmap shadow = bitmap;
    std::uint32_t* word = shadow.bits();
    const std::uint32_t keyWord = ColorToPixel(key);
    const std::size_t n = static_cast<std::size_t>(shadow.deviceWidth()) *
                          static_cast<std::size_t>(shadow.deviceHeight());
    for (std::size_t i = 0; i < n; ++i)
        word[i] = word[i] != backgroundWord ? shadowWord : keyWord;
    canvas.drawKeyed(x, y, shadow, key);
}

} // namespace kelvara

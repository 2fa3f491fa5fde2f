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
    TColor lastIn = 0;
    TColor lastOut = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const TColor pixel = bitmap.pixel(x, y);
            if (!haveLast || pixel != lastIn) {
                lastIn = pixel;
                lastOut = convert(pixel);
                haveLast = true;
            }
            bitmap.setPixel(x, y, lastOut);
        }
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
    if (bitmap.width() <= 0 || bitmap.height() <= 0)
        return;
    const TColor background = bitmap.pixel(0, bitmap.height() - 1);
    for (int row = 0; row < bitmap.height(); ++row) {
        for (int column = 0; column < bitmap.width(); ++column) {
            if (bitmap.pixel(column, row) != background)
                canvas.setPixel(x + column, y + row, colour);
        }
    }
}

} // namespace kelvara

#pragma once

#include "platform/SystemColors.h"

#include <initializer_list>

namespace kelvara {

class Bitmap;
class Canvas;

/// Rounds to the nearest integer, halves to even.
int RoundHalfEven(double x);

/// Each channel lowered by v, green by two less; clamped to 0..255.
TColor Darken(TColor c, int v);
/// Each channel moved v percent (v capped at 100) of the way to 255.
TColor Lighten(TColor c, int v);
/// The channel average plus v, capped at 240, as a gray.
TColor GrayOf(TColor c, int v);
/// The channel-wise average: each colour's channel divided by the count, then summed.
TColor BlendColors(std::initializer_list<TColor> colors);

/// Every pixel of the bitmap replaced by GrayOf(pixel, v).
void FadeToGray(Bitmap& bitmap, int v);
/// Every pixel of the bitmap replaced by Lighten(pixel, min(v, 100)).
void FadeToWhite(Bitmap& bitmap, int v);
/// Sets the canvas pixel at (x + column, y + row) to colour for every bitmap pixel that differs
/// from the bitmap's bottom-left (background) pixel.
void PaintGlyphShadow(const Bitmap& bitmap, Canvas& canvas, int x, int y, TColor colour);

} // namespace kelvara

#include "flatmenu/Bitmap.h"
#include "flatmenu/TextRenderer.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

constexpr TColor kInk = RGB(10, 20, 30);
constexpr TColor kFill = RGB(200, 100, 0);

int countColour(const Bitmap& b, TColor c, const Rect& area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += b.pixel(x, y) == c;
    return n;
}

TEST(CanvasTest, LinesLeaveOutTheirEndPoint)
{
    Bitmap b(10, 10);
    b.setPenColor(kInk);
    b.polyline({{1, 1}, {5, 1}, {5, 4}});
    EXPECT_EQ(countColour(b, kInk, {0, 0, 10, 10}), 7);
    EXPECT_EQ(b.pixel(5, 1), kInk); // the corner is the next line's start
    EXPECT_EQ(b.pixel(5, 4), clWhite);
    b.moveTo(0, 9);
    b.lineTo(4, 5); // a diagonal: 4 pixels, (4, 5) excluded
    EXPECT_EQ(b.pixel(0, 9), kInk);
    EXPECT_EQ(b.pixel(3, 6), kInk);
    EXPECT_EQ(b.pixel(4, 5), clWhite);
}

TEST(CanvasTest, RectanglesKeepInsideTheirRightAndBottomEdges)
{
    Bitmap b(10, 10);
    b.setPenColor(kInk);
    b.setBrushColor(kFill);
    b.rectangle({1, 1, 5, 4});
    EXPECT_EQ(b.pixel(1, 1), kInk);
    EXPECT_EQ(b.pixel(4, 3), kInk);
    EXPECT_EQ(b.pixel(2, 2), kFill);
    EXPECT_EQ(b.pixel(5, 1), clWhite);
    EXPECT_EQ(b.pixel(1, 4), clWhite);

    b.fill(clWhite);
    b.setBrushStyle(BrushStyle::Clear);
    b.rectangle({1, 1, 5, 4});
    EXPECT_EQ(b.pixel(2, 2), clWhite);
    b.setBrushColor(kFill);
    b.frameRect({6, 6, 9, 9});
    EXPECT_EQ(countColour(b, kFill, {0, 0, 10, 10}), 8);
    b.fillRect({0, 0, 2, 2});
    EXPECT_EQ(b.pixel(1, 1), kFill);
    EXPECT_EQ(b.pixel(2, 2), clWhite);
}

TEST(CanvasTest, EllipsesAndRoundedCornersStayInsideTheirBounds)
{
    Bitmap b(12, 12);
    b.setPenColor(kInk);
    b.setBrushColor(kFill);
    b.ellipse({1, 1, 11, 11});
    EXPECT_EQ(b.pixel(1, 1), clWhite); // corners are outside
    EXPECT_EQ(b.pixel(10, 10), clWhite);
    EXPECT_EQ(b.pixel(1, 6), kInk);  // leftmost column, middle
    EXPECT_EQ(b.pixel(10, 5), kInk); // rightmost column, symmetric
    EXPECT_EQ(b.pixel(6, 6), kFill);
    EXPECT_EQ(countColour(b, kInk, {11, 0, 12, 12}) + countColour(b, kInk, {0, 11, 12, 12}), 0);

    Bitmap r(12, 12);
    r.setPenColor(kInk);
    r.setBrushColor(kFill);
    r.roundRect({0, 0, 12, 10}, 6, 6);
    EXPECT_EQ(r.pixel(0, 0), clWhite);
    EXPECT_EQ(r.pixel(11, 9), clWhite);
    EXPECT_EQ(r.pixel(6, 0), kInk); // straight top edge
    EXPECT_EQ(r.pixel(0, 5), kInk); // straight left edge
    EXPECT_EQ(r.pixel(5, 5), kFill);
    EXPECT_EQ(r.pixel(5, 10), clWhite);
}

TEST(CanvasTest, TextIsPlacedByItsFlagsAndUnderlinesThePrefixedLetter)
{
    const CellTextRenderer cells(6, 10, 13); // a letter fills 5 x 10 of its 6-pixel cell
    Bitmap b(60, 20, 32, &cells);
    b.setBackgroundMode(BackgroundMode::Transparent);
    b.setFontColor(kInk);
    // "&Ab": "A" underlined, two cells wide, centred in 60 x 20.
    EXPECT_EQ(b.drawText(u"&Ab", {0, 0, 60, 20}, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 13);
    EXPECT_EQ(b.pixel(24, 3), kInk); // x = (60 - 12) / 2, y = (20 - 13) / 2
    EXPECT_EQ(b.pixel(23, 3), clWhite);
    EXPECT_EQ(b.pixel(29, 3), clWhite); // gap between the cells
    EXPECT_EQ(b.pixel(35, 3), clWhite);
    EXPECT_EQ(countColour(b, kInk, {0, 14, 60, 15}), 6); // the underline of "A" only
    EXPECT_EQ(b.pixel(24, 14), kInk);
    EXPECT_EQ(b.pixel(30, 14), clWhite);

    b.fill(clWhite);
    b.drawText(u"&&x", {0, 0, 60, 20}, DT_RIGHT); // a doubled prefix is one "&"
    EXPECT_EQ(countColour(b, kInk, {0, 0, 48, 20}), 0);
    EXPECT_EQ(b.pixel(48, 0), kInk);
    EXPECT_EQ(countColour(b, kInk, {0, 11, 60, 20}), 0);

    // Right-to-left reading puts the first (underlined) letter at the right end.
    b.fill(clWhite);
    b.drawText(u"&ab", {0, 0, 60, 20}, DT_RTLREADING);
    EXPECT_EQ(b.pixel(6, 11), kInk);
    EXPECT_EQ(b.pixel(0, 11), clWhite);

    // Tabs expand to the next eighth cell; the text is clipped to its rectangle.
    b.fill(clWhite);
    b.drawText(u"a\tb", {0, 0, 51, 20}, DT_EXPANDTABS);
    EXPECT_EQ(b.pixel(48, 0), kInk);
    EXPECT_EQ(b.pixel(51, 0), clWhite);
}

TEST(CanvasTest, OpaqueTextFillsItsBoxWithTheBrush)
{
    Bitmap b(20, 20);
    b.setBrushColor(kFill);
    b.setFontColor(kInk);
    b.textOut(2, 2, u"a b");
    EXPECT_EQ(b.pixel(8 + 2, 3), kFill); // the blank cell
    EXPECT_EQ(b.pixel(2, 3), kInk);
    EXPECT_EQ(b.pixel(2, 16), clWhite);
}

TEST(CanvasTest, TransparentCopyLeavesOutTheBottomLeftColour)
{
    Bitmap glyph(2, 2);
    glyph.fill(kFill);
    glyph.setPixel(1, 0, kInk);
    Bitmap b(4, 4);
    b.draw(1, 1, glyph, true);
    EXPECT_EQ(b.pixel(2, 1), kInk);
    EXPECT_EQ(b.pixel(1, 1), clWhite);
    b.draw(1, 1, glyph);
    EXPECT_EQ(b.pixel(1, 1), kFill);
    b.copyRect({0, 0, 1, 1}, glyph, {1, 0, 2, 1});
    EXPECT_EQ(b.pixel(0, 0), kInk);
}

} // namespace
} // namespace kelvara

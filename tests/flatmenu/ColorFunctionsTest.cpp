#include "flatmenu/ColorFunctions.h"
#include "flatmenu/Bitmap.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(ColorFunctionsTest, DarkenSparesTwoLevelsOfGreenAndClamps)
{
    EXPECT_EQ(Darken(clWhite, 30), RGB(225, 227, 225));
    EXPECT_EQ(Darken(RGB(10, 1, 200), 30), RGB(0, 0, 170));
    EXPECT_EQ(Darken(RGB(250, 250, 250), -10), RGB(255, 255, 255));
}

TEST(ColorFunctionsTest, LightenCapsAtHundredAndRoundsHalvesToEven)
{
    const TColor c = RGB(12, 100, 200);
    EXPECT_EQ(Lighten(c, 0), c);
    EXPECT_EQ(Lighten(c, 100), clWhite);
    EXPECT_EQ(Lighten(c, 250), clWhite);
    // 253 * 0.5 = 126.5 rounds to 126, 255 * 0.5 = 127.5 to 128: both channels end at 128.
    EXPECT_EQ(Lighten(RGB(2, 0, 2), 50), RGB(128, 128, 128));
}

TEST(ColorFunctionsTest, SystemColoursAreConvertedFirst)
{
    SystemColors::instance().reset();
    SystemColors::instance().setValue(ColorBtnFace, RGB(200, 100, 50));
    EXPECT_EQ(Darken(clBtnFace, 10), RGB(190, 92, 40));
    EXPECT_EQ(GrayOf(clBtnFace, 0), RGB(116, 116, 116));
    SystemColors::instance().reset();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
}

TEST(ColorFunctionsTest, GrayOfNeverAbove240)
{
    EXPECT_EQ(GrayOf(clWhite, 0), RGB(240, 240, 240));
    EXPECT_EQ(GrayOf(RGB(30, 60, 90), 10), RGB(70, 70, 70));
    EXPECT_EQ(GrayOf(RGB(230, 230, 230), 200), RGB(240, 240, 240));
}

TEST(ColorFunctionsTest, BlendDividesEachColourBeforeSumming)
{
    // (255 div 2) + (1 div 2) = 127, not 256 div 2.
    EXPECT_EQ(BlendColors({clWhite, RGB(1, 1, 1)}), RGB(127, 127, 127));
    EXPECT_EQ(BlendColors({RGB(100, 0, 0), RGB(0, 50, 0), RGB(0, 0, 30)}), RGB(33, 16, 10));
}

TEST(ColorFunctionsTest, FadesConvertEveryPixelAndCapTheLevel)
{
    Bitmap b(3, 2);
    b.fill(RGB(0, 0, 0));
    b.setPixel(1, 0, RGB(90, 90, 90));
    b.setPixel(2, 1, RGB(0, 0, 0));
    Bitmap white = b;
    FadeToWhite(white, 250); // a DimLevel above 100 acts as 100
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(white.pixel(x, y), clWhite);

    FadeToWhite(b, 50);
    EXPECT_EQ(b.pixel(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(b.pixel(1, 0), RGB(172, 172, 172));
    EXPECT_EQ(b.pixel(2, 1), RGB(128, 128, 128)); // a repeat after another colour
    FadeToGray(b, 10);
    EXPECT_EQ(b.pixel(0, 0), RGB(138, 138, 138));
    EXPECT_EQ(b.pixel(1, 0), RGB(182, 182, 182));
}

TEST(ColorFunctionsTest, GlyphShadowCoversEveryNonBackgroundPixel)
{
    Bitmap glyph(3, 3);
    glyph.fill(RGB(255, 0, 255));
    glyph.setPixel(0, 0, RGB(1, 2, 3));
    glyph.setPixel(2, 1, RGB(4, 5, 6));
    Bitmap canvas(8, 8);
    PaintGlyphShadow(glyph, canvas, 2, 3, RGB(9, 9, 9));
    EXPECT_EQ(canvas.pixel(2, 3), RGB(9, 9, 9));
    EXPECT_EQ(canvas.pixel(4, 4), RGB(9, 9, 9));
    EXPECT_EQ(canvas.pixel(3, 3), clWhite);
    EXPECT_EQ(canvas.pixel(2, 5), clWhite);
}

} // namespace
} // namespace kelvara

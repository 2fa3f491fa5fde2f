#include "FakeControls.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/FlatPainter.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

constexpr TColor kRed = RGB(255, 0, 0);

class ToolButtonPainterTest : public ::testing::Test
{
protected:
    ToolButtonPainterTest()
        : images(16, 16, {kRed}), painter(&form), canvas(120, 30),
          separator(ToolButtonStyle::Separator, {0, 0, 8, 24}),
          button(ToolButtonStyle::Button, {8, 0, 33, 24}, 0),
          dropDown(ToolButtonStyle::DropDown, {33, 0, 70, 24}, 0)
    {
        SystemColors::instance().reset();
        bar.imageList = &images;
        bar.buttons = {&separator, &button, &dropDown};
        form.addToolBar("ToolBar1", bar);
        painter.SetActive(true);
        canvas.fill(RGB(1, 1, 1));
    }
    bool paint(ToolButton& b, unsigned state)
    {
        bool defaultDraw = true;
        bar.OnCustomDrawButton.call(bar, b, state, canvas, defaultDraw);
        return defaultDraw;
    }
    TColor background() const { return Lighten(bar.colour, 16); }

    FakeMenuImages images;
    FakeToolBar bar;
    FakeToolBar empty; // bars the painter may still look at when it goes
    FakeToolBar own;
    FakeForm form;
    TFlatPainter painter;
    Bitmap canvas;
    FakeToolButton separator;
    FakeToolButton button;
    FakeToolButton dropDown;
};

TEST_F(ToolButtonPainterTest, HotButtonFilledFramedAndItsGlyphLifted)
{
    ASSERT_TRUE(bar.OnCustomDrawButton);
    EXPECT_TRUE(bar.flat());
    EXPECT_FALSE(paint(button, cdsHot)) << "the bar never draws a button itself";
    const TColor hot = ColorToRGB(painter.PaintSelectColor);
    const TColor border = ColorToRGB(painter.PaintSelectBorderColor);
    EXPECT_EQ(canvas.pixel(8, 0), background()) << "the top row stays in the bar's colour";
    EXPECT_EQ(canvas.pixel(8, 5), border);
    EXPECT_EQ(canvas.pixel(31, 5), border);
    EXPECT_EQ(canvas.pixel(32, 5), hot) << "outline (L, T + 1, R - 1, B - 1)";
    EXPECT_EQ(canvas.pixel(20, 22), border);
    EXPECT_EQ(canvas.pixel(20, 23), hot);
    // Glyph centred: left = Round((25 - 16) / 2 + 8) = 12 (half to even), top = 1 + 2, drawn
    // one lower and lifted by (-1, -1); its square sits 2 inside.
    EXPECT_EQ(canvas.pixel(11 + 2, 3 + 2), kRed);
    EXPECT_EQ(canvas.pixel(26, 18), Darken(painter.PaintSelectColor, 50)) << "its shadow";

    paint(button, 0);
    EXPECT_EQ(canvas.pixel(8, 5), background()) << "idle: no frame";
    EXPECT_EQ(canvas.pixel(12 + 2, 3 + 2), Lighten(kRed, 30)) << "and the glyph washed out";
}

TEST_F(ToolButtonPainterTest, DropDownTwoBoxesArrowAndNarrowerGlyphArea)
{
    paint(dropDown, cdsHot);
    const TColor border = ColorToRGB(painter.PaintSelectBorderColor);
    EXPECT_EQ(canvas.pixel(33, 5), border);
    EXPECT_EQ(canvas.pixel(70 - 14, 5), border) << "the right box's left edge at R - 14";
    EXPECT_EQ(canvas.pixel(70 - 2, 5), border);
    EXPECT_EQ(canvas.pixel(70 - 13, 5), ColorToRGB(painter.PaintSelectColor));
    // Arrow: rows of 5, 3 and 1 from (R - 10, T + (24 - 3) / 2 + 1).
    for (int x = 60; x < 65; ++x)
        EXPECT_EQ(canvas.pixel(x, 11), clBlack) << x;
    EXPECT_EQ(canvas.pixel(61, 12), clBlack);
    EXPECT_EQ(canvas.pixel(60, 12), ColorToRGB(painter.PaintSelectColor));
    EXPECT_EQ(canvas.pixel(62, 13), clBlack);
    // Glyph area 33..58: left = Round((25 - 16) / 2 + 33) = 38, lifted to 37.
    EXPECT_EQ(canvas.pixel(37 + 2, 3 + 2), kRed);
    EXPECT_NE(canvas.pixel(36 + 2, 3 + 2), kRed);
}

TEST_F(ToolButtonPainterTest, SeparatorLineOnlyWithAPositiveTag)
{
    canvas.setBrushColor(RGB(9, 9, 9));
    canvas.fillRect({0, 0, 8, 24});
    paint(button, 0);
    EXPECT_EQ(canvas.pixel(4, 10), background()) << "repainted with the bar's background";
    separator.tagValue = 1;
    paint(button, 0);
    EXPECT_EQ(canvas.pixel(4, 10), Darken(bar.colour, 30));
    EXPECT_EQ(canvas.pixel(4, 2), Darken(bar.colour, 30));
    EXPECT_EQ(canvas.pixel(4, 1), background());
    EXPECT_EQ(canvas.pixel(4, 23), background());
}

TEST_F(ToolButtonPainterTest, ImageListsByUsability)
{
    FakeMenuImages gray(16, 16, {RGB(0, 128, 0)});
    button.image = 1; // outside the list: never drawn
    paint(button, cdsHot);
    EXPECT_EQ(canvas.pixel(13, 5), ColorToRGB(painter.PaintSelectColor));

    button.image = 0;
    button.enabledValue = false;
    paint(button, 0);
    const TColor grayed = Lighten(GrayOf(kRed, painter.GrayLevel()), 40);
    EXPECT_EQ(canvas.pixel(12 + 2, 3 + 2), grayed) << "without DisabledImages: Images grayed";
    bar.disabledList = &gray;
    paint(button, 0);
    EXPECT_EQ(canvas.pixel(12 + 2, 3 + 2), Lighten(GrayOf(RGB(0, 128, 0), 10), 40));
}

TEST_F(ToolButtonPainterTest, HandlerInstalledOnlyOnBarsWithButtonsAndOwnHandlersKept)
{
    own.buttons = {&button};
    bool ownCalled = false;
    own.OnCustomDrawButton = {
        nullptr, [&](ToolBar&, ToolButton&, unsigned, Canvas&, bool&) { ownCalled = true; }};
    form.addToolBar("ToolBar2", empty);
    form.addToolBar("ToolBar3", own);
    painter.ApplyToComponents(form, true, true);
    EXPECT_FALSE(empty.OnCustomDrawButton);
    EXPECT_TRUE(empty.flat());
    EXPECT_EQ(own.OnCustomDrawButton.owner, nullptr);
    EXPECT_GT(bar.invalidations, 0);

    painter.SetActive(false);
    EXPECT_FALSE(bar.OnCustomDrawButton);
    EXPECT_TRUE(bar.flat()) << "tool bars stay flat";
    EXPECT_TRUE(own.OnCustomDrawButton) << "a handler of the bar's own stays";
    painter.SetOverrideOwnerDraw(true);
    painter.SetActive(true);
    EXPECT_EQ(own.OnCustomDrawButton.owner, &painter);
    EXPECT_FALSE(ownCalled);
}

} // namespace
} // namespace kelvara

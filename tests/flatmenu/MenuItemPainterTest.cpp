#include "FakeMenus.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/FlatPainter.h"
#include "flatmenu/TextRenderer.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

constexpr TColor kRed = RGB(255, 0, 0);

// Cells of 6 x 13 pixels stand for the 8-point Tahoma: a letter fills 5 x 10 of its cell.
class MenuItemPainterTest : public ::testing::Test
{
protected:
    MenuItemPainterTest() : cells(6, 10, 13), painter(&host)
    {
        SystemColors::instance().reset();
        host.addMenu("MainMenu1", bar);
        host.addMenu("PopupMenuEdit", popup);
        painter.SetActive(true);
        painter.SetColor(clBtnFace); // dirty: the first paint recomputes the palette
    }

    Bitmap canvas(int w = 140, int h = 30, int depth = 32)
    {
        Bitmap b(w, h, depth, &cells);
        b.fill(RGB(1, 1, 1));
        return b;
    }
    FakeItem& popupItem(const std::u16string& caption, int image = -1)
    {
        FakeItem& item = popup.add(caption);
        item.image = image;
        return item;
    }

    FakeMenuImages images16{16, 16, {kRed}};
    FakeMenuImages images30{30, 16, {kRed}};
    CellTextRenderer cells;
    FakeHost host;
    FakeMenu bar{Menu::Kind::Main};
    FakeMenu popup{Menu::Kind::Popup};
    TFlatPainter painter;
};

TEST_F(MenuItemPainterTest, MeasuringItemsSeparatorsAndShortcuts)
{
    popup.imageList = &images16;
    Bitmap b = canvas();
    int w = 10, h = 30;
    painter.MeasureMenuItem(popupItem(u"-"), b, w, h);
    EXPECT_EQ(h, 4); // assigned whatever was proposed
    EXPECT_EQ(w, 5 + 24);

    w = 0, h = 0;
    painter.MeasureMenuItem(popupItem(u"&Open", 0), b, w, h);
    EXPECT_EQ(w, 5 * 6 + 5 - 6 + 24); // "&" not counted, glyph raised to IconWidth
    EXPECT_EQ(h, 23);                 // 13 + Round(9.75), the Part's example

    FakeItem& save = popupItem(u"&Save", 0);
    save.shortcut = u" Ctrl+S ";
    w = 0, h = 40;
    painter.MeasureMenuItem(save, b, w, h);
    EXPECT_EQ(w, (5 + 6 + 3) * 6 + 5 - 6 + 24);
    EXPECT_EQ(h, 40);

    FakeItem& sub = popupItem(u"Open");
    sub.add(u"E-C");
    w = 0, h = 0;
    painter.MeasureMenuItem(sub, b, w, h);
    EXPECT_EQ(w, 24 + 5 + 6 + 24);

    FakeItem& top = bar.add(u"&File"); // top level: no icon column
    w = 0, h = 0;
    painter.MeasureMenuItem(top, b, w, h);
    EXPECT_EQ(w, 5 * 6 + 5 - 6);

    painter.SetActive(false);
    w = 7, h = 8;
    painter.MeasureMenuItem(save, b, w, h);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 8);
}

TEST_F(MenuItemPainterTest, SeparatorIsOneLineInsetSevenFromTheIconSide)
{
    Bitmap b = canvas(120, 10);
    FakeItem& separator = popupItem(u"-");
    painter.PaintMenuItem(separator, b, {4, 2, 114, 6}, false);
    const TColor line = RGB(160, 160, 160); // Lighten(clBtnShadow, 25)
    EXPECT_EQ(painter.PaintSeparatorColor, line);
    // T runs from the icon column's right edge (4 + 24) to 114; the line is at T's middle.
    EXPECT_EQ(b.pixel(35, 4), line);
    EXPECT_EQ(b.pixel(113, 4), line);
    EXPECT_EQ(b.pixel(34, 4), painter.PaintMenuColor);
    EXPECT_EQ(b.pixel(50, 3), painter.PaintMenuColor);
    EXPECT_EQ(b.pixel(50, 5), painter.PaintMenuColor);
    EXPECT_EQ(b.pixel(10, 4), painter.PaintIconColumnColor);
    EXPECT_EQ(b.pixel(1, 4), painter.PaintMenuColor); // the four pixels left of the item
    EXPECT_EQ(b.pixel(114, 4), RGB(1, 1, 1));         // nothing outside the item
}

TEST_F(MenuItemPainterTest, GlyphIsFadedLiftedAndShadowedByState)
{
    popup.imageList = &images16;
    FakeItem& item = popupItem(u"Open", 0);
    const Rect rect{4, 0, 124, 23};
    // The glyph sits at (4 + (24 - 16) div 2 - 1, 3); its red square starts 2 further in.
    Bitmap idle = canvas();
    painter.PaintMenuItem(item, idle, rect, false);
    EXPECT_EQ(idle.pixel(9, 5), RGB(255, 76, 76)); // Lighten by DimLevel 30, 76.5 to even
    EXPECT_EQ(idle.pixel(8, 5), painter.PaintIconColumnColor);
    painter.SetDimLevel(150); // above 100 acts as 100: the washed-out glyph is all white,
    Bitmap white = canvas();  // which is its transparent colour, so the column shows through
    painter.PaintMenuItem(item, white, rect, false);
    EXPECT_EQ(white.pixel(9, 5), painter.PaintIconColumnColor);
    painter.SetDimLevel(30);

    Bitmap hot = canvas();
    painter.PaintMenuItem(item, hot, rect, true);
    EXPECT_EQ(hot.pixel(8, 4), kRed); // lifted one up-left, full colour
    const TColor shadow = Darken(painter.PaintSelectColor, 50);
    EXPECT_EQ(hot.pixel(21, 17), shadow); // the silhouette two down-right of the glyph
    EXPECT_EQ(hot.pixel(20, 4), painter.PaintSelectColor);
    EXPECT_EQ(hot.pixel(4, 1), ColorToRGB(clHighlight)); // the selection's frame
    EXPECT_EQ(hot.pixel(40, 0), painter.PaintMenuColor);
    EXPECT_EQ(hot.pixel(40, 2), painter.PaintSelectColor);

    item.isChecked = true;
    for (bool selected : {false, true}) {
        Bitmap checked = canvas();
        painter.PaintMenuItem(item, checked, rect, selected);
        EXPECT_EQ(checked.pixel(9, 5), kRed) << selected; // neither faded nor lifted
        EXPECT_EQ(checked.pixel(8, 4),
                  selected ? painter.PaintCheckAreaSelectColor : painter.PaintCheckAreaColor);
        EXPECT_NE(checked.pixel(21, 17), shadow);
        EXPECT_EQ(checked.pixel(5, 2), ColorToRGB(clHighlight)); // the frame behind the glyph
    }

    item.isChecked = false;
    item.isEnabled = false;
    painter.SetDimLevel(100); // no matter for a disabled glyph
    for (bool selected : {false, true}) {
        Bitmap disabled = canvas();
        painter.PaintMenuItem(item, disabled, rect, selected);
        // GrayOf(red, 10) = 95, then Lighten by 40: 95 + 64.
        EXPECT_EQ(disabled.pixel(9, 5), RGB(159, 159, 159)) << selected;
        EXPECT_EQ(disabled.pixel(60, 2), painter.PaintMenuColor); // no selection fill
    }
}

TEST_F(MenuItemPainterTest, AGlyphWiderThanTheIconColumnPushesTextAndCheckFrame)
{
    popup.imageList = &images30;
    FakeItem& item = popupItem(u"Wide", 0);
    item.isChecked = true;
    Bitmap b = canvas();
    painter.PaintMenuItem(item, b, {4, 0, 124, 23}, false);
    // T starts at 4 + 30 + 4, the text 3 further, after the leading blank.
    const TColor ink = ColorToRGB(clMenuText);
    EXPECT_EQ(b.pixel(47, 5), ink);
    EXPECT_EQ(b.pixel(46, 5), painter.PaintMenuColor);
    // The check frame (5, 2)-(25, 22) is widened to the glyph's 30 pixels.
    EXPECT_EQ(b.pixel(34, 19), ColorToRGB(clHighlight));
    EXPECT_EQ(b.pixel(24, 19), painter.PaintCheckAreaColor);
    // The glyph sits 2 from the item's left edge.
    EXPECT_EQ(b.pixel(8, 5), kRed);
}

TEST_F(MenuItemPainterTest, CaptionUnderlineShortcutAndDefaultShadow)
{
    FakeItem& item = popupItem(u"&Save");
    item.shortcut = u"Ctrl+S";
    Bitmap b = canvas();
    painter.PaintMenuItem(item, b, {4, 0, 124, 23}, false);
    const TColor ink = ColorToRGB(clMenuText);
    EXPECT_EQ(b.pixel(37, 5), ink);  // "S" after the blank, at 4 + 24 + 3 + 6
    EXPECT_EQ(b.pixel(37, 16), ink); // its underline
    EXPECT_EQ(b.pixel(43, 16), painter.PaintMenuColor);
    // "Ctrl+S " right-aligned 10 from the right edge: "S" ends at 124 - 10 - 6 - 1.
    EXPECT_EQ(b.pixel(106, 5), ink);
    EXPECT_EQ(b.pixel(72, 5), ink);
    EXPECT_EQ(b.pixel(71, 5), painter.PaintMenuColor);

    item.isDefaultItem = true;
    Bitmap d = canvas();
    painter.PaintMenuItem(item, d, {4, 0, 124, 23}, false);
    EXPECT_EQ(d.pixel(37, 5), ink);
    EXPECT_EQ(d.pixel(42, 5), Darken(painter.PaintMenuColor, 30)); // the copy one right

    item.isEnabled = false;
    Bitmap g = canvas();
    painter.PaintMenuItem(item, g, {4, 0, 124, 23}, true);
    EXPECT_EQ(g.pixel(37, 5), painter.PaintDisabledColor);
    EXPECT_EQ(g.pixel(42, 5), painter.PaintMenuColor); // no shadow when disabled
}

TEST_F(MenuItemPainterTest, OpenedItemShadedAndSimpleForms)
{
    const TColor base = ColorToRGB(clBtnFace);
    const TColor border = ColorToRGB(clHighlight);
    Bitmap warm = canvas(40, 20);
    painter.RecomputePalette(warm);
    painter.PaintOpenedItem(TFlatPainter::Owner::MenuItem, warm, false, clBtnFace, {0, 0, 40, 20});
    EXPECT_EQ(warm.pixel(20, 10), painter.PaintSelectColor);
    EXPECT_EQ(warm.pixel(0, 10), border);
    EXPECT_EQ(warm.pixel(32, 10), border); // the right edge at R - 8
    EXPECT_EQ(warm.pixel(34, 15), Darken(base, 100));
    EXPECT_EQ(warm.pixel(36, 15), Darken(base, 60));
    EXPECT_EQ(warm.pixel(37, 15), Darken(base, 30));
    EXPECT_EQ(warm.pixel(39, 15), Darken(base, 10));
    EXPECT_EQ(warm.pixel(39, 3), base); // the rounded corner
    EXPECT_EQ(warm.pixel(36, 1), base);

    // Right-to-left, a tool button, and a display of 15 bits or less take the simple form.
    auto expectSimple = [&](const Bitmap& b, TColor colour) {
        EXPECT_EQ(b.pixel(37, 10), border); // the right edge at R - 3
        EXPECT_EQ(b.pixel(38, 10), Darken(colour, 70));
        EXPECT_EQ(b.pixel(39, 1), ColorToRGB(colour));
        EXPECT_EQ(b.pixel(36, 10), painter.PaintSelectColor);
    };
    Bitmap rtl = canvas(40, 20);
    painter.PaintOpenedItem(TFlatPainter::Owner::MenuItem, rtl, true, RGB(90, 90, 90),
                            {0, 0, 40, 20});
    expectSimple(rtl, RGB(90, 90, 90));
    Bitmap button = canvas(40, 20);
    painter.PaintOpenedItem(TFlatPainter::Owner::ToolButton, button, false, clBtnFace,
                            {0, 0, 40, 20});
    expectSimple(button, clBtnFace);

    // Through the item painter: a selected top-level item on a low-colour device.
    FakeItem& file = bar.add(u"&File");
    painter.SetColor(clBtnFace);
    Bitmap low = canvas(40, 20, 8);
    painter.PaintMenuItem(file, low, {0, 0, 40, 20}, true);
    EXPECT_FALSE(painter.HighColor());
    expectSimple(low, clBtnFace);
}

TEST_F(MenuItemPainterTest, HotTrackingOfTopLevelItemsFollowsTheMouse)
{
    FakeItem& file = bar.add(u"&File");
    const TColor border = ColorToRGB(clHighlight);
    host.cursor = {10, 18}; // inside: up to bottom - 2
    Bitmap hot = canvas(40, 20);
    painter.PaintMenuItem(file, hot, {0, 0, 40, 20}, false);
    EXPECT_EQ(hot.pixel(32, 10), border); // outline to R - 7
    EXPECT_EQ(hot.pixel(33, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(hot.pixel(20, 2), painter.PaintSelectColor);

    host.cursor = {10, 19};
    Bitmap cold = canvas(40, 20);
    painter.PaintMenuItem(file, cold, {0, 0, 40, 20}, false);
    EXPECT_EQ(cold.pixel(32, 10), ColorToRGB(clBtnFace));
}

struct FakeQueue : FlatFrameRequests
{
    bool pending() const override { return waiting > 0; }
    void postWindow(bool, void*) override { ++waiting; }
    void postItem(MenuItem*) override { ++waiting; }
    int waiting = 0;
};

TEST_F(MenuItemPainterTest, FailuresInactivityAndFrameRequests)
{
    FakeItem& broken = popupItem(u"Broken");
    broken.throwOnCaption = true;
    Bitmap b = canvas();
    EXPECT_NO_THROW(painter.PaintMenuItem(broken, b, {4, 0, 124, 23}, false));

    FakeQueue queue;
    painter.setFrameRequests(&queue);
    painter.SetFlatMenu(true);
    painter.PaintMenuItem(popupItem(u"One"), b, {4, 0, 124, 23}, false);
    painter.PaintMenuItem(popupItem(u"Two"), b, {4, 0, 124, 23}, false);
    EXPECT_EQ(queue.waiting, 1); // one request serves the burst

    painter.SetActive(false);
    Bitmap untouched = canvas();
    painter.PaintMenuItem(popupItem(u"Three"), untouched, {4, 0, 124, 23}, true);
    EXPECT_EQ(untouched.pixel(50, 10), RGB(1, 1, 1));
}

} // namespace
} // namespace kelvara

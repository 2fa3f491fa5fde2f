#include "FakeMenus.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/FlatPainter.h"
#include "flatmenu/TextRenderer.h"

#include <gtest/gtest.h>

#include <set>

namespace kelvara {
namespace {

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kGround = RGB(1, 1, 1);

std::uint32_t deviceWord(const Bitmap& b, int dx, int dy)
{
    return b.bits()[static_cast<std::size_t>(dy) * b.deviceWidth() + dx];
}

// The 1x column (or row) whose block holds device pixel d.
int blockOf(const DeviceGrid& grid, int d, bool columns)
{
    int e = 0;
    while ((columns ? grid.column(e + 1) : grid.row(e + 1)) <= d)
        ++e;
    return e;
}

// Every device pixel of the scaled picture has the colour of the 1x pixel whose block holds
// it: the geometry stayed in 1x units and every fill, line and cell of text became blocks.
::testing::AssertionResult sameAsBlocks(const Bitmap& scaled, const Bitmap& plain)
{
    if (scaled.width() != plain.width() || scaled.height() != plain.height())
        return ::testing::AssertionFailure() << "the 1x sizes differ";
    for (int dy = 0; dy < scaled.deviceHeight(); ++dy) {
        const int y = blockOf(scaled.grid(), dy, false);
        for (int dx = 0; dx < scaled.deviceWidth(); ++dx) {
            const int x = blockOf(scaled.grid(), dx, true);
            if (PixelToColor(deviceWord(scaled, dx, dy)) != plain.pixel(x, y))
                return ::testing::AssertionFailure()
                       << "device pixel (" << dx << ", " << dy << ") of 1x pixel (" << x << ", "
                       << y << ") differs";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(ScaledBitmapTest, GridsTileWithoutSeamOrOverlapAtEveryScale)
{
    for (const double scale : {1.0, 1.25, 1.5, 2.0, 0.75}) {
        // A screen of stacked items of odd heights, each drawn from a buffer made for its
        // spot: every device row is covered once, in its item's colour.
        Bitmap screen(40, 60, 32, nullptr, {scale});
        screen.fill(clWhite);
        const int heights[] = {5, 3, 7, 1, 11, 4, 9};
        int top = 1;
        TColor colour = RGB(10, 20, 30);
        std::vector<TColor> rowColour(static_cast<std::size_t>(screen.deviceHeight()), clWhite);
        for (const int h : heights) {
            Bitmap item(37, h, 32, nullptr, screen.gridAt(3, top));
            EXPECT_EQ(item.deviceHeight(), screen.grid().row(top + h) - screen.grid().row(top))
                << scale;
            item.fill(colour);
            screen.draw(3, top, item);
            for (int d = screen.grid().row(top); d < screen.grid().row(top + h); ++d)
                rowColour[static_cast<std::size_t>(d)] = colour;
            top += h;
            colour += RGB(9, 7, 5);
        }
        for (int dy = 0; dy < screen.deviceHeight(); ++dy) {
            for (int dx = screen.grid().column(3); dx < screen.grid().column(40); ++dx)
                ASSERT_EQ(PixelToColor(deviceWord(screen, dx, dy)),
                          rowColour[static_cast<std::size_t>(dy)])
                    << "scale " << scale << " device (" << dx << ", " << dy << ")";
        }
    }
}

TEST(ScaledBitmapTest, FillsCoverTheScaledRectangleAndPixelsReadTheirBlock)
{
    Bitmap b(10, 10, 32, nullptr, {2.0});
    EXPECT_EQ(b.deviceWidth(), 20);
    b.fill(clWhite);
    b.setBrushColor(kRed);
    b.fillRect({2, 3, 5, 4});
    std::set<std::pair<int, int>> red;
    for (int dy = 0; dy < 20; ++dy)
        for (int dx = 0; dx < 20; ++dx)
            if (deviceWord(b, dx, dy) == ColorToPixel(kRed))
                red.insert({dx, dy});
    EXPECT_EQ(red.size(), 6u * 2u);
    EXPECT_TRUE(red.count({4, 6}) && red.count({9, 7}));
    EXPECT_EQ(b.pixel(4, 3), kRed);
    EXPECT_EQ(b.pixel(5, 3), clWhite);
    b.setPixel(0, 0, kRed); // one 1x pixel is a 2 x 2 block
    EXPECT_EQ(deviceWord(b, 1, 1), ColorToPixel(kRed));
    EXPECT_EQ(deviceWord(b, 2, 0), ColorToPixel(clWhite));
    EXPECT_EQ(b.pixel(-1, 0), clBlack);
    EXPECT_EQ(b.pixel(10, 0), clBlack);
}

TEST(ScaledBitmapTest, CopiesBetweenGridsTakeOnlySourcePixelsAndKeepTheKeyOut)
{
    // A device-resolution glyph (a diagonal of single device pixels) copied at another
    // phase and from 1x: nothing but its own colours arrives, and the key never does.
    Bitmap glyph(4, 4, 32, nullptr, {1.5});
    glyph.fill(RGB(255, 0, 255));
    for (int d = 0; d < glyph.deviceWidth(); ++d)
        glyph.bits()[static_cast<std::size_t>(d) * glyph.deviceWidth() + d] = ColorToPixel(kRed);
    Bitmap target(12, 12, 32, nullptr, {1.5, 0.5, 0.0});
    target.fill(kGround);
    target.draw(3, 2, glyph, true);
    int redCount = 0;
    for (int dy = 0; dy < target.deviceHeight(); ++dy) {
        for (int dx = 0; dx < target.deviceWidth(); ++dx) {
            const TColor c = PixelToColor(deviceWord(target, dx, dy));
            ASSERT_TRUE(c == kRed || c == kGround) << dx << ", " << dy;
            redCount += c == kRed;
        }
    }
    EXPECT_GE(redCount, glyph.deviceWidth());

    // The same grid: device pixels go over one to one, the diagonal stays one pixel thin.
    Bitmap same(12, 12, 32, nullptr, {1.5});
    same.fill(kGround);
    same.draw(2, 2, glyph, true);
    for (int d = 0; d < glyph.deviceWidth(); ++d) {
        EXPECT_EQ(deviceWord(same, same.grid().column(2) + d, same.grid().row(2) + d),
                  ColorToPixel(kRed));
        if (d + 1 < glyph.deviceWidth()) {
            EXPECT_EQ(deviceWord(same, same.grid().column(2) + d + 1, same.grid().row(2) + d),
                      ColorToPixel(kGround));
        }
    }
}

TEST(ScaledBitmapTest, FadesAndTheGlyphShadowWorkAtTheDeviceResolution)
{
    Bitmap glyph(4, 4, 32, nullptr, {2.0});
    glyph.fill(RGB(255, 0, 255));
    glyph.bits()[static_cast<std::size_t>(3) * glyph.deviceWidth() + 5] = ColorToPixel(kRed);
    Bitmap faded = glyph;
    FadeToWhite(faded, 30);
    EXPECT_EQ(PixelToColor(deviceWord(faded, 5, 3)), Lighten(kRed, 30));
    EXPECT_EQ(PixelToColor(deviceWord(faded, 4, 3)), Lighten(RGB(255, 0, 255), 30));

    // One device pixel of glyph casts one device pixel of shadow, two 1x pixels on.
    Bitmap canvas(10, 10, 32, nullptr, {2.0});
    canvas.fill(kGround);
    const TColor shadow = RGB(40, 50, 60);
    PaintGlyphShadow(glyph, canvas, 2, 2, shadow);
    int shadowCount = 0;
    for (int dy = 0; dy < 20; ++dy)
        for (int dx = 0; dx < 20; ++dx)
            shadowCount += deviceWord(canvas, dx, dy) == ColorToPixel(shadow);
    EXPECT_EQ(shadowCount, 1);
    EXPECT_EQ(PixelToColor(deviceWord(canvas, 4 + 5, 4 + 3)), shadow);

    // A shadow in the glyph's background colour still shows.
    Bitmap same(10, 10, 32, nullptr, {2.0});
    same.fill(kGround);
    PaintGlyphShadow(glyph, same, 0, 0, RGB(255, 0, 255));
    EXPECT_EQ(PixelToColor(deviceWord(same, 5, 3)), RGB(255, 0, 255));
    EXPECT_EQ(PixelToColor(deviceWord(same, 4, 3)), kGround);
}

// The item painter on a scaled canvas draws the 1x picture in blocks, in every state.
class ScaledMenuItemTest : public ::testing::Test
{
protected:
    ScaledMenuItemTest() : cells(6, 10, 13), painter(&host)
    {
        SystemColors::instance().reset();
        host.addMenu("MainMenu1", bar);
        host.addMenu("PopupMenuEdit", popup);
        painter.SetActive(true);
        popup.imageList = &images;
    }

    Bitmap paint(MenuItem& item, bool selected, DeviceGrid grid)
    {
        Bitmap b(140, 30, 32, &cells, grid);
        b.fill(kGround);
        painter.SetColor(clBtnFace);
        painter.PaintMenuItem(item, b, {4, 2, 124, 25}, selected);
        return b;
    }

    void expectBlocks(MenuItem& item, const char* what)
    {
        for (const bool selected : {false, true}) {
            const Bitmap plain = paint(item, selected, {});
            for (const DeviceGrid grid :
                 {DeviceGrid{2.0}, DeviceGrid{1.5}, DeviceGrid{1.25, 0.25, 0.75}}) {
                EXPECT_TRUE(sameAsBlocks(paint(item, selected, grid), plain))
                    << what << (selected ? " selected" : "") << " at " << grid.scale;
            }
        }
    }

    FakeMenuImages images{16, 16, {kRed}};
    CellTextRenderer cells;
    FakeHost host;
    FakeMenu bar{Menu::Kind::Main};
    FakeMenu popup{Menu::Kind::Popup};
    TFlatPainter painter;
};

TEST_F(ScaledMenuItemTest, EveryStateIsTheOneXPictureInBlocks)
{
    FakeItem& glyph = popup.add(u"&Open");
    glyph.image = 0;
    expectBlocks(glyph, "glyph");
    glyph.isChecked = true;
    expectBlocks(glyph, "checked glyph");
    FakeItem& save = popup.add(u"&Save");
    save.shortcut = u"Ctrl+S";
    save.isDefaultItem = true;
    expectBlocks(save, "default with shortcut");
    save.isChecked = true;
    save.isEnabled = false;
    expectBlocks(save, "disabled check");
    expectBlocks(popup.add(u"-"), "separator");
    expectBlocks(bar.add(u"&File"), "bar item");
}

} // namespace
} // namespace kelvara

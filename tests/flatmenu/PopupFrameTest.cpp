#include "FakeControls.h"

#include "flatmenu/FlatPainter.h"
#include "flatmenu/PopupFrame.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

// A dropped menu's window of 60 x 40 on a bitmap of its own.
class FakePopup : public PopupWindow
{
public:
    explicit FakePopup(Rect screen) : rect(screen), surface(screen.width(), screen.height())
    {
        surface.fill(kItems);
    }
    Rect windowRect() const override { return rect; }
    Canvas* beginPaint() override
    {
        ++paints;
        if (onPaint)
            onPaint();
        return canPaint ? &surface : nullptr;
    }
    void endPaint() override {}
    bool hasRegion() const override { return !region.empty(); }
    Rect regionBox() const override
    {
        Rect box;
        for (const Rect& r : region)
            box = {std::min(box.left, r.left), std::min(box.top, r.top),
                   std::max(box.right, r.right), std::max(box.bottom, r.bottom)};
        return box;
    }
    void setRegion(const std::vector<Rect>& rects) override
    {
        region = rects;
        ++regionChanges;
    }
    void redraw() override { ++redraws; }
    void invalidateNoErase() override { ++invalidations; }
    bool runsFrameProc() const override { return frameProc; }
    void installFrameProc() override
    {
        frameProc = true;
        ++installs;
    }
    void restoreProc() override { frameProc = false; }
    void defaultProc(ControlMessage& m) override { own.push_back(m.msg); }

    static constexpr TColor kItems = RGB(240, 240, 240);
    Rect rect;
    Bitmap surface;
    std::vector<Rect> region;
    bool canPaint = true;
    bool frameProc = false;
    std::function<void()> onPaint;
    std::vector<unsigned> own;
    int paints = 0, regionChanges = 0, redraws = 0, invalidations = 0, installs = 0;
};

class PopupFrameTest : public ::testing::Test
{
protected:
    PopupFrameTest() : painter(&form), popup({300, 200, 360, 240})
    {
        SystemColors::instance().reset();
        painter.SetColor(clBtnFace); // recomputed below
        Bitmap device(1, 1);
        painter.RecomputePalette(device);
    }
    FakeForm form;
    TFlatPainter painter;
    FakePopup popup;
};

TEST_F(PopupFrameTest, RegionBorderIconStripAndShadow)
{
    // An item row drawn in row 3 is repeated into rows 1 and 2.
    popup.surface.setPixel(30, 3, RGB(7, 8, 9));
    painter.PaintPopupFrame(&popup, false);
    EXPECT_TRUE(popup.frameProc);
    ASSERT_EQ(popup.region.size(), 2u);
    EXPECT_EQ(popup.region[0], (Rect{0, 0, 58, 38}));
    EXPECT_EQ(popup.region[1], (Rect{2, 2, 60, 40}));
    EXPECT_EQ(popup.redraws, 1);
    const TColor frame = ColorToRGB(painter.PaintFrameColor);
    EXPECT_EQ(popup.surface.pixel(0, 10), frame);
    EXPECT_EQ(popup.surface.pixel(57, 10), frame) << "the border inside the shadow";
    EXPECT_EQ(popup.surface.pixel(30, 37), frame);
    EXPECT_EQ(popup.surface.pixel(1, 20), ColorToRGB(painter.PaintIconColumnColor));
    EXPECT_EQ(popup.surface.pixel(2, 36), ColorToRGB(painter.PaintIconColumnColor));
    EXPECT_EQ(popup.surface.pixel(30, 1), RGB(7, 8, 9));
    EXPECT_EQ(popup.surface.pixel(30, 2), RGB(7, 8, 9));
    const TColor shadow = ColorToRGB(painter.PaintShadowColor);
    EXPECT_EQ(popup.surface.pixel(59, 20), shadow);
    EXPECT_EQ(popup.surface.pixel(30, 39), shadow);

    // A region that already fits within 5 pixels stays; the procedure is installed once.
    popup.region = {{0, 0, 56, 36}};
    popup.regionChanges = 0;
    painter.PaintPopupFrame(&popup, false);
    EXPECT_EQ(popup.regionChanges, 0);
    EXPECT_EQ(popup.installs, 1);
}

TEST_F(PopupFrameTest, ReentryAndMissingWindowDoNothing)
{
    painter.PaintPopupFrame(nullptr, false);
    int nested = 0;
    popup.onPaint = [&] {
        if (nested++ == 0)
            painter.PaintPopupFrame(&popup, false);
    };
    painter.PaintPopupFrame(&popup, false);
    EXPECT_EQ(popup.paints, 1) << "the guard keeps the frame from being painted inside itself";
    popup.onPaint = nullptr;
    painter.PaintPopupFrame(&popup, false);
    EXPECT_EQ(popup.paints, 2) << "and is cleared afterwards";
}

TEST_F(PopupFrameTest, HidingPutsTheWindowBackAndRepaintsAFramedNeighbour)
{
    painter.PaintPopupFrame(&popup, false);
    FakePopup parent({362, 190, 420, 260});
    parent.frameProc = true;
    FakeScreen desktop;
    desktop.under = &parent;

    ControlMessage erase{WM_ERASEBKGND, 0, 0, 0};
    PopupFrameProc(popup, erase, &desktop);
    EXPECT_EQ(erase.result, 1);
    EXPECT_TRUE(popup.own.empty()) << "no background erasing";

    ControlMessage show{WM_SHOWWINDOW, 1, 0, 0};
    PopupFrameProc(popup, show, &desktop);
    EXPECT_TRUE(popup.frameProc) << "showing changes nothing";

    ControlMessage hide{WM_SHOWWINDOW, 0, 0, 0};
    PopupFrameProc(popup, hide, &desktop);
    EXPECT_FALSE(popup.frameProc);
    EXPECT_TRUE(popup.region.empty());
    EXPECT_EQ(popup.own.back(), static_cast<unsigned>(WM_SHOWWINDOW));
    ASSERT_FALSE(desktop.points.empty());
    EXPECT_EQ(desktop.points[0], (Point{362, 202}));
    EXPECT_EQ(parent.invalidations, 1);
}

} // namespace
} // namespace kelvara

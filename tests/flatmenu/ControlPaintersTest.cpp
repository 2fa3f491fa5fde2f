#include "FakeControls.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/ControlSubClass.h"
#include "flatmenu/FlatPainter.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

using Kind = FakeControl::Kind;

constexpr TColor kParent = RGB(100, 150, 200);
constexpr TColor kRed = RGB(255, 0, 0);

class ControlPaintersTest : public ::testing::Test
{
protected:
    ControlPaintersTest()
    {
        SystemColors::instance().reset();
        formControl = std::make_shared<FakeControl>(Kind::Form, "TForm");
        formControl->colour = kParent;
    }
    std::shared_ptr<FakeControl> make(Kind kind, const std::string& className, int w, int h,
                                      int tag = 0)
    {
        auto c = std::make_shared<FakeControl>(kind, className, w, h);
        c->parentControl = formControl;
        form.addControl("Control" + std::to_string(form.controls.size()), c, tag);
        return c;
    }
    void activate()
    {
        painter = std::make_unique<TFlatPainter>(&form);
        painter->SetActive(true);
    }
    static TColor px(const FakeControl& c, int x, int y) { return c.surface.pixel(x, y); }
    TColor hotBorder() const { return ColorToRGB(Lighten(painter->PaintSelectBorderColor, 60)); }

    FakeForm form;
    std::shared_ptr<FakeControl> formControl;
    std::unique_ptr<TFlatPainter> painter;
};

TEST_F(ControlPaintersTest, EditOutlineByHoverFocusAndBorderStyle)
{
    auto edit = make(Kind::Edit, "TEdit", 50, 20);
    auto bare = make(Kind::Edit, "TEdit", 50, 20);
    bare->border = TBorderStyle::bsNone;
    bare->colour = RGB(255, 255, 0);
    activate();

    edit->deliver(WM_PAINT);
    EXPECT_EQ(px(*edit, 0, 0), Darken(kParent, 60));
    EXPECT_EQ(px(*edit, 49, 19), Darken(kParent, 60));
    EXPECT_EQ(px(*edit, 5, 5), FakeControl::kContent) << "the content is never painted over";
    edit->deliver(CM_MOUSEENTER);
    EXPECT_EQ(px(*edit, 0, 10), hotBorder());
    edit->deliver(CM_MOUSELEAVE);
    edit->focusedValue = true;
    edit->deliver(WM_PAINT);
    EXPECT_EQ(px(*edit, 25, 0), hotBorder());

    // Borderless: no outline idle or focused, a faint blend while the mouse is over it.
    bare->deliver(WM_PAINT);
    EXPECT_EQ(px(*bare, 0, 0), RGB(255, 255, 0));
    bare->deliver(CM_MOUSEENTER);
    EXPECT_EQ(px(*bare, 0, 0), Lighten(BlendColors({RGB(255, 255, 0), kParent}), 40));
    bare->focusedValue = true;
    bare->deliver(WM_PAINT);
    EXPECT_EQ(px(*bare, 0, 0), RGB(255, 255, 0));
}

TEST_F(ControlPaintersTest, ComboButtonFromTheThumbWidthWithItsArrow)
{
    auto combo = make(Kind::Combo, "TComboBox", 100, 22);
    auto tagged = make(Kind::Combo, "TComboBox", 100, 22, 1000);
    auto simple = make(Kind::Combo, "TComboBox", 100, 22);
    simple->style = TComboStyle::csSimple;
    activate();

    combo->deliver(WM_PAINT);
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(px(*combo, 0, 0), kParent);
    EXPECT_EQ(px(*combo, 50, 1), kParent) << "the top row inside the frame";
    // The button: thumb width + 1 = 17 columns at 81..97, its first five in the own colour,
    // then the separating line, then the face.
    EXPECT_EQ(px(*combo, 80, 10), FakeControl::kContent);
    EXPECT_EQ(px(*combo, 81, 10), clWhite);
    EXPECT_EQ(px(*combo, 97, 5), face);
    // Arrow rows of 5, 3 and 1 pixels from x = R - 10 at y = 10, 11, 12.
    for (int x = 90; x < 95; ++x)
        EXPECT_EQ(px(*combo, x, 10), clBlack) << x;
    EXPECT_EQ(px(*combo, 89, 10), face);
    EXPECT_EQ(px(*combo, 95, 10), face);
    EXPECT_EQ(px(*combo, 90, 11), face);
    EXPECT_EQ(px(*combo, 91, 11), clBlack);
    EXPECT_EQ(px(*combo, 92, 12), clBlack);
    EXPECT_EQ(px(*combo, 91, 12), face);

    // Hot: the selection face, one column wider towards the text.
    combo->deliver(CM_MOUSEENTER);
    EXPECT_EQ(px(*combo, 98, 5), ColorToRGB(painter->PaintSelectColor));
    EXPECT_EQ(px(*combo, 81, 10), clWhite);
    EXPECT_EQ(px(*combo, 86, 10), ColorToRGB(painter->PaintSelectBorderColor));

    tagged->deliver(WM_PAINT);
    EXPECT_EQ(px(*tagged, 97, 5), Lighten(kParent, painter->ButtonFaceLevel()));

    simple->deliver(WM_PAINT);
    EXPECT_EQ(px(*simple, 0, 0), kParent) << "the frame";
    EXPECT_EQ(px(*simple, 97, 5), FakeControl::kContent) << "but no button";
}

TEST_F(ControlPaintersTest, PanelBevelsOnlyInItsPaint)
{
    auto panel = make(Kind::Panel, "TPanel", 60, 22);
    panel->colour = clBtnFace;
    panel->inner = TBevelCut::bvLowered;
    activate();
    const TColor light = Lighten(clBtnFace, 60), shadow = Darken(clBtnFace, 60);

    panel->deliver(CM_MOUSEENTER);
    EXPECT_EQ(px(*panel, 0, 0), FakeControl::kContent);
    panel->deliver(WM_PAINT);
    EXPECT_EQ(px(*panel, 0, 0), light);
    EXPECT_EQ(px(*panel, 30, 0), light);
    EXPECT_EQ(px(*panel, 59, 0), shadow) << "the top-right corner belongs to the lower edge";
    EXPECT_EQ(px(*panel, 59, 21), shadow);
    EXPECT_EQ(px(*panel, 1, 1), shadow) << "the inner bevel is lowered";
    EXPECT_EQ(px(*panel, 58, 20), light);
    EXPECT_EQ(px(*panel, 2, 2), FakeControl::kContent);
}

TEST_F(ControlPaintersTest, PushButtonFaceEdgeAndExactTag)
{
    auto button = make(Kind::Button, "TButton", 60, 22);
    auto tagged = make(Kind::Button, "TButton", 60, 22, 1000);
    auto bits = make(Kind::Button, "TButton", 60, 22, 1016);
    button->text = u"OK";
    activate();
    const TColor base = ColorToRGB(clBtnShadow);

    button->deliver(WM_PAINT);
    EXPECT_EQ(px(*button, 10, 11), ColorToRGB(painter->PaintIconColumnColor));
    EXPECT_EQ(px(*button, 30, 0), Lighten(base, 30));
    EXPECT_EQ(px(*button, 59, 10), Darken(base, 50)) << "raised: the edge bottom right";
    EXPECT_EQ(px(*button, 0, 10), Lighten(base, 30));
    EXPECT_EQ(px(*button, 25, 8), ColorToRGB(clBtnText)) << "the centred caption";

    button->deliver(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(px(*button, 0, 10), Darken(base, 50)) << "pressed: the edge top left";

    tagged->deliver(WM_PAINT);
    EXPECT_EQ(px(*tagged, 10, 11), Lighten(kParent, 16));
    bits->deliver(WM_PAINT);
    EXPECT_EQ(px(*bits, 10, 11), ColorToRGB(painter->PaintIconColumnColor))
        << "a push button takes its parent's colour only at exactly 1000";

    button->enabledValue = false;
    button->deliver(WM_PAINT);
    EXPECT_EQ(px(*button, 25, 8), ColorToRGB(painter->PaintDisabledColor));
}

TEST_F(ControlPaintersTest, BitmapButtonTagBitsAndGlyph)
{
    auto bits = make(Kind::Button, "TBitBtn", 60, 22, 1016);
    auto bare = make(Kind::Button, "TBitBtn", 60, 22, 1001);
    auto glyph = make(Kind::Button, "TBitBtn", 60, 22);
    glyph->glyphStrip = Bitmap(32, 16);
    glyph->glyphStrip.fill(RGB(255, 0, 255));
    glyph->glyphStrip.setBrushColor(kRed);
    glyph->glyphStrip.fillRect({2, 2, 14, 14});
    glyph->glyphStrip.setBrushColor(RGB(0, 0, 255));
    glyph->glyphStrip.fillRect({18, 2, 30, 14});
    glyph->glyphs = 2;
    activate();

    bits->deliver(WM_PAINT);
    EXPECT_EQ(px(*bits, 10, 11), Lighten(kParent, 16)) << "a bitmap button needs only the bits";
    bare->deliver(WM_PAINT);
    const TColor face = Lighten(kParent, 16); // 1001 holds the bits of 1000 too
    EXPECT_EQ(px(*bare, 30, 0), face) << "1001: no outline";
    EXPECT_EQ(px(*bare, 59, 10), face) << "and no edge";

    // A blank caption: no spacing, the first of two glyphs centred at (22, 3), drawn one
    // lower; faded while idle.
    glyph->deliver(WM_PAINT);
    EXPECT_EQ(px(*glyph, 22 + 8, 3 + 1 + 8), Lighten(kRed, 30));
    EXPECT_EQ(px(*glyph, 22 + 1, 3 + 1 + 8), ColorToRGB(painter->PaintIconColumnColor));
    for (int x = 0; x < 60; ++x)
        EXPECT_NE(px(*glyph, x, 12), RGB(0, 0, 255)) << "only the first glyph is shown";
    // Hot: full colour, lifted one pixel up-left, over its shadow.
    glyph->deliver(CM_MOUSEENTER);
    EXPECT_EQ(px(*glyph, 22 + 1, 3 + 8), kRed);
    EXPECT_EQ(px(*glyph, 22 + 13, 3 + 1 + 13), Darken(painter->PaintSelectColor, 50));
}

} // namespace
} // namespace kelvara

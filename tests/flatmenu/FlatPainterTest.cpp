#include "FakeMenus.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/FlatPainter.h"
#include "flatmenu/FlatPainterManager.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

class FlatPainterTest : public ::testing::Test
{
protected:
    void SetUp() override { SystemColors::instance().reset(); }
};

TEST_F(FlatPainterTest, ConstructorValuesAndSetterEffects)
{
    FakeHost host;
    TFlatPainter p(&host);
    EXPECT_EQ(p.DimLevel(), 30);
    EXPECT_EQ(p.GrayLevel(), 10);
    EXPECT_EQ(p.IconWidth(), 24);
    EXPECT_EQ(p.Color(), clBtnFace);
    EXPECT_EQ(p.SelectColor(), clHighlight);
    EXPECT_EQ(p.DisabledColor(), clInactiveCaption);
    EXPECT_EQ(p.SelectFontColor(), p.Font().color);
    EXPECT_TRUE(p.DrawSelect());
    EXPECT_TRUE(p.UseSystemColors());
    EXPECT_FALSE(p.Active());
    EXPECT_EQ(p.FlatContainers().mask(), 0x3FFu);
    EXPECT_EQ(p.FlatControls().mask(), 0x7FFFFFu);
    EXPECT_FALSE(p.ColorsDirty());
    EXPECT_EQ(p.ButtonFaceLevel(), 16);
    EXPECT_EQ(p.ButtonHotFaceLevel(), 40);
    EXPECT_TRUE(TFlatPainter::IsNT());
    EXPECT_FALSE(TFlatPainter::IsNT51());
    ASSERT_NE(TFlatPainterManager::instance(), nullptr);

    p.SetDimLevel(300); // a byte
    EXPECT_EQ(p.DimLevel(), 44);
    p.SetUseSystemColors(false);
    EXPECT_FALSE(p.ColorsDirty());
    EXPECT_EQ(host.menuBarRedraws, 1);
    p.SetSeparatorColor(clWhite);
    EXPECT_TRUE(p.ColorsDirty());
    EXPECT_EQ(host.menuBarRedraws, 1);
    p.SetMenuBarColor(clWhite);
    EXPECT_EQ(host.menuBarRedraws, 2);
    p.SetFont(Font{});
    EXPECT_EQ(host.menuBarRedraws, 3);
    Bitmap canvas(1, 1);
    p.RecomputePalette(canvas);
    EXPECT_FALSE(p.ColorsDirty());
    EXPECT_EQ(p.PaintSeparatorColor, clWhite);
}

TEST_F(FlatPainterTest, SystemColourPaletteInBothDepths)
{
    FakeHost host;
    TFlatPainter p(&host);
    Bitmap high(1, 1, 32);
    p.RecomputePalette(high);
    EXPECT_TRUE(p.HighColor());
    EXPECT_EQ(p.PaintMenuColor, Lighten(clBtnFace, 86));
    EXPECT_EQ(p.PaintMenuColor, RGB(249, 248, 247));
    EXPECT_EQ(p.PaintIconColumnColor, Lighten(clBtnFace, 16));
    EXPECT_EQ(p.PaintSelectColor, Lighten(clHighlight, 68));
    EXPECT_EQ(p.PaintSelectBorderColor, clHighlight);
    EXPECT_EQ(p.PaintDisabledColor, Lighten(clBtnShadow, 10));
    EXPECT_EQ(p.PaintSeparatorColor, Lighten(clBtnShadow, 25));
    EXPECT_EQ(p.PaintCheckAreaColor, Lighten(clHighlight, 80));
    EXPECT_EQ(p.PaintCheckAreaSelectColor, Lighten(clHighlight, 50));
    EXPECT_EQ(p.PaintFrameColor, RGB(122, 120, 110)); // Darken(clBtnFace, 90)
    EXPECT_EQ(p.PaintShadowColor, RGB(136, 134, 124));
    EXPECT_EQ(p.PaintSelectFontColor, p.Font().color);

    Bitmap low(1, 1, 15);
    p.RecomputePalette(low);
    EXPECT_FALSE(p.HighColor());
    EXPECT_EQ(p.PaintMenuColor, clWhite);
    EXPECT_EQ(p.PaintIconColumnColor, clBtnFace);
    EXPECT_EQ(p.PaintSelectColor, clWhite);
    EXPECT_EQ(p.PaintCheckAreaColor, clWhite);
    EXPECT_EQ(p.PaintCheckAreaSelectColor, clWhite);
    EXPECT_EQ(p.PaintDisabledColor, clBtnShadow);
    EXPECT_EQ(p.PaintFrameColor, clBtnShadow);
    EXPECT_EQ(p.PaintShadowColor, clBtnShadow);
}

TEST_F(FlatPainterTest, ExplicitColourPaletteInBothDepths)
{
    FakeHost host;
    TFlatPainter p(&host);
    p.SetUseSystemColors(false);
    p.SetSelectColor(RGB(0, 0, 200));
    p.SetColor(RGB(1, 2, 3));
    p.SetSelectFontColor(RGB(7, 7, 7));
    Bitmap high(1, 1, 24);
    p.RecomputePalette(high);
    EXPECT_EQ(p.PaintMenuColor, RGB(1, 2, 3));
    EXPECT_EQ(p.PaintSelectColor, RGB(0, 0, 200));
    EXPECT_EQ(p.PaintCheckAreaColor, RGB(0, 0, 200));
    EXPECT_EQ(p.PaintSelectFontColor, RGB(7, 7, 7));
    EXPECT_EQ(p.PaintSeparatorColor, clBtnFace);

    p.SetUseDimColor(true);
    p.RecomputePalette(high);
    EXPECT_EQ(p.PaintSelectColor, Lighten(RGB(0, 0, 200), 68));
    EXPECT_EQ(p.PaintCheckAreaColor, Lighten(RGB(0, 0, 200), 80));
    EXPECT_EQ(p.PaintCheckAreaSelectColor, Lighten(RGB(0, 0, 200), 50));

    Bitmap low(1, 1, 8);
    p.RecomputePalette(low);
    EXPECT_EQ(p.PaintSelectColor, RGB(0, 0, 200)); // no dimming on few colours
    EXPECT_EQ(p.PaintCheckAreaColor, clWhite);
    EXPECT_EQ(p.PaintCheckAreaSelectColor, clSilver);
}

TEST_F(FlatPainterTest, ContrastTextColourFollowsBrightness)
{
    FakeHost host;
    TFlatPainter p(&host);
    Font f;
    f.color = RGB(1, 2, 3);
    p.SetFont(f);
    EXPECT_EQ(p.ContrastTextColor(RGB(200, 0, 200)), RGB(1, 2, 3));
    EXPECT_EQ(p.ContrastTextColor(RGB(0, 201, 0)), RGB(1, 2, 3));
    EXPECT_EQ(p.ContrastTextColor(RGB(100, 200, 100)), Lighten(RGB(100, 200, 100), 90));
}

// A form with a main menu (File: Open, a Tag 999 item with a sub-item, an item with its
// own handlers), a pop-up menu with Tag 999 on the menu itself, and a main menu with Tag 999.
struct MenuForm
{
    MenuForm()
    {
        FakeItem& file = mainMenu.add(u"&File");
        file.add(u"&Open");
        FakeItem& marked = file.add(u"Marked");
        marked.itemTag = 999;
        marked.add(u"Inner");
        FakeItem& own = file.add(u"Own");
        own.OnDrawItem = {nullptr, [this](MenuItem&, Canvas&, const Rect&, bool) { ++ownDraws; }};
        own.OnMeasureItem = {nullptr, [](MenuItem&, Canvas&, int&, int&) {}};
        mainMenu.adopt();
        popup.add(u"Copy");
        leftAlone.add(u"Never");
        host.addMenu("MainMenu1", mainMenu);
        host.addMenu("PopupMenuEdit", popup, 999);
        host.addMenu("OtherMain", leftAlone, 999);
    }
    FakeItem& open() { return mainMenu.at(0).child(0); }
    FakeItem& marked() { return mainMenu.at(0).child(1); }
    FakeItem& own() { return mainMenu.at(0).child(2); }

    FakeHost host;
    FakeMenu mainMenu{Menu::Kind::Main};
    FakeMenu popup{Menu::Kind::Popup};
    FakeMenu leftAlone{Menu::Kind::Main};
    int ownDraws = 0;
};

TEST_F(FlatPainterTest, ActivationInstallsHandlersByTheTagAndOwnerDrawRules)
{
    MenuForm form;
    TFlatPainter p(&form.host);
    TFlatPainterStoredProperties::FlatPainter1().Assign(p);
    ASSERT_TRUE(p.Active());

    EXPECT_TRUE(form.mainMenu.ownerDraw());
    EXPECT_TRUE(form.mainMenu.at(0).OnDrawItem);
    EXPECT_EQ(form.open().OnDrawItem.owner, &p);
    EXPECT_EQ(form.open().OnMeasureItem.owner, &p);
    EXPECT_FALSE(form.marked().OnDrawItem);                 // Tag 999 left alone ...
    EXPECT_EQ(form.marked().child(0).OnDrawItem.owner, &p); // ... its sub-items are not
    EXPECT_EQ(form.own().OnDrawItem.owner, nullptr);        // the item's own stays
    EXPECT_TRUE(form.popup.ownerDraw()); // a pop-up menu's own Tag is not looked at
    EXPECT_EQ(form.popup.at(0).OnDrawItem.owner, &p);
    EXPECT_FALSE(form.leftAlone.ownerDraw());
    EXPECT_FALSE(form.leftAlone.at(0).OnDrawItem);
    // The bar is rebuilt by setting the first caption to empty and back.
    EXPECT_EQ(form.mainMenu.at(0).captionsSet, (std::vector<std::u16string>{u"", u"&File"}));
    EXPECT_GE(form.host.windowRequests, 1);

    p.SetActive(false);
    EXPECT_FALSE(form.mainMenu.ownerDraw());
    EXPECT_FALSE(form.open().OnDrawItem);
    EXPECT_FALSE(form.marked().child(0).OnMeasureItem);
    ASSERT_TRUE(form.own().OnDrawItem); // not this component's: kept
    Bitmap canvas(1, 1);
    form.own().OnDrawItem.call(form.own(), canvas, {}, false);
    EXPECT_EQ(form.ownDraws, 1);

    p.SetOverrideOwnerDraw(true);
    p.SetActive(true);
    EXPECT_EQ(form.own().OnDrawItem.owner, &p);
    EXPECT_FALSE(form.marked().OnDrawItem);
}

TEST_F(FlatPainterTest, ComponentsDeclaredAfterActivationKeepTheirLook)
{
    MenuForm form;
    FakeMenu later(Menu::Kind::Popup); // outlives the painter, which walks the list last
    later.add(u"Cut");
    TFlatPainter p(&form.host);
    p.SetActive(true);
    form.host.addMenu("PopupMenuForEdit", later);
    EXPECT_FALSE(later.ownerDraw());
    EXPECT_FALSE(later.at(0).OnDrawItem);
    p.SetActive(true); // unchanged: nothing re-applied
    EXPECT_FALSE(later.at(0).OnDrawItem);
}

TEST_F(FlatPainterTest, ChangingTheSetsWhileActiveReappliesOnlyOnAChange)
{
    MenuForm form;
    TFlatPainter p(&form.host);
    p.SetActive(true);
    form.open().OnDrawItem.clear(); // something took it away
    p.SetFlatControls(TFlatControls::all());
    EXPECT_FALSE(form.open().OnDrawItem); // unchanged set: nothing re-applied

    p.SetFlatControls(TFlatControls{fcPopupMenu});
    EXPECT_TRUE(p.Active());
    EXPECT_FALSE(form.mainMenu.ownerDraw());
    EXPECT_FALSE(form.open().OnDrawItem);
    EXPECT_EQ(form.popup.at(0).OnDrawItem.owner, &p);

    p.SetFlatContainers(TFlatContainers{fccForm}); // re-applies with the controls kept
    EXPECT_FALSE(form.open().OnDrawItem);
    EXPECT_EQ(form.popup.at(0).OnDrawItem.owner, &p);

    p.SetActive(false);
    p.SetFlatControls(TFlatControls::all()); // inactive: only stored
    EXPECT_FALSE(form.popup.at(0).OnDrawItem);
    EXPECT_EQ(p.FlatControls(), TFlatControls::all());
}

TEST_F(FlatPainterTest, DestructionRemovesItsHandlersAndTheLastOneTheManager)
{
    MenuForm form;
    {
        auto p = std::make_unique<TFlatPainter>(&form.host);
        p->SetActive(true);
        p->Loaded();
        TFlatPainterManager* manager = TFlatPainterManager::instance();
        ASSERT_NE(manager, nullptr);
        EXPECT_EQ(manager->CurrentMenu(), p.get());
        {
            FakeHost other;
            TFlatPainter inactive(&other);
            inactive.Loaded();
            EXPECT_EQ(manager->Menus().size(), 2u);
            EXPECT_EQ(manager->CurrentMenu(), p.get()); // not active: never current
        }
        EXPECT_EQ(TFlatPainterManager::instance(), manager);
        p.reset();
    }
    EXPECT_FALSE(form.open().OnDrawItem);
    EXPECT_EQ(form.own().OnDrawItem.owner, nullptr);
    EXPECT_EQ(form.host.repaints, 1);
    EXPECT_EQ(TFlatPainterManager::instance(), nullptr);
}

} // namespace
} // namespace kelvara

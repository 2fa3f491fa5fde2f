#include "FakeControls.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/ControlSubClass.h"
#include "flatmenu/FlatPainter.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kelvara {
namespace {

using Kind = FakeControl::Kind;

class ControlSubClassTest : public ::testing::Test
{
protected:
    ControlSubClassTest()
    {
        SystemColors::instance().reset();
        formControl = std::make_shared<FakeControl>(Kind::Form, "TCustomDictForm");
        formControl->colour = clBtnFace;
    }
    std::shared_ptr<FakeControl> control(Kind kind, const std::string& className, int tag = 0,
                                         const std::string& name = "Control1")
    {
        auto c = std::make_shared<FakeControl>(kind, className);
        c->parentControl = formControl;
        return form.addControl(name, c, tag);
    }
    TFlatPainter& painter()
    {
        if (!flat) {
            flat = std::make_unique<TFlatPainter>(&form);
            flat->SetActive(true);
        }
        return *flat;
    }
    static TControlSubClass* hook(const FakeControl& c)
    {
        return dynamic_cast<TControlSubClass*>(c.windowProc());
    }

    FakeForm form;
    std::shared_ptr<FakeControl> formControl;
    std::unique_ptr<TFlatPainter> flat;
};

TEST_F(ControlSubClassTest, MessagesMoveTheStateAndRepaintAfterTheControlsOwnHandling)
{
    auto button = control(Kind::Button, "TButton");
    painter();
    TControlSubClass* s = hook(*button);
    ASSERT_NE(s, nullptr);

    int paintsSeenByOwn = -1;
    button->onOwn = [&](ControlMessage&) { paintsSeenByOwn = button->paints; };
    button->deliver(WM_SETFOCUS);
    EXPECT_TRUE(s->Highlighted);
    EXPECT_EQ(paintsSeenByOwn, 0) << "the control's own handling runs before the border";
    EXPECT_EQ(button->paints, 1);
    button->deliver(WM_KILLFOCUS);
    EXPECT_FALSE(s->Highlighted);

    // Space held: one repaint for the press however often the key repeats.
    const int before = button->paints;
    button->deliver(WM_KEYDOWN, VK_SPACE);
    button->deliver(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(s->SpaceDown);
    EXPECT_TRUE(s->SpaceHandled);
    EXPECT_EQ(button->paints, before + 1);
    button->deliver(WM_KEYDOWN, 'A');
    EXPECT_EQ(button->paints, before + 1);
    button->deliver(WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(s->SpaceDown);
    EXPECT_FALSE(s->SpaceHandled);
    EXPECT_EQ(button->paints, before + 2);

    button->deliver(WM_LBUTTONDOWN);
    EXPECT_TRUE(s->ButtonDown);
    button->deliver(WM_LBUTTONUP);
    EXPECT_FALSE(s->ButtonDown);

    // Mouse hover counts only while enabled; disabling drops the highlight.
    button->enabledValue = false;
    button->deliver(CM_MOUSEENTER);
    EXPECT_FALSE(s->Highlighted);
    button->enabledValue = true;
    button->deliver(CM_MOUSEENTER);
    EXPECT_TRUE(s->Highlighted);
    button->deliver(CM_ENABLEDCHANGED, 0);
    EXPECT_FALSE(s->Highlighted);
    button->deliver(CM_MOUSEENTER);
    button->deliver(CM_EXIT);
    EXPECT_FALSE(s->Highlighted);
    EXPECT_EQ(s->LastMessage, CM_EXIT);

    // A rebuilt window keeps its hook through the destroy; the next paint clears the flag.
    button->deliver(WM_WINDOWPOSCHANGED);
    EXPECT_TRUE(s->Recreating);
    button->deliver(WM_DESTROY);
    EXPECT_EQ(hook(*button), s);
    button->deliver(WM_PAINT);
    EXPECT_FALSE(s->Recreating);
    button->deliver(WM_DESTROY);
    EXPECT_EQ(button->windowProc(), nullptr);
    EXPECT_TRUE(painter().Subclasses().empty());
}

TEST_F(ControlSubClassTest, ADoubleClickOnAButtonIsASecondPress)
{
    auto button = control(Kind::Button, "TButton");
    auto edit = control(Kind::Edit, "TEdit", 0, "Edit1");
    painter();
    button->deliver(WM_LBUTTONDBLCLK);
    EXPECT_EQ(button->own, (std::vector<unsigned>{WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
    EXPECT_TRUE(hook(*button)->ButtonDown);
    edit->deliver(WM_LBUTTONDBLCLK);
    EXPECT_EQ(edit->own, (std::vector<unsigned>{WM_LBUTTONDBLCLK}));
}

TEST_F(ControlSubClassTest, WhichControlsAreHooked)
{
    auto edit = control(Kind::Edit, "TEdit", 0, "Edit1");
    auto leftAlone = control(Kind::Edit, "TEdit", 999, "Edit2");
    auto bitBtn = control(Kind::Button, "TBitBtn", 0, "BitBtn1");
    auto derived = control(Kind::Button, "TMyButton", 0, "Button9");
    auto onTagged = std::make_shared<FakeControl>(Kind::Edit, "TEdit");
    auto taggedPanel = std::make_shared<FakeControl>(Kind::Panel, "TPanel");
    taggedPanel->tagValue = 999;
    onTagged->parentControl = taggedPanel;
    form.addControl("Edit3", onTagged);
    auto orphan = std::make_shared<FakeControl>(Kind::Edit, "TEdit");
    form.addControl("Edit4", orphan);

    painter();
    EXPECT_NE(hook(*edit), nullptr);
    EXPECT_NE(hook(*bitBtn), nullptr);
    EXPECT_EQ(hook(*leftAlone), nullptr);
    EXPECT_EQ(hook(*onTagged), nullptr) << "a parent with Tag 999 keeps its controls";
    EXPECT_EQ(hook(*derived), nullptr) << "buttons are matched by their exact class name";
    EXPECT_EQ(hook(*orphan), nullptr);
    EXPECT_GT(leftAlone->invalidations, 0) << "a qualifying control is invalidated all the same";

    // Without fcEdit in the set nothing new is hooked, but the hooked edit stays hooked and
    // gains only an idle object.
    TControlSubClass* first = hook(*edit);
    const std::size_t count = painter().Subclasses().size();
    painter().SetFlatControls(TFlatControls({fcEdit, fcBitBtn, fcButton}));
    EXPECT_EQ(hook(*edit), first);
    EXPECT_EQ(painter().Subclasses().size(), 2 * count);
    const int paints = edit->paints;
    edit->deliver(WM_PAINT);
    EXPECT_EQ(edit->paints, paints + 1) << "a control hooked twice is painted once";
    painter().SetFlatControls(TFlatControls({fcEdit, fcBitBtn, fcButton}));
    EXPECT_EQ(painter().Subclasses().size(), 2 * count) << "an unchanged set re-applies nothing";
}

TEST_F(ControlSubClassTest, SwitchingOffRestoresEachControlOnItsNextMessage)
{
    auto edit = control(Kind::Edit, "TEdit");
    edit->ctl3d = true;
    edit->border = TBorderStyle::bsNone;
    painter();
    edit->deliver(WM_PAINT);
    EXPECT_FALSE(edit->ctl3d) << "the painter takes the 3-D border off";
    painter().SetActive(false);
    EXPECT_NE(hook(*edit), nullptr) << "an idle control keeps its hook until it hears something";
    ControlMessage m{CM_MOUSEENTER, 0, 0, 0};
    edit->deliver(m);
    EXPECT_EQ(m.result, 1);
    EXPECT_EQ(edit->windowProc(), nullptr);
    EXPECT_TRUE(edit->ctl3d);
    EXPECT_EQ(edit->border, TBorderStyle::bsNone);
    EXPECT_TRUE(painter().Subclasses().empty());
}

TEST_F(ControlSubClassTest, AReleaseInsideANestedMessageWaitsForTheOutermostOne)
{
    auto button = control(Kind::Button, "TButton");
    painter();
    bool nested = false;
    button->onOwn = [&](ControlMessage& m) {
        if (m.msg == WM_LBUTTONUP && !nested) {
            nested = true;
            painter().SetActive(false);
            button->deliver(0x0113); // any message
        }
    };
    button->deliver(WM_LBUTTONUP);
    EXPECT_EQ(button->windowProc(), nullptr);
    EXPECT_TRUE(painter().Subclasses().empty());
    button->deliver(WM_PAINT);
    EXPECT_EQ(button->own.back(), static_cast<unsigned>(WM_PAINT));
}

TEST_F(ControlSubClassTest, APainterThatGoesGivesItsControlsTheirOwnProcedureBack)
{
    auto edit = control(Kind::Edit, "TEdit");
    edit->ctl3d = true;
    painter();
    edit->deliver(WM_PAINT);
    flat.reset();
    EXPECT_EQ(edit->windowProc(), nullptr);
    EXPECT_TRUE(edit->ctl3d);
    edit->deliver(WM_PAINT); // reaches only the control's own handling
    EXPECT_EQ(edit->own.back(), static_cast<unsigned>(WM_PAINT));
}

// A button whose caption cannot be read: its painter throws half-way through the face.
class ThrowingButton : public FakeControl
{
public:
    ThrowingButton() : FakeControl(Kind::Button, "TButton") {}
    std::u16string caption() const override
    {
        if (failing)
            throw std::runtime_error("caption unavailable");
        return u"OK";
    }
    void endPaint() override { ++ended; }
    bool failing = true;
    int ended = 0;
};

TEST_F(ControlSubClassTest, AFailingControlPainterIsCaughtAndTheNextPaintStartsAfresh)
{
    auto button = std::make_shared<ThrowingButton>();
    button->parentControl = formControl;
    form.addControl("Button1", button);
    painter();
    TControlSubClass* s = hook(*button);
    ASSERT_NE(s, nullptr);
    EXPECT_NO_THROW(button->deliver(WM_PAINT));
    EXPECT_EQ(button->own.back(), static_cast<unsigned>(WM_PAINT)) << "its own paint ran";
    EXPECT_EQ(button->ended, 1) << "the canvas is given back";
    EXPECT_NO_THROW(button->deliver(CM_MOUSEENTER));
    EXPECT_TRUE(s->Highlighted) << "the state still follows the messages";
    EXPECT_EQ(hook(*button), s) << "and the control stays hooked";

    button->failing = false;
    button->surface.fill(FakeControl::kContent);
    button->deliver(WM_PAINT);
    EXPECT_EQ(button->ended, 3);
    EXPECT_NE(button->surface.pixel(0, 11), FakeControl::kContent) << "the face is painted";
}

} // namespace
} // namespace kelvara

#include "FakeControls.h"

#include "flatmenu/ControlSubClass.h"
#include "flatmenu/FlatPainter.h"
#include "flatmenu/FlatPainterManager.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

using Kind = FakeControl::Kind;

// A dialog with one edit on it.
struct Dialog
{
    explicit Dialog(const std::string& name) : form(name)
    {
        self = std::make_shared<FakeControl>(Kind::Form, "T" + name);
        edit = std::make_shared<FakeControl>(Kind::Edit, "TEdit");
        edit->parentControl = self;
        form.addControl("Edit1", edit);
    }
    FakeForm form;
    std::shared_ptr<FakeControl> self;
    std::shared_ptr<FakeControl> edit;
};

class FlatPainterManagerTest : public ::testing::Test
{
protected:
    FlatPainterManagerTest() : main("MainForm"), other("OtherForm"), prompt("SaveDlg")
    {
        TFlatPainterManager::setScreen(&screen);
        screen.screenForms = {&main.form, &prompt.form};
    }
    ~FlatPainterManagerTest() override { TFlatPainterManager::setScreen(nullptr); }
    std::unique_ptr<TFlatPainter> painterOn(Dialog& d, bool active = true)
    {
        auto p = std::make_unique<TFlatPainter>(&d.form);
        p->SetActive(active);
        p->Loaded();
        return p;
    }
    static bool hooked(const FakeControl& c) { return c.windowProc() != nullptr; }
    static TFlatPainterManager& manager() { return *TFlatPainterManager::instance(); }
    static bool message(unsigned msg = 0x0200, std::intptr_t l = 0, std::uintptr_t w = 0)
    {
        return manager().HookProc({msg, w, l, 0});
    }

    FakeScreen screen;
    Dialog main;
    Dialog other;
    Dialog prompt;
};

TEST_F(FlatPainterManagerTest, OtherFormsTakeTheCurrentMenusLookAtTheNextMessage)
{
    Dialog tagged("About");
    tagged.form.list.setOwnerTag(999);
    Dialog owning("Owning");
    owning.form.ownPainter = true;
    screen.screenForms = {&main.form, &tagged.form, &owning.form, &prompt.form};

    auto painter = painterOn(main);
    EXPECT_EQ(manager().CurrentMenu(), painter.get());
    EXPECT_EQ(manager().PendingForms(), std::vector<FlatHost*>{&prompt.form})
        << "forms with Tag 999 or a painter of their own are not collected";
    EXPECT_FALSE(hooked(*prompt.edit));
    EXPECT_FALSE(message());
    EXPECT_TRUE(hooked(*prompt.edit));
    EXPECT_TRUE(manager().PendingForms().empty());

    // A form announced twice is queued once; one destroyed before the next message is
    // never processed.
    manager().FormNotification(&other.form, TOperation::opInsert);
    manager().FormNotification(&other.form, TOperation::opInsert);
    EXPECT_EQ(manager().PendingForms().size(), 1u);
    manager().FormNotification(&other.form, TOperation::opRemove);
    message();
    EXPECT_FALSE(hooked(*other.edit));
    // An announced form gets no Tag 999 test of its own.
    manager().FormNotification(&tagged.form, TOperation::opInsert);
    message();
    EXPECT_TRUE(hooked(*tagged.edit));

    // The current menu refusing the role with no other to take it withdraws the look.
    painter->SetDisableSubclassing(true);
    EXPECT_EQ(manager().CurrentMenu(), nullptr);
    EXPECT_FALSE(hooked(*prompt.edit));
    EXPECT_TRUE(hooked(*main.edit)) << "its own form keeps it";
    EXPECT_TRUE(manager().DoneForms().empty());
}

TEST_F(FlatPainterManagerTest, AnInactiveOrRefusingPainterNeverBecomesCurrent)
{
    auto inactive = painterOn(other, false);
    EXPECT_EQ(manager().CurrentMenu(), nullptr);
    manager().FormNotification(&prompt.form, TOperation::opInsert);
    EXPECT_TRUE(manager().PendingForms().empty()) << "no current menu: nothing is queued";
    auto refusing = std::make_unique<TFlatPainter>(&main.form);
    refusing->SetActive(true);
    refusing->SetDisableSubclassing(true);
    refusing->Loaded();
    EXPECT_EQ(manager().CurrentMenu(), nullptr);
    refusing->SetDisableSubclassing(false);
    EXPECT_EQ(manager().CurrentMenu(), nullptr) << "clearing the flag looks for nothing";
}

TEST_F(FlatPainterManagerTest, TheCurrentRolePassesOnWithTheHookedControls)
{
    auto first = painterOn(main);
    auto second = painterOn(other);
    message();
    ASSERT_TRUE(hooked(*prompt.edit));
    ASSERT_EQ(manager().CurrentMenu(), first.get());

    first.reset();
    EXPECT_EQ(manager().CurrentMenu(), second.get());
    auto* subclass = dynamic_cast<TControlSubClass*>(prompt.edit->windowProc());
    ASSERT_NE(subclass, nullptr) << "the dialog's edit stays hooked";
    EXPECT_EQ(subclass->Menu, second.get());
    EXPECT_FALSE(hooked(*main.edit)) << "the leaving form's own controls go back";
    prompt.edit->deliver(CM_MOUSEENTER);
    EXPECT_TRUE(subclass->Highlighted);

    // The last eligible one goes: the look is taken off the other forms.
    second.reset();
    EXPECT_EQ(TFlatPainterManager::instance(), nullptr);
    EXPECT_FALSE(hooked(*prompt.edit));
}

TEST_F(FlatPainterManagerTest, FlatFrameRequestsReachTheCurrentMenuOnly)
{
    auto painter = std::make_unique<TFlatPainter>(&main.form);
    screen.itemRect = {100, 50, 180, 73};
    FakeItem item(u"Open");
    EXPECT_FALSE(message(WM_FLATFRAME_ITEM, reinterpret_cast<std::intptr_t>(&item)));
    EXPECT_TRUE(screen.points.empty()) << "no current menu: requests are ignored";
    painter->SetActive(true);
    painter->Loaded();
    EXPECT_FALSE(message(WM_FLATFRAME_ITEM, reinterpret_cast<std::intptr_t>(&item)));
    ASSERT_EQ(screen.points.size(), 1u);
    EXPECT_EQ(screen.points[0], (Point{140, 61}));
}

} // namespace
} // namespace kelvara

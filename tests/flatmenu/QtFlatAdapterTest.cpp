// How the painter's adapter meets Qt: it watches a control's events without taking them from
// the control or from the filters in front of it, knows which action each menu item stands
// for, runs the manager's hook without watching the application, and never reaches a widget,
// dialog or component list that has gone, in whatever order they go.

#include "QtFlatFixture.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/ControlSubClass.h"
#include "flatmenu/FlatPainterManager.h"
#include "flatmenu/qt/ItemAwareMenus.h"
#include "flatmenu/qt/QtCanvas.h"
#include "flatmenu/qt/QtFlatControl.h"
#include "flatmenu/qt/QtFlatForms.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <vector>

namespace kelvara {
namespace {

/// Counts the events an object receives by type; optionally eats one key.
class EventCounter : public QObject
{
public:
    explicit EventCounter(QWidget* watched, int eatenKey = 0) : m_eatenKey(eatenKey)
    {
        watched->installEventFilter(this);
    }
    int count(QEvent::Type type) const { return m_counts.value(type); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        ++m_counts[event->type()];
        return m_eatenKey && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == m_eatenKey;
    }

private:
    int m_eatenKey;
    QMap<QEvent::Type, int> m_counts;
};

void send(QWidget* w, QEvent::Type type)
{
    QEvent e(type);
    QCoreApplication::sendEvent(w, &e);
}

// A form with an input box and a button, each watched by a filter installed before the
// painter comes.
class QtFlatEventRoutingTest : public QtFlatFixture
{
protected:
    QtFlatEventRoutingTest()
    {
        form.setGeometry(100, 100, 300, 120);
        edit = new QLineEdit(&form);
        edit->setGeometry(10, 10, 120, 24);
        push = new QPushButton(QStringLiteral("OK"), &form);
        push->setGeometry(10, 50, 75, 25);
        components.add("EditWordInput", edit);
        components.add("Button1", push);
        editCounter = std::make_unique<EventCounter>(edit, Qt::Key_X);
        pushCounter = std::make_unique<EventCounter>(push);
        form.show();
        paintFlat(&form).painter().Loaded();
    }

    QWidget form;
    QLineEdit* edit;
    QPushButton* push;
    std::unique_ptr<EventCounter> editCounter;
    std::unique_ptr<EventCounter> pushCounter;
};

TEST_F(QtFlatEventRoutingTest, FiltersInstalledBeforeThePainterSeeEveryEventOnce)
{
    ASSERT_TRUE(hooked(edit));
    ASSERT_TRUE(hooked(push));
    const TColor parent = fromQColor(form.palette().color(form.backgroundRole()));

    const int paints = editCounter->count(QEvent::Paint);
    const QImage image = edit->grab().toImage();
    EXPECT_EQ(editCounter->count(QEvent::Paint), paints + 1);
    EXPECT_EQ(at(image, 0, 10), Darken(parent, 60)) << "the flat outline over the box's paint";

    send(edit, QEvent::Enter);
    send(edit, QEvent::Leave);
    EXPECT_EQ(editCounter->count(QEvent::Enter), 1);
    EXPECT_EQ(editCounter->count(QEvent::Leave), 1);

    // Typing reaches the box once per key, and a key the earlier filter eats stays eaten.
    QTest::keyClicks(edit, QStringLiteral("axb"));
    EXPECT_EQ(edit->text(), QStringLiteral("ab"));
    EXPECT_EQ(editCounter->count(QEvent::KeyPress), 3);

    int clicks = 0;
    QObject::connect(push, &QPushButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(push, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(pushCounter->count(QEvent::MouseButtonPress), 1);
    EXPECT_EQ(pushCounter->count(QEvent::MouseButtonRelease), 1);
    auto* subclass =
        dynamic_cast<TControlSubClass*>(ControlMessageChain::existing(push)->windowProc());
    ASSERT_NE(subclass, nullptr);
    EXPECT_FALSE(subclass->ButtonDown) << "the hook saw the press and the release too";

    const int pushPaints = pushCounter->count(QEvent::Paint);
    (void)push->grab();
    EXPECT_EQ(pushCounter->count(QEvent::Paint), pushPaints + 1);
}

// A hook that fails on every message.
class ThrowingProc : public WindowProc
{
public:
    void windowProc(ControlMessage&) override
    {
        ++calls;
        throw std::runtime_error("hook failed");
    }
    int calls = 0;
};

TEST_F(QtFlatEventRoutingTest, WhatAHookThrowsStopsShortOfQt)
{
    auto* other = new QLineEdit(&form);
    other->show();
    ThrowingProc thrower;
    ControlMessageChain::of(other)->setWindowProc(&thrower);
    EXPECT_NO_THROW(send(other, QEvent::Enter));
    EXPECT_NO_THROW(QTest::keyClicks(other, QStringLiteral("ok")));
    EXPECT_NO_THROW((void)other->grab());
    EXPECT_GE(thrower.calls, 4);
    EXPECT_EQ(other->text(), QStringLiteral("ok")) << "the box's own handling still ran";
    ControlMessageChain::of(other)->setWindowProc(nullptr);
}

TEST_F(QtFlatEventRoutingTest, AToolBarGapsPaintReachesItsOtherFilters)
{
    auto* bar = new QToolBar(&form);
    bar->setGeometry(0, 90, 200, 30);
    auto* first = new QToolButton(bar);
    first->setDefaultAction(new QAction(redIcon(), QStringLiteral("Save"), bar));
    first->setFixedSize(25, 24);
    bar->addWidget(first);
    auto* gap = new QFrame(bar);
    gap->setFixedSize(8, 24);
    bar->addWidget(gap);
    auto* next = new QToolButton(bar);
    next->setDefaultAction(new QAction(redIcon(), QStringLiteral("Find"), bar));
    next->setFixedSize(25, 24);
    bar->addWidget(next);
    bar->show();
    EventCounter gapCounter(gap);
    components.add("ToolBar1", bar);
    components.add("ToolButtonSave", first);
    components.add("ToolButton1", gap, 1);
    components.add("ToolButtonFind", next);
    flat.reset();
    paintFlat(&form).painter().Loaded();

    const int paints = gapCounter.count(QEvent::Paint);
    const QImage image = gap->grab().toImage();
    EXPECT_EQ(gapCounter.count(QEvent::Paint), paints + 1);
    const TColor barColour = fromQColor(bar->palette().color(QPalette::Button));
    EXPECT_EQ(at(image, 4, 10), Darken(barColour, 30)) << "the separator line over it";
}

// ---- menu items known by their action

class QtItemAwareMenuTest : public QtFlatFixture
{
protected:
    QtItemAwareMenuTest()
    {
        menu = new ItemAwareMenu(&form);
        withIcon = menu->addAction(redIcon(), QStringLiteral("Same"));
        components.add("PopupMenuEdit", menu);
    }
    QWidget form;
    ItemAwareMenu* menu;
    QAction* withIcon;
};

TEST_F(QtItemAwareMenuTest, TwoItemsWithOneTextAreMeasuredAsThemselves)
{
    paintFlat(&form);
    menu->adjustSize();
    // A second item of the same text, without an icon, taken over with the first.
    QAction* plain = menu->addAction(QStringLiteral("Same"));
    painter().SetActive(false);
    painter().SetActive(true);
    ASSERT_TRUE(QtMenuItem::of(plain) && QtMenuItem::of(plain)->OnMeasureItem);
    menu->adjustSize();
    const int textHeight = QtTextRenderer::instance().measure(painter().Font(), u"W").height;
    const int textItemHeight = textHeight + static_cast<int>(std::nearbyint(0.75 * textHeight));
    EXPECT_EQ(menu->actionGeometry(withIcon).height(), std::max(textItemHeight, 16 + 6));
    EXPECT_EQ(menu->actionGeometry(plain).height(), textItemHeight);

    // Drawn as themselves too: only the item with the icon shows its glyph.
    const QImage image = menu->grab().toImage();
    const auto hasRed = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 120)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasRed(menu->actionGeometry(withIcon)));
    EXPECT_FALSE(hasRed(menu->actionGeometry(plain)));
}

TEST(StyledItemRecordTest, OnlyTheOptionFilledForAnActionNamesIt)
{
    StyledItemRecord record;
    QAction action(QStringLiteral("Copy"));
    QStyleOptionMenuItem filled, other;
    EXPECT_EQ(record.actionFor(&filled), nullptr);
    record.filled(&filled, &action);
    EXPECT_EQ(record.actionFor(&filled), &action);
    EXPECT_EQ(record.actionFor(&other), nullptr) << "an empty area or scroller option";
    EXPECT_EQ(styledMenuAction(nullptr, &filled), nullptr);
    auto gone = std::make_unique<QAction>(QStringLiteral("Gone"));
    record.filled(&filled, gone.get());
    gone.reset();
    EXPECT_EQ(record.actionFor(&filled), nullptr) << "an action deleted since";
}

// ---- the manager's hook

// A dialog like the window's: its component list is a member, which dies in the dialog's
// destructor before the dialog says it is gone.
class ListedDialog : public QDialog
{
public:
    explicit ListedDialog(QWidget* parent = nullptr) : QDialog(parent), list("TColWidthDlg")
    {
        edit = new QLineEdit(this);
        button = new QPushButton(QStringLiteral("OK"), this);
        button->move(0, 40);
        list.add("Edit1", edit);
        list.add("Button1", button);
    }
    QLineEdit* edit;
    QPushButton* button;
    ComponentList list;
};

TEST_F(QtFlatEventRoutingTest, AnnouncedFormsTakeTheLookFromTheQueuedHookNotFromOtherEvents)
{
    ListedDialog dialog(&form);
    FlatForms::Announce(&dialog, dialog.list);
    QObject bystander;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&bystander, &event);
    send(edit, QEvent::Enter);
    EXPECT_FALSE(hooked(dialog.edit)) << "no other object's event runs the hook";
    QCoreApplication::processEvents();
    EXPECT_TRUE(hooked(dialog.edit));
    EXPECT_TRUE(hooked(dialog.button));
}

TEST(QtFlatFormsTest, AFormAnnouncedBeforeAnyPainterTakesTheLookWhenOneComes)
{
    QWidget form;
    ComponentList components("FormTest");
    auto* edit = new QLineEdit(&form);
    components.add("EditWordInput", edit);
    ListedDialog dialog;
    FlatForms::Announce(&dialog, dialog.list);
    QCoreApplication::processEvents();
    EXPECT_FALSE(hooked(dialog.edit));
    {
        QtFlatPainter flat(&form, components);
        TFlatPainterStoredProperties::FlatPainter1().Assign(flat.painter());
        flat.painter().Loaded();
        QCoreApplication::processEvents();
        EXPECT_TRUE(hooked(edit));
        EXPECT_TRUE(hooked(dialog.edit)) << "the manager collected it and the hook ran";
    }
    EXPECT_FALSE(hooked(dialog.edit));
}

// ---- lifetimes: everything goes, in every order

// The window's painter over a form with a hooked input box, and an announced dialog with its
// own component list and a hooked box and button.
struct Scene
{
    Scene()
    {
        form = std::make_unique<QWidget>();
        formEdit = new QLineEdit(form.get());
        components.add("EditWordInput", formEdit);
        form->show();
        painter = std::make_unique<QtFlatPainter>(form.get(), components);
        TFlatPainterStoredProperties::FlatPainter1().Assign(painter->painter());
        painter->painter().Loaded();
        dialog = new ListedDialog(form.get());
        dialogEdit = dialog->edit;
        dialogButton = dialog->button;
        dialog->show();
        FlatForms::Announce(dialog, dialog->list);
        dialogHost = FlatForms::hostOf(dialog);
        for (QWidget* w :
             std::initializer_list<QWidget*>{formEdit, dialog, dialogEdit, dialogButton})
            watched.emplace_back(w, w);
    }
    ~Scene()
    {
        painter.reset();
        delete dialog.data();
        form.reset();
        QCoreApplication::processEvents();
    }

    /// No subclass of the painter hooks a widget that has gone (one may stay idle over it, as
    /// for a window being made again), and no gone widget keeps a message chain.
    void expectNoDeadControls() const
    {
        if (painter) {
            for (const auto& subclass : painter->painter().Subclasses()) {
                const auto* control = dynamic_cast<const QtFlatControl*>(subclass->Control.get());
                if (control && !control->widget()) {
                    EXPECT_FALSE(subclass->hooking());
                }
            }
        }
        for (const auto& [address, guard] : watched) {
            if (!guard) {
                EXPECT_EQ(ControlMessageChain::existing(address), nullptr);
            }
        }
    }
    void expectDialogForgotten() const
    {
        const TFlatPainterManager* manager = TFlatPainterManager::instance();
        if (!manager || dialog)
            return;
        const auto& pending = manager->PendingForms();
        const auto& done = manager->DoneForms();
        EXPECT_EQ(std::count(pending.begin(), pending.end(), dialogHost), 0);
        EXPECT_EQ(std::count(done.begin(), done.end(), dialogHost), 0);
    }

    ComponentList components{"FormTest"};
    std::unique_ptr<QWidget> form;
    QPointer<QLineEdit> formEdit;
    std::unique_ptr<QtFlatPainter> painter;
    QPointer<ListedDialog> dialog;
    QPointer<QLineEdit> dialogEdit;
    QPointer<QPushButton> dialogButton;
    FlatHost* dialogHost = nullptr;
    std::vector<std::pair<const QWidget*, QPointer<QWidget>>> watched;
};

TEST(QtFlatLifetimeTest, PainterFormDialogAndHookedWidgetsGoInEveryOrder)
{
    using Step = std::function<void(Scene&)>;
    const std::vector<std::pair<const char*, Step>> steps = {
        {"painter", [](Scene& s) { s.painter.reset(); }},
        {"dialog", [](Scene& s) { delete s.dialog.data(); }},
        {"dialog box", [](Scene& s) { delete s.dialogEdit.data(); }},
        {"form box", [](Scene& s) { delete s.formEdit.data(); }},
        {"form", [](Scene& s) { s.form.reset(); }},
    };
    std::vector<int> order(steps.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    int scenarios = 0;
    do {
        // Once before the dialog takes the look (its announcement still queued), once after.
        for (const bool applied : {false, true}) {
            Scene scene;
            if (applied) {
                QCoreApplication::processEvents();
                ASSERT_TRUE(hooked(scene.dialogEdit));
            }
            std::string path;
            for (int k : order) {
                path += std::string(steps[k].first) + " ";
                SCOPED_TRACE(path + (applied ? "(applied)" : "(queued)"));
                steps[k].second(scene);
                scene.expectNoDeadControls();
                scene.expectDialogForgotten();
                if (scene.dialogButton)
                    (void)scene.dialogButton->grab(); // a paint through what is left
                QCoreApplication::processEvents();
            }
            ++scenarios;
        }
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(scenarios, 240);
    EXPECT_EQ(TFlatPainterManager::instance(), nullptr) << "the last painter took it along";
}

TEST_F(QtFlatEventRoutingTest, AHookedButtonDeletedInsideItsOwnEvent)
{
    // In its click handler, inside the release.
    QPointer<QPushButton> clicked = push;
    QObject::connect(push, &QPushButton::clicked, push, [&] { delete clicked.data(); });
    QTest::mouseClick(push, Qt::LeftButton);
    EXPECT_TRUE(clicked.isNull());
    EXPECT_EQ(ControlMessageChain::existing(push), nullptr);

    // In its press handler, inside a press the chain itself sends while it dispatches.
    auto* pressedButton = new QPushButton(QStringLiteral("Go"), &form);
    pressedButton->show();
    components.add("Button2", pressedButton);
    painter().ApplyToComponents(flat->host(), true, false);
    ASSERT_TRUE(hooked(pressedButton));
    QPointer<QPushButton> pressed = pressedButton;
    QObject::connect(pressedButton, &QPushButton::pressed, pressedButton,
                     [&] { delete pressed.data(); });
    QtFlatControl(pressedButton, nullptr).sendMessage({WM_LBUTTONDOWN, 0, 0, 0});
    EXPECT_TRUE(pressed.isNull());
    EXPECT_EQ(ControlMessageChain::existing(pressedButton), nullptr);

    for (const auto& subclass : painter().Subclasses()) {
        const auto* control = dynamic_cast<const QtFlatControl*>(subclass->Control.get());
        if (control && !control->widget()) {
            EXPECT_FALSE(subclass->hooking());
        }
    }
    (void)edit->grab();
}

} // namespace
} // namespace kelvara

#include "QtFlatFixture.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/ControlSubClass.h"
#include "flatmenu/qt/ItemAwareMenus.h"
#include "flatmenu/qt/QtFlatControl.h"
#include "flatmenu/qt/QtFlatForms.h"
#include "flatmenu/qt/QtFlatPainter.h"
#include "flatmenu/qt/QtPopupFrame.h"
#include "platform/qt/ControlMessageChain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace kelvara {
namespace {

// A form like the main window's corner of it: a tool bar with a button, a separator with a
// line and the input box; a panel holding a drop-down; two push buttons, one of them a
// bitmap button with a glyph.
class QtFlatControlsTest : public QtFlatFixture
{
protected:
    QtFlatControlsTest()
    {
        form = std::make_unique<QWidget>();
        form->setGeometry(100, 100, 400, 200);
        bar = new QToolBar(form.get());
        bar->setGeometry(0, 0, 400, 30);
        bar->setIconSize(QSize(16, 16));
        auto* save = new QAction(redIcon(), QStringLiteral("Save"), bar);
        save->setProperty("imageIndex", 0);
        saveButton = new QToolButton(bar);
        saveButton->setDefaultAction(save);
        saveButton->setFixedSize(25, 24);
        bar->addWidget(saveButton);
        gap = new QFrame(bar);
        gap->setFixedSize(8, 24);
        bar->addWidget(gap);
        findButton = new QToolButton(bar);
        findButton->setDefaultAction(new QAction(redIcon(), QStringLiteral("Find"), bar));
        findButton->setFixedSize(25, 24);
        bar->addWidget(findButton);
        edit = new QLineEdit(bar);
        edit->setFixedSize(120, 24);
        bar->addWidget(edit);

        panel = new QFrame(form.get());
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setProperty("BevelInner", QStringLiteral("bvLowered"));
        panel->setGeometry(0, 40, 300, 80);
        combo = new QComboBox(panel);
        combo->addItems({QStringLiteral("n."), QStringLiteral("v.")});
        combo->setGeometry(10, 10, 100, 22);
        push = new QPushButton(QStringLiteral("OK"), form.get());
        push->setGeometry(10, 140, 75, 25);
        bitBtn = new QPushButton(QStringLiteral("Yes"), form.get());
        bitBtn->setProperty("className", QStringLiteral("TBitBtn"));
        bitBtn->setIcon(redIcon());
        bitBtn->setGeometry(100, 140, 75, 25);

        components.add("ToolBar1", bar);
        components.add("ToolButtonSave", saveButton);
        components.add("ToolButton1", gap, 1);
        components.add("ToolButtonFind", findButton);
        components.add("EditWordInput", edit);
        components.add("PanelDisplay", panel);
        components.add("ComboBoxType", combo);
        components.add("Button1", push);
        components.add("OKBtn", bitBtn);
        form->show();
        paintFlat(form.get()).painter().Loaded();
    }
    static QImage grab(QWidget* w) { return w->grab().toImage(); }
    static void send(QWidget* w, QEvent::Type type)
    {
        QEvent e(type);
        QCoreApplication::sendEvent(w, &e);
    }
    TColor hotOutline() { return ColorToRGB(Lighten(painter().PaintSelectBorderColor, 60)); }

    std::unique_ptr<QWidget> form;
    QToolBar* bar;
    QToolButton* saveButton;
    QFrame* gap;
    QToolButton* findButton;
    QLineEdit* edit;
    QFrame* panel;
    QComboBox* combo;
    QPushButton* push;
    QPushButton* bitBtn;
};

TEST_F(QtFlatControlsTest, InputBoxDropDownAndPanelInTheirStates)
{
    ASSERT_TRUE(hooked(edit));
    ASSERT_TRUE(hooked(combo));
    ASSERT_TRUE(hooked(panel));

    const TColor parent = fromQColor(bar->palette().color(bar->backgroundRole()));
    QImage image = grab(edit);
    EXPECT_EQ(at(image, 0, 10), Darken(parent, 60)) << "idle: the outline from the bar";
    EXPECT_FALSE(edit->hasFrame()) << "the sunken frame gives way to the flat one";
    send(edit, QEvent::Enter);
    image = grab(edit);
    EXPECT_EQ(at(image, 0, 10), hotOutline());
    EXPECT_EQ(at(image, 60, 23), hotOutline());
    send(edit, QEvent::Leave);
    EXPECT_EQ(at(grab(edit), 0, 10), Darken(parent, 60));
    form->activateWindow();
    edit->setFocus();
    if (edit->hasFocus()) {
        EXPECT_EQ(at(grab(edit), 0, 10), hotOutline()) << "focused";
    }

    // The drop-down: a button of the scroll-thumb width at its right edge, hot in the
    // selection colours.
    const int thumb = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo);
    image = grab(combo);
    EXPECT_EQ(at(image, 0, 0), fromQColor(panel->palette().color(panel->backgroundRole())));
    EXPECT_EQ(at(image, 100 - 3, 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(at(image, 100 - 10, 10), clBlack) << "the arrow's top row";
    EXPECT_EQ(at(image, 100 - 2 - thumb - 1 + 5, 8),
              fromQColor(combo->palette().color(combo->backgroundRole())));
    send(combo, QEvent::Enter);
    image = grab(combo);
    EXPECT_EQ(at(image, 100 - 3, 5), ColorToRGB(painter().PaintSelectColor));
    EXPECT_EQ(at(image, 0, 0), fromQColor(panel->palette().color(panel->backgroundRole())));

    // The panel: a raised outer bevel with a lowered one inside.
    const TColor own = fromQColor(panel->palette().color(panel->backgroundRole()));
    image = grab(panel);
    EXPECT_EQ(at(image, 0, 0), Lighten(own, 60));
    EXPECT_EQ(at(image, 299, 79), Darken(own, 60));
    EXPECT_EQ(at(image, 1, 1), Darken(own, 60));
    EXPECT_EQ(at(image, 298, 78), Lighten(own, 60));
}

TEST_F(QtFlatControlsTest, ButtonsIdleHotAndPressed)
{
    ASSERT_TRUE(hooked(push));
    ASSERT_TRUE(hooked(bitBtn));
    const TColor parent = fromQColor(form->palette().color(form->backgroundRole()));
    const TColor idleBase = ColorToRGB(clBtnShadow);
    QImage image = grab(push);
    EXPECT_EQ(at(image, 0, 0), parent) << "outside the rounded corner";
    EXPECT_EQ(at(image, 37, 0), Lighten(idleBase, 30));
    EXPECT_EQ(at(image, 74, 12), Darken(idleBase, 50)) << "raised edge";
    EXPECT_EQ(at(image, 5, 12), ColorToRGB(painter().PaintIconColumnColor));

    send(push, QEvent::Enter);
    image = grab(push);
    const TColor hotBase = hotOutline();
    EXPECT_EQ(at(image, 37, 0), Lighten(hotBase, 30));
    EXPECT_EQ(at(image, 5, 12), Lighten(clBtnFace, painter().ButtonHotFaceLevel()));
    QTest::keyPress(push, Qt::Key_Space);
    image = grab(push);
    EXPECT_EQ(at(image, 0, 12), Darken(hotBase, 50)) << "pressed: the edge top left";
    EXPECT_NE(at(image, 74, 12), Darken(hotBase, 50));
    QTest::keyRelease(push, Qt::Key_Space);

    // The bitmap button's glyph: washed out while idle, full red and lifted when hot. Where
    // the glyph sits follows its layout; find its reddest pixel in both states.
    const auto reddest = [](const QImage& i) {
        for (int y = 0; y < i.height(); ++y)
            for (int x = 0; x < i.width(); ++x)
                if (at(i, x, y) == RGB(255, 0, 0))
                    return QPoint(x, y);
        return QPoint(-1, -1);
    };
    EXPECT_EQ(reddest(grab(bitBtn)), QPoint(-1, -1)) << "idle: faded";
    send(bitBtn, QEvent::Enter);
    EXPECT_NE(reddest(grab(bitBtn)), QPoint(-1, -1));
}

TEST_F(QtFlatControlsTest, ADoubleClickPressesAButtonAsOftenAsWithoutTheHook)
{
    auto* plain = new QPushButton(QStringLiteral("Plain"), form.get());
    plain->setGeometry(200, 140, 75, 25);
    int hookedPresses = 0, plainPresses = 0;
    QObject::connect(push, &QPushButton::pressed, [&] { ++hookedPresses; });
    QObject::connect(plain, &QPushButton::pressed, [&] { ++plainPresses; });
    // The test's double-click ends on the second press: the release comes apart.
    QTest::mouseDClick(push, Qt::LeftButton);
    QTest::mouseRelease(push, Qt::LeftButton);
    QTest::mouseDClick(plain, Qt::LeftButton);
    QTest::mouseRelease(plain, Qt::LeftButton);
    EXPECT_GT(plainPresses, 0);
    EXPECT_EQ(hookedPresses, plainPresses);
    auto* subclass =
        dynamic_cast<TControlSubClass*>(ControlMessageChain::existing(push)->windowProc());
    ASSERT_NE(subclass, nullptr);
    EXPECT_FALSE(subclass->ButtonDown) << "released again";
}

TEST_F(QtFlatControlsTest, ToolBarButtonsAndSeparatorThroughTheStyle)
{
    ASSERT_TRUE(bar->property("Flat").toBool());
    const TColor barColour = fromQColor(bar->palette().color(QPalette::Button));
    saveButton->setAttribute(Qt::WA_UnderMouse, true);
    QImage image = grab(saveButton);
    EXPECT_EQ(at(image, 0, 5), ColorToRGB(painter().PaintSelectBorderColor)) << "hot: framed";
    EXPECT_EQ(at(image, 12, 22), ColorToRGB(painter().PaintSelectBorderColor));
    EXPECT_EQ(at(image, 12, 23), ColorToRGB(painter().PaintSelectColor));
    EXPECT_EQ(at(image, 12, 0), Lighten(barColour, 16)) << "the top row keeps the bar's colour";
    saveButton->setAttribute(Qt::WA_UnderMouse, false);
    image = grab(saveButton);
    EXPECT_EQ(at(image, 0, 5), Lighten(barColour, 16)) << "idle: not framed";

    // The separator (Tag 1) is drawn with the button after it: a line at its centre.
    image = grab(gap);
    EXPECT_EQ(at(image, 4, 10), Darken(barColour, 30));
    EXPECT_EQ(at(image, 2, 10), Lighten(barColour, 16));
}

TEST_F(QtFlatControlsTest, AnnouncedDialogTakesTheLookAndSwitchingOffRestores)
{
    QDialog dialog(form.get());
    ComponentList dialogComponents("TColWidthDlg");
    auto* dialogEdit = new QLineEdit(&dialog);
    auto* leftAlone = new QPushButton(QStringLiteral("Cancel"), &dialog);
    dialogComponents.add("Edit1", dialogEdit);
    dialogComponents.add("Button2", leftAlone, 999);
    FlatForms::Announce(&dialog, dialogComponents);
    EXPECT_FALSE(hooked(dialogEdit));
    QCoreApplication::processEvents();
    EXPECT_TRUE(hooked(dialogEdit)) << "at the next application event";
    EXPECT_FALSE(hooked(leftAlone));

    painter().SetActive(false);
    EXPECT_TRUE(hooked(edit)) << "released only when the control hears something";
    send(edit, QEvent::Enter);
    EXPECT_FALSE(hooked(edit));
    EXPECT_TRUE(edit->hasFrame()) << "with its own frame back";
}

// A form with a pop-up menu; the tests put the painter over it.
class QtPopupFrameTest : public QtFlatFixture
{
protected:
    QtPopupFrameTest()
    {
        popup = new ItemAwareMenu(&form);
        popup->addAction(QStringLiteral("Copy"));
        components.add("PopupMenuEdit", popup);
    }

    QWidget form;
    QMenu* popup;
};

TEST_F(QtPopupFrameTest, DroppedMenuGetsTheFrameAndLosesItWhenHidden)
{
    popup->addAction(QStringLiteral("Paste"));
    form.show();
    TFlatPainterStoredProperties properties = TFlatPainterStoredProperties::FlatPainter1();
    properties.FlatMenu = true;
    paintFlat(&form, properties).painter().Loaded();
    TFlatPainter& painter = flat->painter();

    popup->popup(QPoint(200, 200));
    QCoreApplication::processEvents();
    // The items' paint asks for the frame; the request runs at the next application event.
    (void)popup->grab();
    EXPECT_TRUE(FlatForms::instance()->pending());
    QCoreApplication::processEvents();
    EXPECT_FALSE(FlatForms::instance()->pending());
    const int w = popup->width(), h = popup->height();
    EXPECT_EQ(popup->mask().boundingRect(), QRect(0, 0, w, h));
    EXPECT_FALSE(popup->mask().contains(QPoint(w - 1, 0))) << "the shadow's cut-out";

    const QImage image = popup->grab().toImage();
    EXPECT_EQ(at(image, 0, h / 2), ColorToRGB(painter.PaintFrameColor));
    EXPECT_EQ(at(image, w - 3, h / 2), ColorToRGB(painter.PaintFrameColor));
    EXPECT_EQ(at(image, w - 1, h / 2), ColorToRGB(painter.PaintShadowColor));
    EXPECT_EQ(at(image, w / 2, h - 1), ColorToRGB(painter.PaintShadowColor));
    EXPECT_EQ(at(image, 1, h / 2), ColorToRGB(painter.PaintIconColumnColor));

    popup->hide();
    EXPECT_TRUE(popup->mask().isEmpty()) << "the window is itself again once hidden";
    EXPECT_FALSE(hooked(popup));
    flat.reset();
}

TEST_F(QtPopupFrameTest, AMenuThatGoesWhileFramedTakesItsHookAlong)
{
    paintFlat(&form).painter().Loaded();
    popup->popup(QPoint(10, 10));
    flat->painter().PaintPopupFrame(QtPopupWindow::of(popup), false);
    ASSERT_TRUE(hooked(popup));
    delete popup; // its chain hears of it after the frame's window object has gone
    EXPECT_EQ(ControlMessageChain::existing(popup), nullptr);
    flat.reset();
}

} // namespace
} // namespace kelvara

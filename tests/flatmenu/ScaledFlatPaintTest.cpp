// The flat look on a scaled screen. The same program is built for 1x, 1.5x and 2x (the
// screen's scale is chosen before the application starts, see ScreenScale*.cpp): a 1x pixel
// of the painter is a block of device pixels in the painter's colour, and text is as sharp as
// the toolkit's own text at that scale.

#include "QtFlatFixture.h"
#include "ScaledPixels.h"

#include "flatmenu/Bitmap.h"
#include "flatmenu/ColorFunctions.h"
#include "flatmenu/qt/ItemAwareMenus.h"
#include "flatmenu/qt/QtCanvas.h"
#include "flatmenu/qt/QtFlatControl.h"
#include "flatmenu/qt/QtPopupFrame.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace kelvara {
namespace {

qreal screenScale()
{
    return qApp->devicePixelRatio();
}

class ScaledFlatPaintTest : public QtFlatFixture
{
protected:
    ScaledFlatPaintTest()
    {
        window = std::make_unique<QMainWindow>();
        bar = new ItemAwareMenuBar(window.get());
        window->setMenuBar(bar);
        file = new ItemAwareMenu(QStringLiteral("&File"), bar);
        bar->addMenu(file);
        open = file->addAction(redIcon(), QStringLiteral("&Open"));
        separator = file->addSeparator();
        save = file->addAction(QStringLiteral("&Save"));
        save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
        close = file->addAction(QStringLiteral("&Close"));
        components.add("MainMenu1", bar);
        components.add("MenuItemFile", file);
        components.add("MenuItemOpen", open);
        components.add("N1", separator);
        components.add("MenuItemSave", save);
        components.add("MenuItemClose", close);
        // Controls at odd positions, which lie between device pixels at 1.5x.
        auto* central = new QWidget(window.get());
        window->setCentralWidget(central);
        edit = new QLineEdit(central);
        edit->setGeometry(33, 17, 121, 23);
        combo = new QComboBox(central);
        combo->addItems({QStringLiteral("n."), QStringLiteral("v.")});
        combo->setGeometry(11, 51, 101, 22);
        push = new QPushButton(QStringLiteral("OK"), central);
        push->setGeometry(17, 85, 75, 25);
        // No focus: the tests look at the idle states.
        for (QWidget* w : std::initializer_list<QWidget*>{edit, combo, push})
            w->setFocusPolicy(Qt::NoFocus);
        components.add("EditWordInput", edit);
        components.add("ComboBoxType", combo);
        components.add("Button1", push);
        window->setGeometry(100, 100, 301, 201);
        window->show();
        QCoreApplication::processEvents();
        paintFlat(window.get()).painter().Loaded();
    }

    QImage grabMenu()
    {
        file->adjustSize();
        return file->grab().toImage();
    }

    std::unique_ptr<QMainWindow> window;
    QMenuBar* bar = nullptr;
    QMenu* file = nullptr;
    QAction* open = nullptr;
    QAction* separator = nullptr;
    QAction* save = nullptr;
    QAction* close = nullptr;
    QLineEdit* edit = nullptr;
    QComboBox* combo = nullptr;
    QPushButton* push = nullptr;
};

TEST_F(ScaledFlatPaintTest, TheScreenHasTheScaleOfTheProgram)
{
    const QImage image = grabMenu();
    EXPECT_EQ(image.devicePixelRatio(), screenScale());
    EXPECT_EQ(image.width(), deviceEdge(file->width(), screenScale()));
}

TEST_F(ScaledFlatPaintTest, MenuFillsCoverTheirScaledRectanglesWithoutSeams)
{
    QImage image = grabMenu();
    const TFlatPainter& p = painter();
    const QRect o = file->actionGeometry(open);
    const QRect n = file->actionGeometry(separator);
    const QRect s = file->actionGeometry(save);
    const QRect c = file->actionGeometry(close);

    // The icon column runs through every item, the separator included, with no row between
    // two items left out.
    EXPECT_TRUE(allOf(image, QRect(o.left(), o.top(), 3, c.bottom() + 1 - o.top()),
                      p.PaintIconColumnColor));
    EXPECT_TRUE(
        allOf(image, QRect(o.right() - 8, o.top() + 1, 5, o.height() - 2), p.PaintMenuColor));
    // The separator's line: one 1x row, the rows over and under it in the menu colour.
    const int lineY = n.top() + 2;
    EXPECT_TRUE(allOf(image, QRect(n.left() + 24 + 7, lineY, 30, 1), p.PaintSeparatorColor));
    EXPECT_TRUE(allOf(image, QRect(n.left() + 24 + 7, lineY - 1, 30, 1), p.PaintMenuColor));
    EXPECT_TRUE(allOf(image, QRect(n.left() + 24 + 7, lineY + 1, 30, 1), p.PaintMenuColor));

    // Save selected: its frame's top row, and the fill right of the shortcut.
    file->setActiveAction(save);
    image = grabMenu();
    EXPECT_TRUE(allOf(image, QRect(s.left() + 30, s.top() + 1, 40, 1), p.PaintSelectBorderColor));
    EXPECT_TRUE(
        allOf(image, QRect(s.right() - 8, s.top() + 2, 5, s.height() - 4), p.PaintSelectColor));
}

TEST_F(ScaledFlatPaintTest, MenuTextIsAsSharpAsTheToolkitsOwnText)
{
    const QImage image = grabMenu();
    const TFlatPainter& p = painter();
    const QRect c = file->actionGeometry(close);
    const QRgb ground =
        image.pixel(deviceRect(image, QRect(c.right() - 4, c.top() + 1, 1, 1)).topLeft());
    ASSERT_EQ(ground & 0xFFFFFF, ColorToPixel(p.PaintMenuColor) & 0xFFFFFF);
    const QRgb ink = ColorToPixel(clMenuText);
    const QRect text = deviceRect(image, QRect(c.left() + 24 + 3, c.top(), 60, c.height()));
    const EdgeMeasure menu = measureEdges(image, text, ground, ink);

    // The toolkit's own drawing of the same caption at the same scale.
    const qreal k = screenScale();
    QImage own(text.size(), QImage::Format_RGB32);
    own.setDevicePixelRatio(k);
    own.fill(ground);
    {
        QPainter painter(&own);
        painter.setFont(toQFont(p.Font()));
        painter.setPen(QColor::fromRgb(ink));
        painter.drawText(QPointF(4, c.height() / 2.0 + 4), QStringLiteral(" Close"));
    }
    const EdgeMeasure reference =
        measureEdges(own, QRect(0, 0, own.width(), own.height()), ground, ink);
    ASSERT_GT(reference.steps, 10);
    ASSERT_GT(menu.steps, 10);
    EXPECT_GE(menu.hardShare, 0.8 * reference.hardShare)
        << "menu " << menu.hardShare << ", toolkit " << reference.hardShare;
    if (k >= 1.5) {
        EXPECT_GE(menu.insideBlockShare, 0.5 * reference.insideBlockShare)
            << "menu " << menu.insideBlockShare << ", toolkit " << reference.insideBlockShare;
        EXPECT_GT(menu.insideBlockShare, 0.1) << "glyph edges fall inside 1x pixels";
    }
}

TEST_F(ScaledFlatPaintTest, ControlBordersLieOnTheControlsOwnDevicePixels)
{
    // Grabbed with the window, so that the controls lie where the screen has them.
    const QImage image = window->grab().toImage();
    const QPoint e = edit->mapTo(window.get(), QPoint(0, 0));
    const TColor parent =
        fromQColor(edit->parentWidget()->palette().color(edit->parentWidget()->backgroundRole()));
    const TColor outline = Darken(parent, 60);
    const int w = edit->width(), h = edit->height();
    EXPECT_TRUE(allOf(image, QRect(e.x(), e.y() + 1, 1, h - 2), outline)) << "left";
    EXPECT_TRUE(allOf(image, QRect(e.x() + w - 1, e.y() + 1, 1, h - 2), outline)) << "right";
    EXPECT_TRUE(allOf(image, QRect(e.x() + 1, e.y() + h - 1, w - 2, 1), outline)) << "bottom";
    EXPECT_TRUE(allOf(image, QRect(e.x() - 1, e.y() + 1, 1, h - 2), parent)) << "outside";

    const QPoint b = combo->mapTo(window.get(), QPoint(0, 0));
    EXPECT_TRUE(allOf(image, QRect(b.x() + combo->width() - 4, b.y() + 3, 2, 4), clBtnFace))
        << "the drop-down button";
    EXPECT_TRUE(allOf(image, QRect(b.x(), b.y(), combo->width(), 1),
                      fromQColor(combo->parentWidget()->palette().color(
                          combo->parentWidget()->backgroundRole()))));

    const QPoint q = push->mapTo(window.get(), QPoint(0, 0));
    EXPECT_TRUE(allOf(image, QRect(q.x() + 3, q.y() + 8, 5, 9), painter().PaintIconColumnColor))
        << "the button's face";
    EXPECT_TRUE(
        allOf(image, QRect(q.x() + push->width() - 1, q.y() + 4, 1, 15), Darken(clBtnShadow, 50)))
        << "the raised edge";
}

// A form with a pop-up menu under a painter with flat menus.
class ScaledPopupFrameTest : public QtFlatFixture
{
protected:
    ScaledPopupFrameTest()
    {
        popup = new ItemAwareMenu(&form);
        popup->addAction(QStringLiteral("Copy"));
        popup->addAction(QStringLiteral("Paste"));
        components.add("PopupMenuEdit", popup);
    }

    QWidget form;
    QMenu* popup;
};

TEST_F(ScaledPopupFrameTest, FrameCoversItsScaledRowsAndColumns)
{
    form.show();
    TFlatPainterStoredProperties properties = TFlatPainterStoredProperties::FlatPainter1();
    properties.FlatMenu = true;
    paintFlat(&form, properties).painter().Loaded();
    popup->popup(QPoint(200, 200));
    QCoreApplication::processEvents();
    (void)popup->grab(); // the items' paint asks for the frame, made at the next event
    QCoreApplication::processEvents();
    const QImage image = popup->grab().toImage();
    const int w = popup->width(), h = popup->height();
    const TFlatPainter& p = painter();
    EXPECT_TRUE(allOf(image, QRect(0, 4, 1, h - 8), p.PaintFrameColor)) << "left";
    EXPECT_TRUE(allOf(image, QRect(w - 3, 4, 1, h - 8), p.PaintFrameColor)) << "right";
    EXPECT_TRUE(allOf(image, QRect(w - 1, 6, 1, h - 12), p.PaintShadowColor)) << "shadow";
    EXPECT_TRUE(allOf(image, QRect(4, h - 1, w - 8, 1), p.PaintShadowColor)) << "bottom shadow";
    popup->hide();
    flat.reset();
}

} // namespace
} // namespace kelvara

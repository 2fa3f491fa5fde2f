#include "QtFlatFixture.h"

#include "flatmenu/qt/FlatMenuStyle.h"
#include "flatmenu/qt/ItemAwareMenus.h"
#include "flatmenu/qt/QtCanvas.h"
#include "flatmenu/qt/QtFlatFonts.h"
#include "flatmenu/qt/QtFlatPainter.h"
#include "flatmenu/qt/QtSystemColors.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace kelvara {
namespace {

// A window with a menu bar (File: Open with an icon, a separator, Save with a shortcut, a
// Tag 999 item) and a pop-up menu, declared in that order.
class QtFlatMenuTest : public QtFlatFixture
{
protected:
    QtFlatMenuTest()
    {
        window = std::make_unique<QMainWindow>();
        bar = new ItemAwareMenuBar(window.get());
        bar->setObjectName(QStringLiteral("MainMenu1"));
        window->setMenuBar(bar);
        file = new ItemAwareMenu(QStringLiteral("&File"), bar);
        bar->addMenu(file);
        open = file->addAction(redIcon(), QStringLiteral("&Open"));
        separator = file->addSeparator();
        save = file->addAction(QStringLiteral("&Save"));
        save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
        plain = file->addAction(QStringLiteral("Plain"));
        popup = new ItemAwareMenu(window.get());
        popup->addAction(QStringLiteral("Copy"));
        components.add("MainMenu1", bar);
        components.add("MenuItemFile", file);
        components.add("MenuItemOpen", open);
        components.add("N1", separator);
        components.add("MenuItemSave", save);
        components.add("MenuItemPlain", plain, 999);
        components.add("PopupMenuEdit", popup);
        window->resize(300, 200);
    }

    void activate() { paintFlat(window.get()); }

    QImage grabMenu(QMenu* menu)
    {
        menu->adjustSize();
        return menu->grab().toImage();
    }

    std::unique_ptr<QMainWindow> window;
    QMenuBar* bar = nullptr;
    QMenu* file = nullptr;
    QMenu* popup = nullptr;
    QAction* open = nullptr;
    QAction* separator = nullptr;
    QAction* save = nullptr;
    QAction* plain = nullptr;
};

TEST_F(QtFlatMenuTest, TahomaIsRegisteredWhenTheWineFontsAreInstalled)
{
    const QStringList families = RegisterFlatFonts();
    if (!QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")))
        GTEST_SKIP() << "fonts-wine is not installed";
    EXPECT_TRUE(families.contains(QStringLiteral("Tahoma")));
    const Font tahoma = TFlatPainterStoredProperties::FlatPainter1().Font;
    EXPECT_EQ(QFontInfo(toQFont(tahoma)).family(), QStringLiteral("Tahoma"));
}

TEST_F(QtFlatMenuTest, ItemsMeasureAndPaintThroughTheHandlers)
{
    window->show();
    activate();
    TFlatPainter& painter = flat->painter();
    ASSERT_TRUE(painter.Active());
    EXPECT_EQ(file->style(), FlatMenuStyle::instance());
    EXPECT_EQ(popup->style(), FlatMenuStyle::instance());
    ASSERT_NE(QtMenuItem::of(open), nullptr);
    EXPECT_TRUE(QtMenuItem::of(open)->OnDrawItem);
    EXPECT_FALSE(QtMenuItem::of(plain)->OnDrawItem); // Tag 999

    // Sizes come from MeasureMenuItem: the separator is 4 high, the others follow the text.
    const QFontMetrics metrics(toQFont(painter.Font()));
    const int textHeight = QtTextRenderer::instance().measure(painter.Font(), u"W").height;
    const int textItemHeight = textHeight + static_cast<int>(std::nearbyint(0.75 * textHeight));
    file->adjustSize();
    EXPECT_EQ(file->actionGeometry(separator).height(), 4);
    EXPECT_EQ(file->actionGeometry(open).height(), std::max(textItemHeight, 16 + 6));
    EXPECT_EQ(file->actionGeometry(save).height(), textItemHeight);
    if (QFontInfo(toQFont(painter.Font())).family() == QStringLiteral("Tahoma")) {
        EXPECT_EQ(file->actionGeometry(open).height(), 23); // 8-point Tahoma, 16 x 16 images
    }
    // The window layer adds twice the menu font's average character width; a bar item keeps
    // the bar's height.
    const int added = 2 * QFontMetrics(toQFont(SystemMenuFont())).averageCharWidth();
    EXPECT_EQ(bar->actionGeometry(file->menuAction()).width(),
              metrics.horizontalAdvance(QStringLiteral("&File")) + 5 -
                  metrics.horizontalAdvance(QStringLiteral("&")) + added);
    EXPECT_LT(bar->actionGeometry(file->menuAction()).height(), 23);

    file->setActiveAction(save);
    const QImage image = grabMenu(file);
    const QRect o = file->actionGeometry(open);
    const QRect s = file->actionGeometry(save);
    const QRect n = file->actionGeometry(separator);
    // Open: icon column, menu colour to the right, the glyph washed out by DimLevel 30.
    EXPECT_EQ(at(image, o.left() + 1, o.bottom() - 1), ColorToRGB(painter.PaintIconColumnColor));
    EXPECT_EQ(at(image, o.right() - 2, o.top() + 1), ColorToRGB(painter.PaintMenuColor));
    EXPECT_EQ(at(image, o.left() + 3 + 2, o.top() + 3 + 2), RGB(255, 76, 76));
    // The separator: one line from 7 past the icon column.
    const int lineY = n.top() + 2;
    EXPECT_EQ(at(image, n.left() + 24 + 7, lineY), ColorToRGB(painter.PaintSeparatorColor));
    EXPECT_EQ(at(image, n.left() + 24 + 6, lineY), ColorToRGB(painter.PaintMenuColor));
    EXPECT_EQ(at(image, n.left() + 24 + 7, lineY - 1), ColorToRGB(painter.PaintMenuColor));
    // Save is selected: framed and filled.
    EXPECT_EQ(at(image, s.left() + 40, s.top() + 1), ColorToRGB(painter.PaintSelectBorderColor));
    EXPECT_EQ(at(image, s.right() - 3, s.center().y()), ColorToRGB(painter.PaintSelectColor));
    // The Tag 999 item is the base style's: no icon column.
    const QRect p = file->actionGeometry(plain);
    EXPECT_NE(at(image, p.left() + 1, p.center().y()), ColorToRGB(painter.PaintIconColumnColor));

    // The bar's item is painted too: in the menu bar colour, and hot-tracked (framed up to
    // 7 pixels from its right edge) while the mouse is over it.
    const QRect b = bar->actionGeometry(file->menuAction());
    QCursor::setPos(bar->mapToGlobal(QPoint(-500, -500)));
    QImage barImage = bar->grab().toImage();
    EXPECT_EQ(at(barImage, b.left(), b.top()), ColorToRGB(painter.PaintMenuBarColor));
    QCursor::setPos(bar->mapToGlobal(b.center()));
    if (bar->mapFromGlobal(QCursor::pos()) != b.center())
        GTEST_SKIP() << "the platform does not move the mouse";
    barImage = bar->grab().toImage();
    EXPECT_EQ(at(barImage, b.left(), b.top()), ColorToRGB(painter.PaintSelectBorderColor));
    EXPECT_EQ(at(barImage, b.right() - 7, b.top()), ColorToRGB(painter.PaintSelectBorderColor));
    EXPECT_EQ(at(barImage, b.right() - 6, b.top()), ColorToRGB(painter.PaintMenuBarColor));
}

TEST_F(QtFlatMenuTest, SwitchedOffMenusLookAsBefore)
{
    const QImage before = grabMenu(file);
    activate();
    const QImage flatImage = grabMenu(file);
    EXPECT_NE(flatImage, before);
    flat->painter().SetActive(false);
    EXPECT_NE(file->style(), FlatMenuStyle::instance());
    EXPECT_EQ(grabMenu(file), before);
    flat.reset(); // the painter goes first, as in the window
    EXPECT_EQ(grabMenu(file), before);
}

TEST_F(QtFlatMenuTest, SystemColoursFollowThePalette)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(200, 100, 50));
    LoadSystemColors(palette);
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(200, 100, 50));
    EXPECT_EQ(ColorToRGB(clInactiveCaption), RGB(128, 128, 128)); // no role: classic
    LoadSystemColors(QApplication::palette());
}

} // namespace
} // namespace kelvara

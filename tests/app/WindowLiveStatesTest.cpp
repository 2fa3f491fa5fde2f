// The drop-down and the save prompt's bitmap buttons through the real window, in the states a
// user brings them to: the painter's colours where they belong, at the screen's scale (the
// program is also built for a screen scaled 2x).

#include "WindowFixture.h"

#include "../flatmenu/ScaledPixels.h"
#include "app/Save.h"
#include "flatmenu/Bitmap.h"
#include "flatmenu/ColorFunctions.h"
#include "flatmenu/qt/QtFlatControl.h"
#include "flatmenu/qt/QtFlatForms.h"
#include "flatmenu/qt/QtFlatPainter.h"
#include "platform/FormLook.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QStyle>

#include <functional>

namespace kelvara {
namespace {

void send(QWidget* widget, QEvent::Type type)
{
    QEvent event(type);
    QCoreApplication::sendEvent(widget, &event);
    QCoreApplication::processEvents();
}

// The 1x bounding box of the device pixels that pass a test.
QRect boxOf(const QImage& image, const std::function<bool(QRgb)>& test)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    const qreal k = image.devicePixelRatio();
    return box.isNull() ? box
                        : QRect(QPoint(int(box.left() / k), int(box.top() / k)),
                                QPoint(int(box.right() / k), int(box.bottom() / k)));
}

bool hasColour(const QImage& image, TColor colour)
{
    return !boxOf(image, [c = ColorToPixel(colour) & 0xFFFFFF](QRgb p) {
                return (p & 0xFFFFFF) == c;
            }).isNull();
}

class WindowLiveStatesTest : public WindowTest
{
protected:
    void SetUp() override
    {
        start("lang_en.ini", {true, true});
        component<QAction>("ActionFileOpenEc")->trigger();
        m_window->show();
        QCoreApplication::processEvents();
    }
    TFlatPainter& painter() { return component<QtFlatPainter>("FlatPainter1")->painter(); }
};

TEST_F(WindowLiveStatesTest, TypeDropDownIdleFocusedAndDroppedDown)
{
    auto* combo = component<QComboBox>("ComboBoxType");
    ASSERT_NE(combo, nullptr);
    combo->show();
    combo->raise();
    component<QWidget>("StringGridDict")->setFocus();
    QCoreApplication::processEvents();
    const TFlatPainter& p = painter();
    const TColor parent =
        fromQColor(combo->parentWidget()->palette().color(combo->parentWidget()->backgroundRole()));
    const int w = combo->width(), h = combo->height();
    const QRect face(w - 4, 3, 2, 4);
    const QRect leftColumn(0, 2, 1, h - 4);
    const QRect arrowTop(w - 10, 10, 5, 1);

    QImage image = combo->grab().toImage();
    EXPECT_TRUE(allOf(image, leftColumn, parent)) << "idle: the parent's ring outside";
    EXPECT_TRUE(allOf(image, face, clBtnFace));
    EXPECT_TRUE(allOf(image, arrowTop, clBlack));

    // Taking the focus lights the drop-down as the mouse does; with the mouse gone, the
    // focus alone keeps the light border and the check area's face.
    m_window->activateWindow();
    combo->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(combo->hasFocus());
    image = combo->grab().toImage();
    EXPECT_TRUE(allOf(image, leftColumn, p.PaintSelectBorderColor)) << "focus taken";
    EXPECT_TRUE(allOf(image, face, p.PaintSelectColor));
    send(combo, QEvent::Leave);
    image = combo->grab().toImage();
    EXPECT_TRUE(allOf(image, leftColumn, Lighten(p.PaintSelectBorderColor, 60)))
        << "focused: the light selection border outside";
    EXPECT_TRUE(allOf(image, face, p.PaintCheckAreaColor));
    EXPECT_TRUE(allOf(image, arrowTop, clBlack));

    combo->showPopup();
    QCoreApplication::processEvents();
    ASSERT_TRUE(combo->view()->isVisible());
    image = combo->grab().toImage();
    EXPECT_TRUE(allOf(image, face, p.PaintCheckAreaSelectColor)) << "dropped down";
    EXPECT_TRUE(allOf(image, arrowTop, clWhite)) << "the arrow turns white";
    combo->hidePopup();
    QCoreApplication::processEvents();
    EXPECT_TRUE(allOf(combo->grab().toImage(), arrowTop, clBlack)) << "closed again";
}

TEST_F(WindowLiveStatesTest, SavePromptButtonsShowGlyphAndCaptionInTheirStates)
{
    FlatForms::Announce(m_save.get(), m_save->components());
    m_save->show();
    QCoreApplication::processEvents();
    const TFlatPainter& p = painter();
    auto* yes = m_save->findChild<QPushButton*>(QStringLiteral("OKBtn"));
    auto* no = m_save->findChild<QPushButton*>(QStringLiteral("NoBtn"));
    ASSERT_TRUE(yes && no);
    ASSERT_FALSE(no->hasFocus());
    const int w = no->width(), h = no->height();
    const TColor red = FormColor::kNoGlyph;
    const auto isInk = [](QRgb c) {
        return qGray(c) < 80 && std::abs(qRed(c) - qGreen(c)) < 30 &&
               std::abs(qGreen(c) - qBlue(c)) < 30;
    };
    const auto isRed = [](QRgb c) { return qRed(c) > qGreen(c) + 40 && qRed(c) > qBlue(c) + 40; };

    // Idle (No): the face in the icon column's colour, the outline of the button shadow; the
    // glyph washed out by the dim level, left of the caption, both centred on the height.
    QImage image = no->grab().toImage();
    EXPECT_TRUE(allOf(image, QRect(3, 4, 3, h - 8), p.PaintIconColumnColor)) << "face";
    EXPECT_TRUE(allOf(image, QRect(w / 2 - 5, 0, 10, 1), Lighten(clBtnShadow, 30)));
    EXPECT_TRUE(allOf(image, QRect(w - 1, 4, 1, h - 8), Darken(clBtnShadow, 50)));
    const QRect glyph = boxOf(image, isRed);
    const QRect caption = boxOf(image, isInk);
    ASSERT_FALSE(glyph.isNull());
    ASSERT_FALSE(caption.isNull());
    EXPECT_LT(glyph.right(), caption.left()) << "the glyph left of the caption";
    EXPECT_LE(std::abs(glyph.center().y() - h / 2), 2);
    // The caption's line is centred; its letters' ink sits a little above the line's middle.
    EXPECT_LE(std::abs(caption.center().y() - h / 2), 3);
    EXPECT_FALSE(hasColour(image, red)) << "idle glyphs are washed out";
    EXPECT_TRUE(hasColour(image, Lighten(red, p.DimLevel())));

    // Hot: the glyph in its own colour, lifted one up and left, with the shadow of the
    // selection colour under it; the face lightened, the outline in the light border.
    send(no, QEvent::Enter);
    image = no->grab().toImage();
    const TColor hotBase = Lighten(p.PaintSelectBorderColor, 60);
    EXPECT_TRUE(hasColour(image, red)) << "hot: full colour";
    EXPECT_TRUE(hasColour(image, Darken(p.PaintSelectColor, 50))) << "the glyph's shadow";
    EXPECT_TRUE(allOf(image, QRect(3, 4, 2, h - 8), Lighten(clBtnFace, p.ButtonHotFaceLevel())))
        << "hot face";
    EXPECT_TRUE(allOf(image, QRect(w / 2 - 5, 0, 10, 1), Lighten(hotBase, 30)));
    const QRect hotGlyph = boxOf(image, isRed);
    EXPECT_EQ(hotGlyph.topLeft(), glyph.topLeft() - QPoint(1, 1)) << "lifted";
    EXPECT_EQ(boxOf(image, isInk), caption) << "the caption stays";

    // Yes has the focus when the prompt shows: lit like a hot button.
    const QImage focused = yes->grab().toImage();
    EXPECT_TRUE(allOf(focused, QRect(w / 2 - 5, 0, 10, 1), Lighten(hotBase, 30)));
    EXPECT_TRUE(allOf(focused, QRect(w - 1, 4, 1, h - 8), Darken(hotBase, 50)));

    // At the device's resolution: the glyph's and the caption's edges fall inside 1x pixels
    // on a scaled screen.
    const qreal k = image.devicePixelRatio();
    if (k >= 2) {
        const QRect area = deviceRect(image, hotGlyph);
        const EdgeMeasure edges =
            measureEdges(image, area, image.pixel(area.topLeft()), ColorToPixel(red));
        EXPECT_GT(edges.insideBlockShare, 0.1) << "the glyph comes from the 32 x 32 picture";
        const EdgeMeasure text =
            measureEdges(image, deviceRect(image, caption),
                         image.pixel(deviceRect(image, caption).topLeft()), 0xFF000000);
        EXPECT_GT(text.insideBlockShare, 0.1) << "the caption is drawn at the device resolution";
    }
    send(no, QEvent::Leave);
    m_save->hide();
}

} // namespace
} // namespace kelvara

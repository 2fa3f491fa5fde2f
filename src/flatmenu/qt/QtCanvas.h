#pragma once

#include "flatmenu/Canvas.h"
#include "flatmenu/TextRenderer.h"

#include <QFont>

class QPainter;
class QWidget;

namespace kelvara {

/// The toolkit font for a window-layer font description.
QFont toQFont(const Font& font);

/// Measures with the toolkit's font metrics and draws real glyphs into a Bitmap (its pixels
/// wrapped as an image, without a copy).
class QtTextRenderer : public TextRenderer
{
public:
    static const QtTextRenderer& instance();
    Size measure(const Font& font, std::u16string_view text) const override;
    int ascent(const Font& font) const override;
    void draw(Bitmap& target, int x, int y, const Font& font, TColor rgb, std::u16string_view text,
              bool rightToLeft, const Rect& clip) const override;
};

/// A canvas over a QPainter, as a menu or control paints: the shapes keep the window layer's
/// pixel rules because they are laid out by Canvas and reach the painter as filled pixels.
/// Pixels can be read back only when the painter draws on an image. A canvas without a
/// painter only measures (a menu asking for an item's size).
class QtCanvas : public Canvas
{
public:
    QtCanvas(QPainter* painter, const QWidget* window);

    TColor pixel(int x, int y) const override;
    void setPixel(int x, int y, TColor color) override;
    int bitsPerPixel() const override;
    const TextRenderer& textRenderer() const override { return QtTextRenderer::instance(); }
    void* window() const override;

protected:
    void fillPixels(const Rect& r, TColor rgb) override;
    void drawTextLine(int x, int y, std::u16string_view text, TColor rgb, bool rightToLeft,
                      const Rect& clip) override;
    void copyPixels(int x, int y, const Bitmap& source, const Rect& sourceRect, bool transparent,
                    TColor transparentRgb) override;

private:
    QPainter* m_painter;
    const QWidget* m_window;
};

} // namespace kelvara

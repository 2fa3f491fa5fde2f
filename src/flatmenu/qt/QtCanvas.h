#pragma once

#include "flatmenu/Canvas.h"
#include "flatmenu/TextRenderer.h"

#include <QFont>
#include <QSize>

class QIcon;

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

/// Draws an icon of size 1x pixels with its top-left at (x, y), at the target's resolution
/// (the icon's larger pixmap on a scaled screen); pixels more transparent than opaque are left
/// out.
void DrawIcon(Canvas& target, int x, int y, const QIcon& icon, QSize size);
/// Makes the bitmap size 1x pixels of the icon on the bitmap's own device grid, its
/// transparent pixels in the key colour, or in the nearest colour the icon does not use;
/// answers that colour. made (when given) tells whether the icon had a picture.
TColor IconToBitmap(Bitmap& bitmap, const QIcon& icon, QSize size, TColor key,
                    bool* made = nullptr);

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
    /// The device grid under (x, y) on the painter's device, its scale and offset included.
    DeviceGrid gridAt(int x, int y) const override;

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

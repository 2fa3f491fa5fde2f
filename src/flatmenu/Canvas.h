#pragma once

#include "flatmenu/Font.h"
#include "flatmenu/Geometry.h"
#include "platform/SystemColors.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace kelvara {

class Bitmap;
class TextRenderer;

/// Text format flags, with the window layer's values.
enum TextFormat : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_NOPREFIX = 0x800,
    DT_RTLREADING = 0x20000,
};

enum class BrushStyle { Solid, Clear };
enum class BackgroundMode { Opaque, Transparent };

/// A drawing surface with the window layer's pixel rules: a line leaves out its end point; a
/// rectangle (l, t, r, b) covers columns l..r-1 and rows t..b-1, its outline in the pen and
/// its inside in the brush (none with a clear brush); an ellipse and the corners of a rounded
/// rectangle are filled spans inside the same bounds, outlined by their edge pixels.
/// Subclasses supply only the raw pixel operations; every shape is laid out here once.
class Canvas
{
public:
    virtual ~Canvas() = default;

    TColor penColor() const { return m_penColor; }
    void setPenColor(TColor c) { m_penColor = c; }
    TColor brushColor() const { return m_brushColor; }
    void setBrushColor(TColor c) { m_brushColor = c; }
    BrushStyle brushStyle() const { return m_brushStyle; }
    void setBrushStyle(BrushStyle s) { m_brushStyle = s; }
    const Font& font() const { return m_font; }
    void setFont(const Font& f) { m_font = f; }
    void setFontColor(TColor c) { m_font.color = c; }
    BackgroundMode backgroundMode() const { return m_backgroundMode; }
    void setBackgroundMode(BackgroundMode m) { m_backgroundMode = m; }
    Point penPos() const { return m_penPos; }

    /// Moves the pen without drawing.
    void moveTo(int x, int y) { m_penPos = {x, y}; }
    /// A line in the pen colour from the pen position to (x, y), end point left out.
    void lineTo(int x, int y);
    /// Joined lines through the points; the last point is left out.
    void polyline(std::initializer_list<Point> points);
    /// Outline in the pen, inside in the brush.
    void rectangle(const Rect& r);
    /// The whole rectangle in the brush colour.
    void fillRect(const Rect& r);
    /// A 1-pixel border in the brush colour.
    void frameRect(const Rect& r);
    /// A rectangle whose corners are quarters of an ellipse of ellipseWidth x ellipseHeight.
    void roundRect(const Rect& r, int ellipseWidth, int ellipseHeight);
    /// The ellipse inside the bounds.
    void ellipse(const Rect& bounds);

    /// The extent of a line of text in the current font (no prefix handling).
    Size textExtent(std::u16string_view text) const;
    int textWidth(std::u16string_view text) const { return textExtent(text).width; }
    int textHeight(std::u16string_view text) const { return textExtent(text).height; }
    /// One line with its top-left corner at (x, y) in the font's colour.
    void textOut(int x, int y, std::u16string_view text);
    /// One line laid out in the rectangle by the DT_* flags ("&" underlines the next letter
    /// unless DT_NOPREFIX). Answers the text height.
    int drawText(std::u16string_view text, const Rect& r, unsigned flags);

    /// Copies the bitmap with its top-left at (x, y). A transparent copy leaves out every
    /// pixel of the colour of the bitmap's bottom-left pixel.
    void draw(int x, int y, const Bitmap& bitmap, bool transparent = false);
    /// Copies the source rectangle of a bitmap to the destination rectangle (same size).
    void copyRect(const Rect& destination, const Bitmap& source, const Rect& sourceRect);
    /// Copies the bitmap with its top-left at (x, y), leaving out every pixel of colour key.
    void drawKeyed(int x, int y, const Bitmap& bitmap, TColor key);
    /// The device grid of a buffer that will be copied to (x, y) here; 1x unless the surface
    /// has more device pixels than 1x pixels.
    virtual DeviceGrid gridAt(int /*x*/, int /*y*/) const { return {}; }
    double deviceScale() const { return gridAt(0, 0).scale; }

    /// The RGB value at (x, y) (clBlack where it cannot be read).
    virtual TColor pixel(int x, int y) const = 0;
    /// Sets (x, y) to a colour.
    virtual void setPixel(int x, int y, TColor color) = 0;
    /// Bits per pixel of the device.
    virtual int bitsPerPixel() const = 0;
    /// How text is measured and drawn on this surface (and on buffers made for it).
    virtual const TextRenderer& textRenderer() const = 0;
    /// The window this canvas draws on, or null for an off-screen one.
    virtual void* window() const { return nullptr; }

protected:
    /// Fills the rectangle with an RGB value (already clipped or not: the subclass clips).
    virtual void fillPixels(const Rect& r, TColor rgb) = 0;
    /// Draws one line of text, top-left at (x, y), clipped to clip.
    virtual void drawTextLine(int x, int y, std::u16string_view text, TColor rgb, bool rightToLeft,
                              const Rect& clip) = 0;
    /// Copies the source rectangle of a bitmap to (x, y); with transparent set, pixels of
    /// transparentRgb are left out.
    virtual void copyPixels(int x, int y, const Bitmap& source, const Rect& sourceRect,
                            bool transparent, TColor transparentRgb) = 0;

private:
    void fillSpans(const Rect& bounds, int ellipseWidth, int ellipseHeight);

    TColor m_penColor = clBlack;
    TColor m_brushColor = clWhite;
    BrushStyle m_brushStyle = BrushStyle::Solid;
    BackgroundMode m_backgroundMode = BackgroundMode::Opaque;
    Font m_font;
    Point m_penPos;
};

} // namespace kelvara

#pragma once

#include "flatmenu/Font.h"
#include "flatmenu/Geometry.h"

#include <string_view>

namespace kelvara {

class Bitmap;

/// Measures and draws single lines of text into a Bitmap. The toolkit side renders real
/// glyphs; the core's own renderer draws each character as a filled cell, so that tests can
/// find where a text went, in which colour, and which letter is underlined.
class TextRenderer
{
public:
    virtual ~TextRenderer() = default;
    /// The extent of one line: the advance width and the line height.
    virtual Size measure(const Font& font, std::u16string_view text) const = 0;
    /// Pixels from the top of a line to its base line.
    virtual int ascent(const Font& font) const = 0;
    /// Draws one line with its top-left corner at (x, y), clipped to clip. Right-to-left text
    /// runs from the right end of its extent.
    virtual void draw(Bitmap& target, int x, int y, const Font& font, TColor rgb,
                      std::u16string_view text, bool rightToLeft, const Rect& clip) const = 0;
};

/// Each character is a cell of a fixed advance; a visible character fills the cell's left
/// advance - 1 columns over the ascent rows, a blank draws nothing.
class CellTextRenderer : public TextRenderer
{
public:
    explicit CellTextRenderer(int advance = 6, int ascent = 10, int lineHeight = 13)
        : m_advance(advance), m_ascent(ascent), m_lineHeight(lineHeight)
    {}
    /// The renderer a Bitmap uses unless it is given another.
    static const CellTextRenderer& standard();

    int advance() const { return m_advance; }
    Size measure(const Font& font, std::u16string_view text) const override;
    int ascent(const Font& font) const override;
    void draw(Bitmap& target, int x, int y, const Font& font, TColor rgb, std::u16string_view text,
              bool rightToLeft, const Rect& clip) const override;

private:
    int m_advance;
    int m_ascent;
    int m_lineHeight;
};

} // namespace kelvara

#include "flatmenu/TextRenderer.h"

#include "flatmenu/Bitmap.h"

namespace kelvara {

Font& SystemMenuFont()
{
    static Font font;
    return font;
}

const CellTextRenderer& CellTextRenderer::standard()
{
    static const CellTextRenderer renderer;
    return renderer;
}

Size CellTextRenderer::measure(const Font&, std::u16string_view text) const
{
    return {static_cast<int>(text.size()) * m_advance, m_lineHeight};
}

int CellTextRenderer::ascent(const Font&) const
{
    return m_ascent;
}

void CellTextRenderer::draw(Bitmap& target, int x, int y, const Font&, TColor rgb,
                            std::u16string_view text, bool rightToLeft, const Rect& clip) const
{
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n; ++i) {
        const char16_t c = text[static_cast<std::size_t>(i)];
        if (c == u' ' || c == u'\t')
            continue;
        const int slot = rightToLeft ? n - 1 - i : i;
        const Rect cell{x + slot * m_advance, y, x + slot * m_advance + m_advance - 1,
                        y + m_ascent};
        target.fillPixels(cell.intersected(clip), rgb);
    }
}

} // namespace kelvara

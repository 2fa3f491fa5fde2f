#pragma once

#include <array>
#include <cstdint>

namespace kelvara {

/// A colour as the window layer passes it: 0x00BBGGRR for a literal RGB colour, or
/// 0xFF000000 + n for system colour n.
using TColor = std::uint32_t;

/// The system colour numbers the painters name (the window layer's COLOR_* indices).
enum SystemColorIndex : int {
    ColorScrollBar = 0,
    ColorBackground = 1,
    ColorActiveCaption = 2,
    ColorInactiveCaption = 3,
    ColorMenu = 4,
    ColorWindow = 5,
    ColorWindowFrame = 6,
    ColorMenuText = 7,
    ColorWindowText = 8,
    ColorCaptionText = 9,
    ColorActiveBorder = 10,
    ColorInactiveBorder = 11,
    ColorAppWorkspace = 12,
    ColorHighlight = 13,
    ColorHighlightText = 14,
    ColorBtnFace = 15,
    ColorBtnShadow = 16,
    ColorGrayText = 17,
    ColorBtnText = 18,
    ColorInactiveCaptionText = 19,
    ColorBtnHighlight = 20,
    Color3DDkShadow = 21,
    Color3DLight = 22,
    ColorInfoText = 23,
    ColorInfoBk = 24,
    kSystemColorCount = 25
};

constexpr TColor kSystemColorFlag = 0xFF000000u;

constexpr TColor clScrollBar = kSystemColorFlag + ColorScrollBar;
constexpr TColor clInactiveCaption = kSystemColorFlag + ColorInactiveCaption;
constexpr TColor clMenu = kSystemColorFlag + ColorMenu;
constexpr TColor clWindow = kSystemColorFlag + ColorWindow;
constexpr TColor clMenuText = kSystemColorFlag + ColorMenuText;
constexpr TColor clWindowText = kSystemColorFlag + ColorWindowText;
constexpr TColor clHighlight = kSystemColorFlag + ColorHighlight;
constexpr TColor clHighlightText = kSystemColorFlag + ColorHighlightText;
constexpr TColor clBtnFace = kSystemColorFlag + ColorBtnFace;
constexpr TColor clBtnShadow = kSystemColorFlag + ColorBtnShadow;
constexpr TColor clGrayText = kSystemColorFlag + ColorGrayText;
constexpr TColor clBtnText = kSystemColorFlag + ColorBtnText;
constexpr TColor clBtnHighlight = kSystemColorFlag + ColorBtnHighlight;

constexpr TColor clBlack = 0x00000000u;
constexpr TColor clWhite = 0x00FFFFFFu;
constexpr TColor clSilver = 0x00C0C0C0u;

/// A literal colour from its channels.
constexpr TColor RGB(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(TColor c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

/// The desktop's current system colours. It starts with the classic desktop values; the
/// view side overwrites the entries it can take from the toolkit's palette.
class SystemColors
{
public:
    /// The process-wide table.
    static SystemColors& instance();

    /// The classic values of every entry.
    static const std::array<TColor, kSystemColorCount>& classicValues();

    /// The RGB value of system colour n; black for a number outside the table.
    TColor value(int index) const;
    /// Sets system colour n to an RGB value (ignored outside the table).
    void setValue(int index, TColor rgb);
    /// Puts every entry back to its classic value.
    void reset();

private:
    SystemColors();

    std::array<TColor, kSystemColorCount> m_values{};
};

/// The RGB value of a colour: a system colour is looked up, a literal one loses its top byte.
TColor ColorToRGB(TColor color);

} // namespace kelvara

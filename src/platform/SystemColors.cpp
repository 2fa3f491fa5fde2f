#include "platform/SystemColors.h"

namespace kelvara {

namespace {

// The classic desktop scheme, which a desktop without those colours keeps.
constexpr std::array<TColor, kSystemColorCount> kClassic = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // desktop
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // gray text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3-D dark shadow
    RGB(212, 208, 200), // 3-D light
    RGB(0, 0, 0),       // tool tip text
    RGB(255, 255, 225), // tool tip background
};

} // namespace

SystemColors::SystemColors() : m_values(kClassic) {}

SystemColors& SystemColors::instance()
{
    static SystemColors table;
    return table;
}

const std::array<TColor, kSystemColorCount>& SystemColors::classicValues()
{
    return kClassic;
}

TColor SystemColors::value(int index) const
{
    if (index < 0 || index >= kSystemColorCount)
        return clBlack;
    return m_values[static_cast<std::size_t>(index)];
}

void SystemColors::setValue(int index, TColor rgb)
{
    if (index < 0 || index >= kSystemColorCount)
        return;
    m_values[static_cast<std::size_t>(index)] = rgb & 0x00FFFFFFu;
}

void SystemColors::reset()
{
    m_values = kClassic;
}

TColor ColorToRGB(TColor color)
{
    if ((color & kSystemColorFlag) == kSystemColorFlag)
        return SystemColors::instance().value(static_cast<int>(color & 0xFFu));
    return color & 0x00FFFFFFu;
}

} // namespace kelvara

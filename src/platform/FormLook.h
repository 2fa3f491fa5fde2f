#pragma once

#include "platform/SystemColors.h"

#include <string_view>

namespace kelvara {

/// The fonts the forms give their controls, each named by what it dresses.
enum class FormFont {
    MainWindow,   ///< the main window and what inherits its font
    InputBox,     ///< EditWordInput
    Grid,         ///< StringGridDict
    TypeCombo,    ///< ComboBoxType
    SaveDialog,   ///< TSaveDlg's buttons
    SaveQuestion, ///< TSaveDlg's question
    WidthDialog,  ///< TColWidthDlg
    AboutProduct, ///< the About box's product name
};

/// A font as the form resources name it: the family in the code page of the resource (GBK
/// for the Chinese family names), a height in pixels, and the weight.
struct FontSpec
{
    std::string_view family;
    int codePage; ///< 936 for a GBK family name; ASCII names read the same in either
    int pixelSize;
    bool bold;
};

/// The one table of the forms' fonts.
FontSpec FormFontSpec(FormFont font);

/// The colours the forms give their controls and pictures (0x00BBGGRR, or a system colour).
namespace FormColor {
constexpr TColor kGridText = clBlack;     ///< the text of the grid's cells
constexpr TColor kYesGlyph = 0x00008000u; ///< the save prompt's green check
constexpr TColor kNoGlyph = 0x000000C0u;  ///< its red barred circle and the cross of Cancel
} // namespace FormColor

} // namespace kelvara

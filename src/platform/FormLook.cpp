#include "platform/FormLook.h"

#include "platform/CodePage.h"

namespace kelvara {

namespace {

constexpr std::string_view kSongTi = "\xCB\xCE\xCC\xE5"; // 宋体
constexpr std::string_view kTimesNewRoman = "Times New Roman";
constexpr std::string_view kMsSansSerif = "MS Sans Serif";

} // namespace

FontSpec FormFontSpec(FormFont font)
{
    switch (font) {
    case FormFont::MainWindow:
        return {kTimesNewRoman, kCodePageGbk, 16, false};
    case FormFont::InputBox:
        return {kMsSansSerif, kCodePageGbk, 13, false};
    case FormFont::Grid:
        return {kSongTi, kCodePageGbk, 12, false};
    case FormFont::TypeCombo:
        return {kTimesNewRoman, kCodePageGbk, 12, false};
    case FormFont::SaveDialog:
        return {kMsSansSerif, kCodePageGbk, 11, true};
    case FormFont::SaveQuestion:
        return {kSongTi, kCodePageGbk, 13, false};
    case FormFont::WidthDialog:
        return {kSongTi, kCodePageGbk, 12, false};
    case FormFont::AboutProduct:
        return {kSongTi, kCodePageGbk, 13, true};
    }
    return {kTimesNewRoman, kCodePageGbk, 16, false};
}

} // namespace kelvara

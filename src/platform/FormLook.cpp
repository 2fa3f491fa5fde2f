#include "platform/FormLook.h"

#include "platform/CodePage.h"
#include "platform/SourceText.h"

namespace kelvara {

namespace {

// The family name as the forms name it, in GBK bytes (the platform's encoder makes them once).
std::string_view songTi()
{
    return CodePageBytes("宋体", kCodePageGbk);
}

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
        return {songTi(), kCodePageGbk, 12, false};
    case FormFont::TypeCombo:
        return {kTimesNewRoman, kCodePageGbk, 12, false};
    case FormFont::SaveDialog:
        return {kMsSansSerif, kCodePageGbk, 11, true};
    case FormFont::SaveQuestion:
        return {songTi(), kCodePageGbk, 13, false};
    case FormFont::WidthDialog:
        return {songTi(), kCodePageGbk, 12, false};
    case FormFont::AboutProduct:
        return {songTi(), kCodePageGbk, 13, true};
    }
    return {kTimesNewRoman, kCodePageGbk, 16, false};
}

} // namespace kelvara

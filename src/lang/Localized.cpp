#include "lang/Localized.h"

#include "lang/WideText.h"

#include <utility>

namespace kelvara {

std::u16string HeldText(std::string_view utf8, int codePage)
{
    return WideFromCodePage(CodePageBytes(utf8, codePage), codePage);
}

std::u16string Localized(InterfaceLanguage language, const LocalizedText& text)
{
    switch (language) {
    case InterfaceLanguage::Simplified:
        return HeldText(text.simplified, kCodePageGbk);
    case InterfaceLanguage::Traditional:
        return HeldText(text.traditional, kCodePageBig5);
    case InterfaceLanguage::English:
        break;
    }
    return std::u16string(text.english);
}

std::u16string WithNumber(std::u16string text, std::size_t n)
{
    const std::string digits = std::to_string(n);
    return WithText(std::move(text), std::u16string(digits.begin(), digits.end()));
}

std::u16string WithText(std::u16string text, std::u16string_view inserted)
{
    const std::size_t at = text.find(u"%1");
    if (at != std::u16string::npos)
        text.replace(at, 2, inserted);
    return text;
}

} // namespace kelvara

#include "editor/InputCheck.h"

#include "lang/Localized.h"
#include "platform/CodePage.h"

namespace kelvara {

namespace {

bool IsLineBreak(char16_t c)
{
    return c == u'\r' || c == u'\n' || c == u'\x2028' || c == u'\x2029';
}

bool IsControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

constexpr LocalizedText kLineBreakHint{"不能输入换行符", "不能輸入換行符",
                                       u"Line breaks cannot be entered here"};
constexpr LocalizedText kControlHint{"不能输入控制字符", "不能輸入控制字元",
                                     u"Control characters cannot be entered here"};
constexpr LocalizedText kCodePageHint{"该字符无法存入词典", "該字元無法存入詞典",
                                      u"This character cannot be stored in the dictionary"};

} // namespace

InputCheck CheckInputText(std::u16string_view text, int codePage)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsLineBreak(c))
            return {InputRefusal::LineBreak, i, c};
        if (IsControl(c))
            return {InputRefusal::ControlCharacter, i, c};
    }
    if (IsRepresentable(text, codePage))
        return {};
    // Only now find which character it was: the common case costs a single pass.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        const std::size_t length = pair ? 2 : 1;
        if (!IsRepresentable(text.substr(i, length), codePage))
            return {InputRefusal::NotInCodePage, i, text[i]};
        i += length - 1;
    }
    return {InputRefusal::NotInCodePage, 0, text.empty() ? u'\0' : text[0]};
}

std::size_t CountRefused(std::u16string_view text, int codePage)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool pair = i + 1 < text.size() && c >= 0xD800 && c <= 0xDBFF &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        const std::size_t length = pair ? 2 : 1;
        if (IsLineBreak(c) || IsControl(c) || !IsRepresentable(text.substr(i, length), codePage))
            ++count;
        i += length - 1;
    }
    return count;
}

std::u16string InputRefusalHint(InputRefusal refusal, InterfaceLanguage language)
{
    switch (refusal) {
    case InputRefusal::None:
        break;
    case InputRefusal::LineBreak:
        return Localized(language, kLineBreakHint);
    case InputRefusal::ControlCharacter:
        return Localized(language, kControlHint);
    case InputRefusal::NotInCodePage:
        return Localized(language, kCodePageHint);
    }
    return {};
}

} // namespace kelvara

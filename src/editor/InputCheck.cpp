#include "editor/InputCheck.h"

#include "lang/WideText.h"
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

struct Hint
{
    const char* simplified;  // GBK
    const char* traditional; // Big5
    const char* english;
};

constexpr Hint kLineBreakHint{
    "\xB2\xBB\xC4\xDC\xCA\xE4\xC8\xEB\xBB\xBB\xD0\xD0\xB7\xFB", // 不能输入换行符
    "\xA4\xA3\xAF\xE0\xBF\xE9\xA4\x4A\xB4\xAB\xA6\xE6\xB2\xC5", // 不能輸入換行符
    "Line breaks cannot be entered here"};
constexpr Hint kControlHint{
    "\xB2\xBB\xC4\xDC\xCA\xE4\xC8\xEB\xBF\xD8\xD6\xC6\xD7\xD6\xB7\xFB", // 不能输入控制字符
    "\xA4\xA3\xAF\xE0\xBF\xE9\xA4\x4A\xB1\xB1\xA8\xEE\xA6\x72\xA4\xB8", // 不能輸入控制字元
    "Control characters cannot be entered here"};
constexpr Hint kCodePageHint{"\xB8\xC3\xD7\xD6\xB7\xFB\xCE\xDE\xB7\xA8\xB4\xE6\xC8\xEB\xB4\xCA\xB5"
                             "\xE4", // 该字符无法存入词典
                             "\xB8\xD3\xA6\x72\xA4\xB8\xB5\x4C\xAA\x6B\xA6\x73\xA4\x4A\xB5\xFC\xA8"
                             "\xE5", // 該字元無法存入詞典
                             "This character cannot be stored in the dictionary"};

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
    const Hint* hint = nullptr;
    switch (refusal) {
    case InputRefusal::None:
        return {};
    case InputRefusal::LineBreak:
        hint = &kLineBreakHint;
        break;
    case InputRefusal::ControlCharacter:
        hint = &kControlHint;
        break;
    case InputRefusal::NotInCodePage:
        hint = &kCodePageHint;
        break;
    }
    switch (language) {
    case InterfaceLanguage::Simplified:
        return WideFromCodePage(hint->simplified, kCodePageGbk);
    case InterfaceLanguage::Traditional:
        return WideFromCodePage(hint->traditional, kCodePageBig5);
    case InterfaceLanguage::English:
        break;
    }
    const std::string_view english = hint->english;
    return std::u16string(english.begin(), english.end());
}

} // namespace kelvara

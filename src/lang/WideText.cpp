#include "lang/WideText.h"

#include "platform/CodePage.h"

#include <cstring>

namespace kelvara {

std::u16string WideFromCodePage(const char* text, int codePage)
{
    if (!text)
        return {};
    return DecodeCodePage(std::string_view(text, std::strlen(text)), codePage);
}

std::u16string WideFromCodePage(std::string_view text, int codePage)
{
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    return DecodeCodePage(text, codePage);
}

namespace {

std::string_view upToTerminator(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

} // namespace

bool SameText(std::string_view a, int codePageA, std::string_view b, int codePageB)
{
    a = upToTerminator(a);
    b = upToTerminator(b);
    if (codePageA == codePageB && a == b)
        return true;
    const std::u16string wideA = WideFromCodePage(a, codePageA);
    // Neither code page has a character U+FFFD: it stands for bytes that decode to nothing,
    // and two different broken texts must not compare equal through it.
    if (wideA.find(u'\uFFFD') != std::u16string::npos)
        return false;
    return wideA == WideFromCodePage(b, codePageB);
}

} // namespace kelvara

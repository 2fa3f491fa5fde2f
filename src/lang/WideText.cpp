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

bool SameText(std::string_view a, int codePageA, std::string_view b, int codePageB)
{
    if (codePageA == codePageB && a == b)
        return true;
    return WideFromCodePage(a, codePageA) == WideFromCodePage(b, codePageB);
}

} // namespace kelvara

#include "lang/Localized.h"

#include "lang/WideText.h"

#include <map>
#include <mutex>
#include <utility>

namespace kelvara {

namespace {

// The program's own literals are well-formed UTF-8 (the compiler reads the source as UTF-8),
// so a plain decoder does; an ill-formed byte still becomes U+FFFD rather than vanishing.
std::u16string wideFromUtf8(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80    ? 1
                           : lead >= 0xF0 ? 4
                           : lead >= 0xE0 ? 3
                           : lead >= 0xC0 ? 2
                                          : 0;
        if (length == 0 || i + length > utf8.size()) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += length;
    }
    return out;
}

} // namespace

const std::string& CodePageBytes(std::string_view utf8, int codePage)
{
    // Node-based: a reference handed out stays valid while later texts are added.
    static std::mutex guard;
    static std::map<std::pair<std::string, int>, std::string, std::less<>> made;
    const std::lock_guard<std::mutex> lock(guard);
    auto key = std::make_pair(std::string(utf8), codePage);
    auto found = made.find(key);
    if (found == made.end())
        found = made.emplace(std::move(key), EncodeCodePage(wideFromUtf8(utf8), codePage)).first;
    return found->second;
}

bool CodePageHolds(std::string_view utf8, int codePage)
{
    return IsRepresentable(wideFromUtf8(utf8), codePage);
}

std::u16string Localized(InterfaceLanguage language, const LocalizedText& text)
{
    switch (language) {
    case InterfaceLanguage::Simplified:
        return WideFromCodePage(CodePageBytes(text.simplified, kCodePageGbk), kCodePageGbk);
    case InterfaceLanguage::Traditional:
        return WideFromCodePage(CodePageBytes(text.traditional, kCodePageBig5), kCodePageBig5);
    case InterfaceLanguage::English:
        break;
    }
    return std::u16string(text.english);
}

std::u16string Localized(InterfaceLanguage language, std::string_view simplifiedGbk,
                         std::string_view traditionalBig5, std::u16string_view english)
{
    switch (language) {
    case InterfaceLanguage::Simplified:
        return WideFromCodePage(simplifiedGbk, kCodePageGbk);
    case InterfaceLanguage::Traditional:
        return WideFromCodePage(traditionalBig5, kCodePageBig5);
    case InterfaceLanguage::English:
        break;
    }
    return std::u16string(english);
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

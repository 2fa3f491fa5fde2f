#include "platform/SourceText.h"

#include "platform/CodePage.h"

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

using MadeTexts = std::map<std::pair<std::string, int>, std::string, std::less<>>;

// Node-based: a reference handed out stays valid while later texts are added.
MadeTexts& madeTexts()
{
    static MadeTexts made;
    return made;
}

std::mutex& madeTextsGuard()
{
    static std::mutex guard;
    return guard;
}

} // namespace

const std::string& CodePageBytes(std::string_view utf8, int codePage)
{
    const std::lock_guard<std::mutex> lock(madeTextsGuard());
    MadeTexts& made = madeTexts();
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

std::vector<std::pair<std::string, int>> TextsNotHeldAsWritten()
{
    const std::lock_guard<std::mutex> lock(madeTextsGuard());
    std::vector<std::pair<std::string, int>> faults;
    for (const auto& [key, bytes] : madeTexts()) {
        const auto& [utf8, codePage] = key;
        if (!CodePageHolds(utf8, codePage) || DecodeCodePage(bytes, codePage) != wideFromUtf8(utf8))
            faults.push_back(key);
    }
    return faults;
}

} // namespace kelvara

#include "platform/SourceText.h"

#include "platform/CodePage.h"
#include "platform/Utf8Text.h"

#include <map>
#include <mutex>
#include <utility>

namespace kelvara {

namespace {

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
        found = made.emplace(std::move(key), EncodeCodePage(DecodeUtf8(utf8), codePage)).first;
    return found->second;
}

bool CodePageHolds(std::string_view utf8, int codePage)
{
    return IsRepresentable(DecodeUtf8(utf8), codePage);
}

std::vector<std::pair<std::string, int>> TextsNotHeldAsWritten()
{
    const std::lock_guard<std::mutex> lock(madeTextsGuard());
    std::vector<std::pair<std::string, int>> faults;
    for (const auto& [key, bytes] : madeTexts()) {
        const auto& [utf8, codePage] = key;
        if (!CodePageHolds(utf8, codePage) || DecodeCodePage(bytes, codePage) != DecodeUtf8(utf8))
            faults.push_back(key);
    }
    return faults;
}

} // namespace kelvara

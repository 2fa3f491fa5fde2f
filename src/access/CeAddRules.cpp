#include "access/CeAddRules.h"

#include "platform/CodePage.h"

namespace kelvara {

namespace {

constexpr std::size_t kTextLimit = 127;
constexpr std::size_t kPosLimit = 15;

bool isTrailByte(unsigned char byte, int codePage)
{
    if (byte >= 0x40 && byte <= 0x7E)
        return true;
    return codePage == kCodePageBig5 ? byte >= 0xA1 && byte <= 0xFE : byte >= 0x80 && byte <= 0xFE;
}

// True when every double-byte character is whole and no byte that stands alone is one of
// `refused` (a trail byte equal to one of them is part of its character).
bool readsWhole(std::string_view text, int codePage, std::string_view refused)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(byte, codePage)) {
            if (i + 1 >= text.size() ||
                !isTrailByte(static_cast<unsigned char>(text[i + 1]), codePage))
                return false;
            ++i;
        } else if (byte == '\r' || byte == '\n' ||
                   refused.find(text[i]) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CeEngineWouldTake(std::string_view word, std::string_view posWord,
                       std::string_view translation, int codePage)
{
    return !word.empty() && word.size() <= kTextLimit && !translation.empty() &&
           translation.size() <= kTextLimit && posWord.size() <= kPosLimit &&
           readsWhole(word, codePage, "\\") && readsWhole(posWord, codePage, "()\\") &&
           readsWhole(translation, codePage, {});
}

} // namespace kelvara

#include "ce/CeLabels.h"

namespace kelvara::ref {

namespace {

struct LabelRow
{
    std::string_view word;
    std::string_view gbk;  // Simplified Chinese in code page 936
    std::string_view big5; // Traditional Chinese in code page 950
};

// 名词 及物动词 不及物动词 形容词 副词 介词 / 名詞 及物動詞 不及物動詞 形容詞 副詞 介係詞, as bytes
// so that the engine needs no converter.
constexpr LabelRow kLabels[] = {
    {"noun", "\xC3\xFB\xB4\xCA", "\xA6\x57\xB5\xFC"},
    {"vt", "\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA", "\xA4\xCE\xAA\xAB\xB0\xCA\xB5\xFC"},
    {"vi", "\xB2\xBB\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA", "\xA4\xA3\xA4\xCE\xAA\xAB\xB0\xCA\xB5\xFC"},
    {"adj", "\xD0\xCE\xC8\xDD\xB4\xCA", "\xA7\xCE\xAE\x65\xB5\xFC"},
    {"adv", "\xB8\xB1\xB4\xCA", "\xB0\xC6\xB5\xFC"},
    {"prep", "\xBD\xE9\xB4\xCA", "\xA4\xB6\xAB\x59\xB5\xFC"},
};

} // namespace

std::string_view CeLabelFor(std::string_view posWord, EngineCodePage codePage)
{
    for (const LabelRow& row : kLabels) {
        if (row.word == posWord)
            return codePage == EngineCodePage::Big5 ? row.big5 : row.gbk;
    }
    return posWord;
}

} // namespace kelvara::ref

#include "lang/PartOfSpeech.h"

#include "lang/WideText.h"

#include <algorithm>
#include <array>

namespace kelvara {

namespace {

// Simplified labels are GBK bytes, Traditional ones Big5 bytes; every literal is written as
// escaped bytes so the source file's own encoding never matters.
constexpr std::string_view kNounS = "\xC3\xFB\xB4\xCA";                       // 名词
constexpr std::string_view kVerbS = "\xB6\xAF\xB4\xCA";                       // 动词
constexpr std::string_view kAdjS = "\xD0\xCE\xC8\xDD\xB4\xCA";                // 形容词
constexpr std::string_view kAdvS = "\xB8\xB1\xB4\xCA";                        // 副词
constexpr std::string_view kPrepS = "\xBD\xE9\xB4\xCA";                       // 介词
constexpr std::string_view kVtS = "\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA";         // 及物动词
constexpr std::string_view kViS = "\xB2\xBB\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA"; // 不及物动词

constexpr std::string_view kNounT = "\xA6\x57\xB5\xFC";                       // 名詞
constexpr std::string_view kVerbT = "\xB0\xCA\xB5\xFC";                       // 動詞
constexpr std::string_view kAdjT = "\xA7\xCE\xAE\x65\xB5\xFC";                // 形容詞
constexpr std::string_view kAdvT = "\xB0\xC6\xB5\xFC";                        // 副詞
constexpr std::string_view kPrepT = "\xA4\xB6\xAB\x59\xB5\xFC";               // 介係詞
constexpr std::string_view kVtT = "\xA4\xCE\xAA\xAB\xB0\xCA\xB5\xFC";         // 及物動詞
constexpr std::string_view kViT = "\xA4\xA3\xA4\xCE\xAA\xAB\xB0\xCA\xB5\xFC"; // 不及物動詞

constexpr std::array<std::string_view, kEcPartOfSpeechCount> kEcSimplified{kNounS, kVerbS, kAdjS,
                                                                           kAdvS, kPrepS};
constexpr std::array<std::string_view, kEcPartOfSpeechCount> kEcTraditional{kNounT, kVerbT, kAdjT,
                                                                            kAdvT, kPrepT};
constexpr std::array<std::string_view, kEcPartOfSpeechCount> kEcEnglish{"Noun", "Verb", "Adj",
                                                                        "Adv", "Prep"};

constexpr std::array<std::string_view, kCePartOfSpeechCount> kCeSimplified{kNounS, kVtS,  kViS,
                                                                           kAdjS,  kAdvS, kPrepS};
constexpr std::array<std::string_view, kCePartOfSpeechCount> kCeTraditional{kNounT, kVtT,  kViT,
                                                                            kAdjT,  kAdvT, kPrepT};
constexpr std::array<std::string_view, kCePartOfSpeechCount> kCeEnglish{"Noun", "Vt",  "Vi",
                                                                        "Adj",  "Adv", "Prep"};

// One row of the label tables: the Simplified, Traditional and English labels of one part
// of speech and the word the C-E engine knows it by.
struct LabelRow
{
    std::string_view simplified;
    std::string_view traditional;
    std::string_view english;
    std::string_view engineWord;
};

constexpr std::array<LabelRow, 6> kLabelRows{{
    {kNounS, kNounT, "Noun", "noun"},
    {kVtS, kVtT, "Vt", "vt"},
    {kViS, kViT, "Vi", "vi"},
    {kAdjS, kAdjT, "Adj", "adj"},
    {kAdvS, kAdvT, "Adv", "adv"},
    {kPrepS, kPrepT, "Prep", "prep"},
}};

bool SameAsSimplified(const std::u16string& wide, std::string_view literal)
{
    return wide == WideFromCodePage(literal, kCodePageGbk);
}

bool SameAsTraditional(const std::u16string& wide, std::string_view literal)
{
    return wide == WideFromCodePage(literal, kCodePageBig5);
}

} // namespace

std::span<const std::string_view> EcPartOfSpeechLabels(InterfaceLanguage language)
{
    switch (language) {
    case InterfaceLanguage::Simplified:
        return kEcSimplified;
    case InterfaceLanguage::Traditional:
        return kEcTraditional;
    case InterfaceLanguage::English:
        break;
    }
    return kEcEnglish;
}

std::span<const std::string_view> CePartOfSpeechLabels(InterfaceLanguage language)
{
    switch (language) {
    case InterfaceLanguage::Simplified:
        return kCeSimplified;
    case InterfaceLanguage::Traditional:
        return kCeTraditional;
    case InterfaceLanguage::English:
        break;
    }
    return kCeEnglish;
}

std::string_view NounLabel(InterfaceLanguage language)
{
    return EcPartOfSpeechLabels(language)[0];
}

std::string_view EnglishLabelFor(std::string_view label, int codePage)
{
    // Every Chinese label has a byte above 0x7F; an ASCII text needs no decoding, which
    // keeps a long English import cheap.
    if (std::none_of(label.begin(), label.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return {};
    const std::u16string wide = WideFromCodePage(label, codePage);
    if (wide.empty())
        return {};
    for (const LabelRow& row : kLabelRows) {
        if (SameAsSimplified(wide, row.simplified) || SameAsTraditional(wide, row.traditional))
            return row.english;
    }
    return {};
}

void PosLabelToEngineWord(Buffer16& buffer, int codePage)
{
    const std::u16string wide = WideFromCodePage(buffer.view(), codePage);
    if (wide.empty())
        return;
    for (const LabelRow& row : kLabelRows) {
        // English labels are plain ASCII; comparing the raw bytes keeps them case-sensitive
        // and immune to any code-page reading of the buffer.
        if (SameAsSimplified(wide, row.simplified) || SameAsTraditional(wide, row.traditional) ||
            buffer.view() == row.english) {
            (void)buffer.assign(row.engineWord);
            return;
        }
    }
}

namespace {

constexpr char kUnknownCodePrefix = '#';

} // namespace

std::string UnknownEcCodeLabel(unsigned char code)
{
    return kUnknownCodePrefix + std::to_string(code);
}

int EcCodeOfLabel(std::string_view label, int indexInList)
{
    if (indexInList >= 0)
        return indexInList;
    if (label.size() >= 2 && label.size() <= 4 && label.front() == kUnknownCodePrefix) {
        int code = 0;
        for (const char c : label.substr(1)) {
            if (c < '0' || c > '9')
                return 255;
            code = code * 10 + (c - '0');
        }
        if (code <= 255 && std::to_string(code) == label.substr(1))
            return code;
    }
    return 255; // the low byte of -1: not a label of the list
}

} // namespace kelvara

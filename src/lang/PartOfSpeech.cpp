#include "lang/PartOfSpeech.h"

#include "lang/Localized.h"
#include "lang/WideText.h"

#include <algorithm>
#include <array>

namespace kelvara {

namespace {

// One part of speech as its labels read, and the word the C-E engine knows it by (empty for
// the E-C engine's verb, which the C-E engine splits into vt and vi). The program holds the
// Simplified labels as GBK bytes and the Traditional ones as Big5 bytes (CodePageBytes).
struct LabelSource
{
    std::string_view simplified;
    std::string_view traditional;
    std::string_view english;
    std::string_view engineWord;
};

constexpr LabelSource kNoun{"名词", "名詞", "Noun", "noun"};
constexpr LabelSource kVerb{"动词", "動詞", "Verb", ""};
constexpr LabelSource kVt{"及物动词", "及物動詞", "Vt", "vt"};
constexpr LabelSource kVi{"不及物动词", "不及物動詞", "Vi", "vi"};
constexpr LabelSource kAdj{"形容词", "形容詞", "Adj", "adj"};
constexpr LabelSource kAdv{"副词", "副詞", "Adv", "adv"};
constexpr LabelSource kPrep{"介词", "介係詞", "Prep", "prep"};

// The lists in code order, and the parts of speech the C-E engine has words for, in the order
// a label is matched.
constexpr std::array<const LabelSource*, kEcPartOfSpeechCount> kEcList{&kNoun, &kVerb, &kAdj, &kAdv,
                                                                       &kPrep};
constexpr std::array<const LabelSource*, kCePartOfSpeechCount> kCeList{&kNoun, &kVt,  &kVi,
                                                                       &kAdj,  &kAdv, &kPrep};

std::string_view heldLabel(const LabelSource& label, InterfaceLanguage language)
{
    switch (language) {
    case InterfaceLanguage::Simplified:
        return CodePageBytes(label.simplified, kCodePageGbk);
    case InterfaceLanguage::Traditional:
        return CodePageBytes(label.traditional, kCodePageBig5);
    case InterfaceLanguage::English:
        break;
    }
    return label.english;
}

// A list's labels in the three languages, as the bytes the program holds, made once.
template <std::size_t N> class HeldLabels
{
public:
    explicit HeldLabels(const std::array<const LabelSource*, N>& list)
    {
        for (std::size_t i = 0; i < N; ++i) {
            m_simplified[i] = heldLabel(*list[i], InterfaceLanguage::Simplified);
            m_traditional[i] = heldLabel(*list[i], InterfaceLanguage::Traditional);
            m_english[i] = heldLabel(*list[i], InterfaceLanguage::English);
        }
    }

    std::span<const std::string_view> in(InterfaceLanguage language) const
    {
        switch (language) {
        case InterfaceLanguage::Simplified:
            return m_simplified;
        case InterfaceLanguage::Traditional:
            return m_traditional;
        case InterfaceLanguage::English:
            break;
        }
        return m_english;
    }

private:
    std::array<std::string_view, N> m_simplified;
    std::array<std::string_view, N> m_traditional;
    std::array<std::string_view, N> m_english;
};

// One part of speech the C-E engine knows, with its Chinese labels as the program shows them
// (decoded from the bytes it holds) for comparing with a decoded cell.
struct EngineLabel
{
    std::u16string simplified;
    std::u16string traditional;
    std::string_view english;
    std::string_view engineWord;
};

const std::array<EngineLabel, kCePartOfSpeechCount>& engineLabels()
{
    static const std::array<EngineLabel, kCePartOfSpeechCount> labels = [] {
        std::array<EngineLabel, kCePartOfSpeechCount> made;
        for (std::size_t i = 0; i < made.size(); ++i)
            made[i] = {HeldText(kCeList[i]->simplified, kCodePageGbk),
                       HeldText(kCeList[i]->traditional, kCodePageBig5), kCeList[i]->english,
                       kCeList[i]->engineWord};
        return made;
    }();
    return labels;
}

} // namespace

std::span<const std::string_view> EcPartOfSpeechLabels(InterfaceLanguage language)
{
    static const HeldLabels<kEcPartOfSpeechCount> held(kEcList);
    return held.in(language);
}

std::span<const std::string_view> CePartOfSpeechLabels(InterfaceLanguage language)
{
    static const HeldLabels<kCePartOfSpeechCount> held(kCeList);
    return held.in(language);
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
    for (const EngineLabel& row : engineLabels()) {
        if (wide == row.simplified || wide == row.traditional)
            return row.english;
    }
    return {};
}

void PosLabelToEngineWord(Buffer16& buffer, int codePage)
{
    const std::u16string wide = WideFromCodePage(buffer.view(), codePage);
    if (wide.empty())
        return;
    for (const EngineLabel& row : engineLabels()) {
        // English labels are plain ASCII; comparing the raw bytes keeps them case-sensitive
        // and immune to any code-page reading of the buffer.
        if (wide == row.simplified || wide == row.traditional || buffer.view() == row.english) {
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

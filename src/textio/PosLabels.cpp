#include "textio/PosLabels.h"

#include "lang/PartOfSpeech.h"
#include "lang/WideText.h"
#include "platform/CodePage.h"
#include "platform/FixedBuffer.h"

#include <array>

namespace kelvara {

namespace {

constexpr std::array<std::string_view, kCePartOfSpeechCount> kEngineWords{"noun", "vt",  "vi",
                                                                          "adj",  "adv", "prep"};

// The first characters the tables recognise, as Unicode (動 is the Traditional form of 动).
struct References
{
    std::u16string ming = u"名";
    std::u16string dong = u"动";
    std::u16string dongTraditional = u"動";
    std::u16string xing = u"形";
    std::u16string fu = u"副";
    std::u16string jie = u"介";
    std::u16string ji = u"及";
    std::u16string bu = u"不";
};

const References& references()
{
    static const References refs;
    return refs;
}

// The label's first character as Unicode; empty when the label does not begin with a
// double-byte character, so no Chinese test can hold (and ASCII labels cost no decoding).
class FirstCharacter
{
public:
    FirstCharacter(std::string_view label, int codePage)
    {
        if (label.size() >= 2 && static_cast<unsigned char>(label[0]) >= 0x80)
            m_wide = DecodeCodePage(label.substr(0, 2), codePage);
    }
    bool is(const std::u16string& reference) const
    {
        return !m_wide.empty() && m_wide == reference;
    }

private:
    std::u16string m_wide;
};

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool isPreposition(std::string_view upper)
{
    // Exact: "PREPOSITION" is not one.
    return upper == "PREP" || upper == "PREP.";
}

unsigned char ecCode(std::string_view u, std::string_view p2, std::string_view p3,
                     const FirstCharacter& c1)
{
    const References& r = references();
    if (u.starts_with('N') || c1.is(r.ming))
        return 0;
    // 動 is the first character of the Traditional list's own verb label; without it that
    // label would come back as a noun.
    if (u.starts_with('V') || c1.is(r.dong) || c1.is(r.dongTraditional))
        return 1;
    if (p2 == "A." || p3 == "ADJ" || c1.is(r.xing))
        return 2;
    if (p3 == "AD." || p3 == "ADV" || c1.is(r.fu))
        return 3;
    if (isPreposition(u) || c1.is(r.jie))
        return 4;
    return 0;
}

unsigned char ceCode(std::string_view u, std::string_view p2, std::string_view p3,
                     const FirstCharacter& c1)
{
    const References& r = references();
    if (u.starts_with('N') || c1.is(r.ming))
        return 0;
    if (p2 == "VT" || c1.is(r.ji))
        return 1;
    if (p2 == "VI" || c1.is(r.bu))
        return 2;
    if (p2 == "A." || p3 == "ADJ" || c1.is(r.xing))
        return 3;
    if (p3 == "AD." || p3 == "ADV" || c1.is(r.fu))
        return 4;
    if (isPreposition(u) || c1.is(r.jie))
        return 5;
    return 0;
}

std::array<std::string, kCePartOfSpeechCount> exportLabels(int codePage)
{
    std::array<std::string, kCePartOfSpeechCount> labels;
    const auto simplified = CePartOfSpeechLabels(InterfaceLanguage::Simplified);
    const auto traditional = CePartOfSpeechLabels(InterfaceLanguage::Traditional);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        bool lost = false;
        labels[i] = EncodeCodePage(WideFromCodePage(simplified[i], kCodePageGbk), codePage, &lost);
        // Written with '?' for the characters Big5 lacks, the label would import as nothing
        // the engine knows; the Traditional label names the same part of speech.
        if (lost)
            labels[i] = EncodeCodePage(WideFromCodePage(traditional[i], kCodePageBig5), codePage);
    }
    return labels;
}

} // namespace

unsigned char PosLabelToCode(std::string_view label, DictionaryKind kind, int codePage)
{
    if (label.empty())
        return 0;
    const std::string u = upperAscii(label);
    const std::string_view p2 = label.size() >= 2 ? std::string_view(u).substr(0, 2) : "";
    const std::string_view p3 = label.size() >= 3 ? std::string_view(u).substr(0, 3) : "";
    const FirstCharacter c1(label, codePage);
    return kind == DictionaryKind::EC ? ecCode(u, p2, p3, c1) : ceCode(u, p2, p3, c1);
}

std::string_view CeEngineWordOfLabel(std::string_view label, int codePage)
{
    Buffer16 buffer;
    if (buffer.assign(label)) {
        PosLabelToEngineWord(buffer, codePage);
        for (const std::string_view word : kEngineWords) {
            if (buffer.view() == word && buffer.view() != label)
                return word;
        }
    }
    return kEngineWords[PosLabelToCode(label, DictionaryKind::CE, codePage)];
}

std::string EngineWordToLabel(std::string_view word, int codePage)
{
    // Made once per code page: a million-line export converts no label twice.
    static const auto gbk = exportLabels(kCodePageGbk);
    static const auto big5 = exportLabels(kCodePageBig5);
    for (std::size_t i = 0; i < kEngineWords.size(); ++i) {
        if (word != kEngineWords[i])
            continue;
        if (codePage == kCodePageGbk)
            return gbk[i];
        if (codePage == kCodePageBig5)
            return big5[i];
        return exportLabels(codePage)[i];
    }
    return std::string(word);
}

EngineWordLabels::EngineWordLabels(int codePage)
{
    for (std::size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i] = EngineWordToLabel(kEngineWords[i], codePage);
}

std::string_view EngineWordLabels::labelFor(std::string_view word) const
{
    for (std::size_t i = 0; i < kEngineWords.size(); ++i) {
        if (word == kEngineWords[i])
            return m_labels[i];
    }
    return word;
}

} // namespace kelvara

#include "lang/PartOfSpeech.h"

#include "lang/WideText.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace kelvara {
namespace {

std::string EngineWord(std::string_view label, int codePage)
{
    Buffer16 buffer;
    EXPECT_TRUE(buffer.assign(label));
    PosLabelToEngineWord(buffer, codePage);
    return buffer.str();
}

struct EngineWordCase
{
    const char* label;
    int codePage;
    const char* word;
};

void PrintTo(const EngineWordCase& c, std::ostream* os)
{
    *os << "label for " << c.word << " in code page " << c.codePage;
}

class PosLabelToEngineWordTest : public ::testing::TestWithParam<EngineWordCase>
{
};

TEST_P(PosLabelToEngineWordTest, KnownLabelBecomesItsWord)
{
    EXPECT_EQ(EngineWord(GetParam().label, GetParam().codePage), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PosLabelToEngineWordTest,
    ::testing::Values(
        EngineWordCase{"\xC3\xFB\xB4\xCA", kCodePageGbk, "noun"},  // 名词
        EngineWordCase{"\xA6\x57\xB5\xFC", kCodePageBig5, "noun"}, // 名詞
        EngineWordCase{"Noun", kCodePageGbk, "noun"},
        EngineWordCase{"\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA", kCodePageGbk, "vt"},  // 及物动词
        EngineWordCase{"\xA4\xCE\xAA\xAB\xB0\xCA\xB5\xFC", kCodePageBig5, "vt"}, // 及物動詞
        EngineWordCase{"Vt", kCodePageBig5, "vt"},
        EngineWordCase{"\xB2\xBB\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA", kCodePageGbk,
                       "vi"}, // 不及物动词
        EngineWordCase{"\xA4\xA3\xA4\xCE\xAA\xAB\xB0\xCA\xB5\xFC", kCodePageBig5,
                       "vi"}, // 不及物動詞
        EngineWordCase{"Vi", kCodePageGbk, "vi"},
        EngineWordCase{"\xD0\xCE\xC8\xDD\xB4\xCA", kCodePageGbk, "adj"},  // 形容词
        EngineWordCase{"\xA7\xCE\xAE\x65\xB5\xFC", kCodePageBig5, "adj"}, // 形容詞
        EngineWordCase{"Adj", kCodePageGbk, "adj"},
        EngineWordCase{"\xB8\xB1\xB4\xCA", kCodePageGbk, "adv"},  // 副词
        EngineWordCase{"\xB0\xC6\xB5\xFC", kCodePageBig5, "adv"}, // 副詞
        EngineWordCase{"Adv", kCodePageGbk, "adv"},
        EngineWordCase{"\xBD\xE9\xB4\xCA", kCodePageGbk, "prep"},          // 介词
        EngineWordCase{"\xA4\xB6\xAB\x59\xB5\xFC", kCodePageBig5, "prep"}, // 介係詞
        EngineWordCase{"Prep", kCodePageGbk, "prep"}),
    [](const ::testing::TestParamInfo<EngineWordCase>& info) {
        return std::string(info.param.word) + "_" + std::to_string(info.index);
    });

TEST(PosLabelToEngineWordExactness, OtherTextsAreLeftUnchanged)
{
    for (const char* text : {"noun", "NOUN", "Noun ", " Noun", "Nou", "Verb", "vt", "", "ADJ"})
        EXPECT_EQ(EngineWord(text, kCodePageGbk), text) << text;
    const std::string verb = "\xB6\xAF\xB4\xCA"; // 动词: not a C-E part of speech
    EXPECT_EQ(EngineWord(verb, kCodePageGbk), verb);
    const std::string longer = "\xC3\xFB\xB4\xCA\xB4\xCA"; // 名词词
    EXPECT_EQ(EngineWord(longer, kCodePageGbk), longer);
}

TEST(PosLabelToEngineWordExactness, ComparesCharactersNotBytes)
{
    // 名詞 held in GBK bytes, as a GBK platform would hold a Traditional label.
    const std::string tradInGbk =
        EncodeCodePage(WideFromCodePage("\xA6\x57\xB5\xFC", kCodePageBig5), kCodePageGbk);
    ASSERT_NE(tradInGbk, "\xA6\x57\xB5\xFC");
    EXPECT_EQ(EngineWord(tradInGbk, kCodePageGbk), "noun");
    // The Big5 bytes of 名詞 read as GBK are other characters and stay as they are.
    EXPECT_EQ(EngineWord("\xA6\x57\xB5\xFC", kCodePageGbk), "\xA6\x57\xB5\xFC");
}

TEST(PartOfSpeechLists, EveryChineseLabelButVerbHasItsEnglishOne)
{
    for (InterfaceLanguage language :
         {InterfaceLanguage::Simplified, InterfaceLanguage::Traditional}) {
        ASSERT_EQ(CePartOfSpeechLabels(language).size(), 6u);
        EXPECT_EQ(EcPartOfSpeechLabels(language)[0], NounLabel(language));
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(EnglishLabelFor(CePartOfSpeechLabels(language)[i], LabelCodePageOf(language)),
                      CePartOfSpeechLabels(InterfaceLanguage::English)[i]);
        }
    }
    EXPECT_EQ(
        WideFromCodePage(EcPartOfSpeechLabels(InterfaceLanguage::Traditional)[4], kCodePageBig5),
        u"\u4ecb\u4fc2\u8a5e"); // 介係詞
}

TEST(PartOfSpeechLists, VerbAndUnknownTextsHaveNoEnglishLabel)
{
    EXPECT_EQ(EnglishLabelFor("\xB6\xAF\xB4\xCA", kCodePageGbk), "");  // 动词
    EXPECT_EQ(EnglishLabelFor("\xB0\xCA\xB5\xFC", kCodePageBig5), ""); // 動詞
    EXPECT_EQ(EnglishLabelFor("Noun", kCodePageGbk), "");
    EXPECT_EQ(EnglishLabelFor("", kCodePageGbk), "");
}

} // namespace
} // namespace kelvara

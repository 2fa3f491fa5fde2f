#include "textio/PosLabels.h"
#include "textio/EngineExportLine.h"

#include "lang/PartOfSpeech.h"
#include "lang/WideText.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace kelvara {
namespace {

constexpr auto EC = DictionaryKind::EC;
constexpr auto CE = DictionaryKind::CE;

struct CodeCase
{
    const char* label;
    int codePage;
    int ecCode;
    int ceCode;
};

void PrintTo(const CodeCase& c, std::ostream* os)
{
    *os << '"' << c.label << "\" in code page " << c.codePage;
}

class PosLabelToCodeTest : public ::testing::TestWithParam<CodeCase>
{
};

TEST_P(PosLabelToCodeTest, GivesTheCodeOfEachKind)
{
    const CodeCase& c = GetParam();
    EXPECT_EQ(PosLabelToCode(c.label, EC, c.codePage), c.ecCode);
    EXPECT_EQ(PosLabelToCode(c.label, CE, c.codePage), c.ceCode);
}

INSTANTIATE_TEST_SUITE_P(
    Abbreviations, PosLabelToCodeTest,
    ::testing::Values(CodeCase{"PREP.", kCodePageGbk, 4, 5}, CodeCase{"prep", kCodePageGbk, 4, 5},
                      CodeCase{"preposition", kCodePageGbk, 0, 0}, // exact, not a prefix
                      CodeCase{"ad.", kCodePageGbk, 3, 4},         // adverb, not adjective
                      CodeCase{"a.", kCodePageGbk, 2, 3}, CodeCase{"adjective", kCodePageGbk, 2, 3},
                      CodeCase{"adverb", kCodePageGbk, 3, 4}, CodeCase{"vi", kCodePageGbk, 1, 2},
                      CodeCase{"vt.", kCodePageGbk, 1, 1}, CodeCase{"v.", kCodePageGbk, 1, 0},
                      CodeCase{"N", kCodePageGbk, 0, 0}, CodeCase{"V", kCodePageGbk, 1, 0},
                      CodeCase{"A", kCodePageGbk, 0, 0}, CodeCase{"", kCodePageGbk, 0, 0},
                      CodeCase{"interj.", kCodePageGbk, 0, 0}, CodeCase{"#3", kCodePageGbk, 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    ChineseFirstCharacter, PosLabelToCodeTest,
    ::testing::Values(
        CodeCase{"\xB6\xAF\xB4\xCA", kCodePageGbk, 1, 0},  // 动词
        CodeCase{"\xB0\xCA\xB5\xFC", kCodePageBig5, 1, 0}, // 動詞: the Traditional verb
        CodeCase{"\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA", kCodePageGbk, 0, 1},          // 及物动词
        CodeCase{"\xA4\xA3\xA4\xCE\xAA\xAB\xB0\xCA\xB5\xFC", kCodePageBig5, 0, 2}, // 不及物動詞
        CodeCase{"\xD0\xCE", kCodePageGbk, 2, 3},                                  // 形 alone
        CodeCase{"\xB8\xB1\xB4\xCA", kCodePageGbk, 3, 4},                          // 副词
        CodeCase{"\xD0", kCodePageGbk, 0, 0}, // one byte of a character
        // The same bytes mean other characters in the other code page: 名词 read as Big5.
        CodeCase{"\xC3\xFB\xB4\xCA", kCodePageBig5, 0, 0},
        // Big5 動 read as GBK is another character, not a verb.
        CodeCase{"\xB0\xCA\xB5\xFC", kCodePageGbk, 0, 0}));

TEST(PosLabelToCodeListTest, EveryListLabelGivesItsOwnCode)
{
    for (const auto language : {InterfaceLanguage::Simplified, InterfaceLanguage::Traditional,
                                InterfaceLanguage::English}) {
        const int codePage = LabelCodePageOf(language);
        const auto ec = EcPartOfSpeechLabels(language);
        for (std::size_t code = 0; code < ec.size(); ++code)
            EXPECT_EQ(PosLabelToCode(ec[code], EC, codePage), code) << ec[code];
        const auto ce = CePartOfSpeechLabels(language);
        for (std::size_t code = 0; code < ce.size(); ++code)
            EXPECT_EQ(PosLabelToCode(ce[code], CE, codePage), code) << ce[code];
    }
}

TEST(EngineWordToLabelTest, LabelsImportBackToTheSameWord)
{
    const char* const words[] = {"noun", "vt", "vi", "adj", "adv", "prep"};
    EXPECT_EQ(EngineWordToLabel("noun", kCodePageGbk), "\xC3\xFB\xB4\xCA"); // 名词
    EXPECT_EQ(EngineWordToLabel("vi", kCodePageGbk), "\xB2\xBB\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA");
    for (const int codePage : {kCodePageGbk, kCodePageBig5}) {
        for (std::size_t code = 0; code < std::size(words); ++code) {
            const std::string label = EngineWordToLabel(words[code], codePage);
            // Big5 lacks 词: a label written with '?' would come back as an unknown word.
            EXPECT_TRUE(IsRepresentable(WideFromCodePage(label, codePage), codePage)) << label;
            EXPECT_EQ(label.find(kDefaultChar), std::string::npos);
            EXPECT_EQ(PosLabelToCode(label, CE, codePage), code);
            Buffer16 buffer(label);
            PosLabelToEngineWord(buffer, codePage);
            EXPECT_EQ(buffer.view(), words[code]);
        }
    }
    // A word outside the six (and the comparison is case-sensitive) is written unchanged,
    // so an import hands the engine the same word back.
    EXPECT_EQ(EngineWordToLabel("v.", kCodePageGbk), "v.");
    EXPECT_EQ(EngineWordToLabel("Noun", kCodePageBig5), "Noun");
    EXPECT_EQ(EngineWordToLabel("", kCodePageGbk), "");
}

TEST(EngineExportLineTest, SplitsAtTheFirstTwoBackslashesAndDropsTheLastCharacter)
{
    const std::string apple = "\xC6\xBB\xB9\xFB"; // 苹果
    EXPECT_EQ(EngineExportLineToRecord("noun\\" + apple + "\\apple\\", kCodePageGbk),
              (EntryRecord{apple, "\xC3\xFB\xB4\xCA", "apple"}));
    EXPECT_EQ(EngineExportLineToRecord("vt\\\xB6\xC1\\read\\it\\", kCodePageGbk),
              (EntryRecord{"\xB6\xC1", "\xBC\xB0\xCE\xEF\xB6\xAF\xB4\xCA", "read\\it"}));
    // The trailing character may be missing after an empty target.
    EXPECT_EQ(EngineExportLineToRecord("noun\\w\\", kCodePageGbk),
              (EntryRecord{"w", "\xC3\xFB\xB4\xCA", ""}));
    EXPECT_EQ(EngineExportLineToRecord("v.\\w\\t\\", kCodePageGbk), (EntryRecord{"w", "v.", "t"}));
    // Fewer than two backslashes: no entry.
    EXPECT_FALSE(EngineExportLineToRecord("", kCodePageGbk));
    EXPECT_FALSE(EngineExportLineToRecord("noun apple", kCodePageGbk));
    EXPECT_FALSE(EngineExportLineToRecord("noun\\apple", kCodePageGbk));
}

TEST(EngineExportLineTest, Big5TrailBackslashBelongsToItsCharacter)
{
    const std::string xu = "\xB3\x5C";             // 許
    const std::string word = xu + "\xA5\x5C" + xu; // 許功許
    // The fields are views into the line: it must outlive them.
    const std::string line = "noun\\" + word + "\\" + xu + "\\";
    const auto fields = ParseEngineExportLine(line, kCodePageBig5);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->engineWord, "noun");
    EXPECT_EQ(fields->source, word);
    EXPECT_EQ(fields->target, xu); // the trailing backslash goes, 許 stays whole
    // A line whose only 0x5C bytes are trail bytes holds no entry.
    EXPECT_FALSE(ParseEngineExportLine("noun" + xu + xu, kCodePageBig5));
    // Read as GBK the same bytes are other characters, but 0x5C still trails B3.
    EXPECT_EQ(ParseEngineExportLine(line, kCodePageGbk)->source, word);
}

TEST(EngineExportLineTest, LongLineIsSplitWhole)
{
    const std::string source(127, 's');
    std::string target;
    for (int i = 0; i < 63; ++i)
        target += "\xB3\x5C"; // 126 bytes of 許
    target += "t";
    const std::string line = "0123456789abcde\\" + source + "\\" + target + "\\";
    ASSERT_GT(line.size(), 255u);
    const auto fields = ParseEngineExportLine(line, kCodePageBig5);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->engineWord, "0123456789abcde");
    EXPECT_EQ(fields->source, source);
    EXPECT_EQ(fields->target, target);
}

TEST(UnknownEcCodeTest, HashLabelsRoundTripEveryCodeOutsideTheList)
{
    const auto list = EcPartOfSpeechLabels(InterfaceLanguage::English);
    EXPECT_EQ(LabelOfEcCode(2, list), "Adj");
    EXPECT_EQ(LabelOfEcCode(7, list), "#7");
    for (int code = 0; code < 256; ++code) {
        const std::string label = LabelOfEcCode(static_cast<unsigned char>(code), list);
        const int index = code < static_cast<int>(list.size()) ? code : -1;
        EXPECT_EQ(EcCodeOfLabel(label, index), code) << label;
    }
    // Only "#" and a plain number up to 255 names a code; anything else is no code of the
    // list (255, which the engine refuses).
    for (const char* label : {"#", "#256", "#07", "#-1", "#1a", "# 7", "#0255", "7", "Verb"})
        EXPECT_EQ(EcCodeOfLabel(label, -1), 255) << label;
    EXPECT_EQ(EcCodeOfLabel("#0", -1), 0);
    EXPECT_EQ(EcCodeOfLabel("Verb", 1), 1);
}

} // namespace
} // namespace kelvara

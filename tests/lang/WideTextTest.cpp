#include "lang/WideText.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvara {
namespace {

TEST(WideTextTest, DecodesEachCodePageUpToTheTerminator)
{
    // The window title of each Chinese caption set.
    EXPECT_EQ(WideFromCodePage("\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4\xCE\xAC\xBB\xA4", kCodePageGbk),
              u"用户词典维护");
    EXPECT_EQ(WideFromCodePage("\xA5\xCE\xA4\xE1\xB5\xFC\xA8\xE5", kCodePageBig5), u"用戶詞典");
    EXPECT_EQ(WideFromCodePage("Custom Dictionary Utility", kCodePageGbk),
              u"Custom Dictionary Utility");
}

TEST(WideTextTest, TerminatorIsNotPartOfTheText)
{
    const char bytes[] = "ab\0cd";
    EXPECT_EQ(WideFromCodePage(bytes, kCodePageGbk), u"ab");
    EXPECT_EQ(WideFromCodePage(std::string_view(bytes, 5), kCodePageGbk), u"ab");
    EXPECT_EQ(WideFromCodePage(std::string_view("\xC4\xE3"), kCodePageGbk).size(), 1u);
    EXPECT_EQ(WideFromCodePage("", kCodePageBig5), u"");
    EXPECT_EQ(WideFromCodePage(static_cast<const char*>(nullptr), kCodePageGbk), u"");
}

TEST(WideTextTest, SameBytesMeanDifferentTextsPerCodePage)
{
    // A4A4 is 中 in Big5 and a kana in GBK.
    EXPECT_EQ(WideFromCodePage("\xA4\xA4", kCodePageBig5), u"中");
    EXPECT_NE(WideFromCodePage("\xA4\xA4", kCodePageGbk), u"中");
}

TEST(WideTextTest, UndecodableBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(WideFromCodePage("a\xFF"
                               "b",
                               kCodePageGbk),
              u"a\uFFFDb");
    EXPECT_EQ(WideFromCodePage("ab\xC4", kCodePageGbk), u"ab\uFFFD");
}

TEST(WideTextTest, SameTextComparesCharactersAcrossCodePages)
{
    // 中文 in GBK and in Big5.
    EXPECT_TRUE(SameText("\xD6\xD0\xCE\xC4", kCodePageGbk, "\xA4\xA4\xA4\xE5", kCodePageBig5));
    EXPECT_TRUE(SameText("noun", kCodePageGbk, "noun", kCodePageBig5));
    EXPECT_FALSE(SameText("\xA4\xA4", kCodePageGbk, "\xA4\xA4", kCodePageBig5));
    // Compared as texts: what follows a terminator does not count.
    EXPECT_TRUE(SameText(std::string_view("ab\0x", 4), kCodePageGbk, "ab", kCodePageGbk));
    // Bytes that decode to nothing are not a character: two different broken texts differ.
    EXPECT_FALSE(SameText("\x81 ", kCodePageGbk, "\x82 ", kCodePageGbk));
    EXPECT_FALSE(SameText("a\xFF", kCodePageGbk, "a\x80", kCodePageBig5));
    EXPECT_TRUE(SameText("a\xFF", kCodePageGbk, "a\xFF", kCodePageGbk));
}

} // namespace
} // namespace kelvara

#include "access/SenseList.h"
#include "access/CeSavePlan.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

using Senses = std::vector<Sense>;

TEST(SplitSenseListTest, LastSegmentFirst)
{
    EXPECT_EQ(SplitSenseList("(noun) apple(adj) red"), (Senses{{"adj", "red"}, {"noun", "apple"}}));
    EXPECT_EQ(SplitSenseList("junk (noun) apple "), (Senses{{"noun", "apple"}}));
    EXPECT_TRUE(SplitSenseList("no parentheses").empty());
    EXPECT_TRUE(SplitSenseList("").empty());
}

TEST(SplitSenseListTest, ParenthesesInsideTranslations)
{
    // A ")" in a translation gives one more row; a "(" starts a segment of its own.
    EXPECT_EQ(SplitSenseList("(noun) a)b"), (Senses{{"noun", "a)b"}, {"noun) a", "b"}}));
    EXPECT_EQ(SplitSenseList("(noun) a(b) c"), (Senses{{"b", "c"}, {"noun", "a"}}));
    EXPECT_EQ(SplitSenseList("(noun)"), (Senses{{"noun", ""}}));
    EXPECT_EQ(SplitSenseList("()x"), (Senses{{"", "x"}}));
}

TEST(SplitSenseTest, LabelTakesOneCharacterAfterParenthesis)
{
    EXPECT_EQ(SplitSense("(noun) apple"), (Sense{"noun", "apple"}));
    EXPECT_EQ(SplitSense(" (noun) apple  "), (Sense{"noun", "apple"}));
    // Without the blank the translation's first character lands in the label.
    EXPECT_EQ(SplitSense("(noun)apple"), (Sense{"noun)a", "pple"}));
    EXPECT_EQ(SplitSense("(noun)"), (Sense{"noun", ""}));
    EXPECT_EQ(SplitSense("apple"), (Sense{"", "apple"}));
}

TEST(ReadStoredSensesTest, ReadsOnlyWhatCanBeWrittenBackByteForByte)
{
    const auto senses = ReadStoredSenses("(noun) one(adj) red  ", kCodePageGbk);
    ASSERT_TRUE(senses);
    EXPECT_EQ(*senses, (std::vector<StoredSense>{{"noun", "one", "(noun) one"},
                                                 {"adj", "red  ", "(adj) red  "}}));
    EXPECT_TRUE(ReadStoredSenses("", kCodePageGbk)->empty());
    // Chinese labels of the platform code page are the engine's own.
    EXPECT_TRUE(ReadStoredSenses("(\xC3\xFB\xB4\xCA) \xC6\xBB\xB9\xFB", kCodePageGbk));

    // Each of these has a second reading, or cannot be added back as it is.
    for (const char* text : {"(noun) apple (fruit) tree", // a label no engine word stands for
                             "(noun) apple (adj) tree",   // a blank before "(": one translation?
                             "(noun) a)b(adj) red",       // Find shows two rows for one sense
                             "(noun)apple",               // no blank after ")"
                             "(noun) (adj) red",          // an empty translation
                             "junk(noun) one"})           // text before the first sense
        EXPECT_FALSE(ReadStoredSenses(text, kCodePageGbk)) << text;
}

TEST(PlanCeWordSaveTest, RemovesExactlyTheSenseARowWasFoundAs)
{
    const std::string stored = "(noun) one(adj) red(noun) two";
    const CeWordPlan plan =
        PlanCeWordSave(stored, {{'M', "noun", "changed", "(noun) two"}}, kCodePageGbk);
    ASSERT_TRUE(plan.writable);
    EXPECT_TRUE(plan.deleteFirst);
    EXPECT_EQ(plan.expectedPrefix, "(noun) one(adj) red");
    EXPECT_EQ(plan.adds, (std::vector<std::size_t>{0}));

    // Only "A" rows: nothing is deleted, whatever the stored text looks like.
    const CeWordPlan append =
        PlanCeWordSave("(noun) apple (fruit) tree", {{'A', "noun", "x", ""}}, kCodePageGbk);
    EXPECT_TRUE(append.writable);
    EXPECT_FALSE(append.deleteFirst);
    EXPECT_EQ(append.expectedPrefix, "(noun) apple (fruit) tree");

    // A deletion of a sense that is gone writes nothing; a modification of one is refused,
    // and so is any rewrite of a text with a second reading.
    const CeWordPlan gone =
        PlanCeWordSave(stored, {{'D', "noun", "", "(noun) three"}}, kCodePageGbk);
    EXPECT_TRUE(gone.writable);
    EXPECT_FALSE(gone.deleteFirst);
    EXPECT_FALSE(
        PlanCeWordSave(stored, {{'M', "noun", "x", "(noun) three"}}, kCodePageGbk).writable);
    EXPECT_FALSE(PlanCeWordSave("(noun) apple (fruit) tree(adj) red",
                                {{'M', "adj", "crimson", "(adj) red"}}, kCodePageGbk)
                     .writable);
}

} // namespace
} // namespace kelvara

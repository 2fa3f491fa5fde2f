#include "access/SenseList.h"

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

TEST(PlanCeRewriteTest, KeepsOtherSensesInStoredOrder)
{
    const CeRewritePlan plan = PlanCeRewrite("(n) one(vt) two(adj) three", "vt", {});
    EXPECT_TRUE(plan.found);
    EXPECT_TRUE(plan.safe);
    EXPECT_EQ(plan.keep, (Senses{{"n", "one"}, {"adj", "three"}}));

    const CeRewritePlan only = PlanCeRewrite("(n) one", "n", {});
    EXPECT_TRUE(only.found);
    EXPECT_TRUE(only.keep.empty());

    EXPECT_FALSE(PlanCeRewrite("(n) one", "adj", {}).found);
}

TEST(PlanCeRewriteTest, FallsBackToAnEquivalentLabel)
{
    const auto sameAsNoun = [](std::string_view l) { return l == "noun"; };
    const CeRewritePlan plan = PlanCeRewrite("(adj) red(noun) apple", "Noun", sameAsNoun);
    EXPECT_TRUE(plan.found);
    EXPECT_EQ(plan.keep, (Senses{{"adj", "red"}}));
}

TEST(PlanCeRewriteTest, UnsafeWhenAKeptSenseWouldChange)
{
    // A kept translation holding ")" or "(" would come back as other senses.
    EXPECT_FALSE(PlanCeRewrite("(n) one(adj) a)b", "n", {}).safe);
    // A missing blank after ")" would move a character into the label.
    EXPECT_FALSE(PlanCeRewrite("(n) one(adj)red", "n", {}).safe);
    // Text before the first "(" would be written as a sense of its own.
    EXPECT_FALSE(PlanCeRewrite("junk(n) one(adj) red", "adj", {}).safe);
    // The row's own stored segment holds more than the row shows.
    EXPECT_FALSE(PlanCeRewrite("(n) on)e(adj) red", "n", {}).safe);
    EXPECT_TRUE(PlanCeRewrite("(n) one (adj) red ", "adj", {}).safe);
}

TEST(PlanCeRewriteTest, SeveralSensesOfOneLabelNeedTheTarget)
{
    const std::string stored = "(n) one(adj) red(n) two";
    // Without the translation it is unknown which noun sense the row stands for.
    EXPECT_FALSE(PlanCeRewrite(stored, "n", {}).safe);
    EXPECT_FALSE(PlanCeRewrite(stored, "n", {}, "changed").safe);
    const CeRewritePlan plan = PlanCeRewrite(stored, "n", {}, "two");
    EXPECT_TRUE(plan.safe);
    EXPECT_EQ(plan.keep, (Senses{{"n", "one"}, {"adj", "red"}}));
}

} // namespace
} // namespace kelvara

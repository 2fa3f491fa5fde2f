#include "access/AccessFixture.h"
#include "lang/AccessMessages.h"

namespace kelvara {
namespace {

using Calls = std::vector<std::string>;
using Row = std::vector<std::string>;

class FindEcTest : public AccessTest
{
protected:
    FindEcTest() { openEc(); }
};

TEST_F(FindEcTest, OneSenseGivesOneRow)
{
    ec().entries = {{"apple", 0, gbk(u"苹果")}};
    access->MenuItemFindClick("apple");
    EXPECT_EQ(ec().calls, (Calls{"open /inst/ArticleS/UserS", "search apple", "next", "close"}));
    EXPECT_EQ(editor->dataRowCount(), 1);
    EXPECT_EQ(row(1), (Row{" ", "apple", gbk(u"名词"), gbk(u"苹果")}));
}

TEST_F(FindEcTest, EverySenseInOrderAndTheLastIsCurrent)
{
    ec().entries = {{"run", 1, "a"}, {"run", 0, "b"}, {"run", 4, "c"}};
    access->MenuItemFindClick("run");
    ASSERT_EQ(editor->dataRowCount(), 3);
    EXPECT_EQ(row(1)[2], gbk(u"动词"));
    EXPECT_EQ(row(3), (Row{" ", "run", gbk(u"介词"), "c"}));
    EXPECT_EQ(editor->currentRow(), 3);
}

TEST_F(FindEcTest, RefusedOpenStillCloses)
{
    ec().openResult = 0;
    editor->MenuItemAddClick("pear");
    prompts.saveAnswers = {SavePromptAnswer::No};
    access->MenuItemFindClick("apple");
    EXPECT_EQ(ec().calls, (Calls{"open /inst/ArticleS/UserS", "close"}));
    EXPECT_TRUE(editor->isPlaceholder());
    EXPECT_FALSE(editor->changed());
    // An empty grid alone would read as "not in the dictionary".
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, OpenFailedMessage(InterfaceLanguage::Simplified));
}

TEST_F(FindEcTest, SearchingTwiceShowsTheSameRows)
{
    ec().entries = {{"apple", 0, "x"}, {"apple", 2, "y"}};
    access->MenuItemFindClick("apple");
    access->MenuItemFindClick("apple");
    EXPECT_EQ(editor->dataRowCount(), 2);
    EXPECT_EQ(editor->mark(1), " ");
    EXPECT_FALSE(editor->changed());
    EXPECT_EQ(prompts.savePromptsShown, 0) << "nothing changed, nothing to ask";
}

TEST_F(FindEcTest, PendingRowsPassTheSavePromptFirst)
{
    ec().entries = {{"apple", 0, "x"}};

    // Cancel: the grid keeps its unsaved row and the engine is not asked.
    editor->MenuItemAddClick("pear");
    ec().calls.clear();
    prompts.saveAnswers = {SavePromptAnswer::Cancel};
    access->MenuItemFindClick("apple");
    EXPECT_EQ(prompts.savePromptsShown, 1);
    EXPECT_TRUE(ec().calls.empty());
    EXPECT_EQ(row(1)[0], "A");
    EXPECT_TRUE(editor->changed());

    // No: the row is dropped and Find runs.
    prompts.saveAnswers = {SavePromptAnswer::No};
    access->MenuItemFindClick("apple");
    EXPECT_EQ(prompts.savePromptsShown, 2);
    EXPECT_EQ(editor->dataRowCount(), 1);
    EXPECT_EQ(row(1)[1], "apple");
    EXPECT_FALSE(editor->changed());

    // Yes: the row is written first, then Find shows what the dictionary holds.
    editor->MenuItemAddClick("pear");
    ec().calls.clear();
    prompts.saveAnswers = {SavePromptAnswer::Yes};
    access->MenuItemFindClick("apple");
    ASSERT_GE(ec().calls.size(), 3u);
    EXPECT_EQ(ec().calls[1].rfind("modify A|pear|", 0), 0u) << ec().calls[1];
    EXPECT_EQ(row(1)[1], "apple");
    EXPECT_FALSE(editor->changed());
}

TEST_F(FindEcTest, AnOpenCellEditEndsWithTheRowsItWasOn)
{
    // The source of an added row is open for editing when Find replaces the rows: the edit
    // must not carry over to the source of the stored row that takes the row's place, where
    // Modify is never available (a changed source would make the save modify another entry).
    ec().entries = {{"pear", 0, "x"}};
    editor->MenuItemAddClick("apple");
    ASSERT_TRUE(editor->selectCell(kColSource, 1));
    ASSERT_TRUE(editor->MenuItemModifyClick());
    ASSERT_EQ(editor->mode(), EditMode::Editing);
    prompts.saveAnswers = {SavePromptAnswer::No};
    access->MenuItemFindClick("pear");
    ASSERT_EQ(row(1), (Row{" ", "pear", gbk(u"名词"), "x"}));
    EXPECT_EQ(editor->mode(), EditMode::Browsing);

    // Likewise the drop-down of an added row's part of speech.
    editor->MenuItemAddClick("plum");
    ASSERT_TRUE(editor->selectCell(kColPartOfSpeech, 2));
    ASSERT_TRUE(editor->MenuItemModifyClick());
    ASSERT_TRUE(editor->typeComboVisible());
    prompts.saveAnswers = {SavePromptAnswer::No};
    access->MenuItemFindClick("pear");
    EXPECT_FALSE(editor->typeComboVisible());
}

TEST_F(FindEcTest, UnknownCodeSurvivesASave)
{
    // A code outside the list shows as "#7"; saving the row sends 7 again, not 255.
    ec().entries = {{"odd", 7, "x"}};
    access->MenuItemFindClick("odd");
    EXPECT_EQ(row(1)[2], "#7");
    editor->setMark(1, "M");
    editor->setChanged(true);
    ec().calls.clear();
    access->MenuItemSaveClick();
    EXPECT_EQ(ec().calls[1], "modify M|odd|7|x");
}

TEST_F(FindEcTest, TooLongSearchTermIsRefusedBeforeAnything)
{
    editor->MenuItemAddClick("pear");
    access->MenuItemFindClick(std::string(256, 'a'));
    EXPECT_TRUE(ec().calls.empty());
    EXPECT_EQ(row(1)[1], "pear");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              SearchTermTooLongMessage(InterfaceLanguage::Simplified, 255));

    EXPECT_EQ(prompts.savePromptsShown, 0) << "refused before the prompt";

    prompts.saveAnswers = {SavePromptAnswer::No};
    access->MenuItemFindClick(std::string(255, 'a'));
    EXPECT_EQ(ec().calls.size(), 3u);
}

class FindCeTest : public AccessTest
{
protected:
    FindCeTest() { openCe(); }
};

TEST_F(FindCeTest, SegmentsInReverseOrderWithBracketedRetrieve)
{
    const std::string word = gbk(u"跑");
    ce().senses[word] = "(" + gbk(u"名词") + ") run(" + gbk(u"动词") + ") to run";
    access->MenuItemFindClick(word);
    EXPECT_EQ(ce().calls,
              (Calls{"open /inst/ArticleS/", "mark", "retrieve " + word, "release 41", "close"}));
    ASSERT_EQ(editor->dataRowCount(), 2);
    EXPECT_EQ(row(1), (Row{" ", word, gbk(u"动词"), "to run"}));
    EXPECT_EQ(row(2), (Row{" ", word, gbk(u"名词"), "run"}));
    EXPECT_EQ(editor->currentRow(), 2);
    EXPECT_FALSE(editor->changed());
}

TEST_F(FindCeTest, NotFoundAndRefusedOpen)
{
    access->MenuItemFindClick("nothing");
    EXPECT_EQ(ce().calls.back(), "close");
    EXPECT_TRUE(editor->isPlaceholder());

    ce().calls.clear();
    ce().openResult = 0;
    editor->MenuItemAddClick("x");
    prompts.saveAnswers = {SavePromptAnswer::No};
    access->MenuItemFindClick("x");
    EXPECT_EQ(ce().calls, (Calls{"open /inst/ArticleS/"})); // no close after a failed dicopen
    EXPECT_TRUE(editor->isPlaceholder());
    EXPECT_FALSE(editor->changed());
}

TEST_F(FindCeTest, TextBeforeTheFirstParenthesisIsNotShown)
{
    ce().senses["w"] = "stray (noun) one";
    access->MenuItemFindClick("w");
    EXPECT_EQ(editor->dataRowCount(), 1);
    EXPECT_EQ(row(1)[3], "one");
}

TEST_F(FindCeTest, TooLongSearchTermIsRefused)
{
    access->MenuItemFindClick(std::string(128, 'a'));
    EXPECT_TRUE(ce().calls.empty());
    EXPECT_EQ(prompts.messages.size(), 1u);
}

class FindCeEnglishTest : public AccessTest
{
protected:
    FindCeEnglishTest() : AccessTest(InterfaceLanguage::English) { openCe(); }
};

TEST_F(FindCeEnglishTest, ChineseLabelsBecomeEnglishExceptVerb)
{
    ce().senses["w"] = "(" + gbk(u"名词") + ") one(" + gbk(u"动词") + ") two";
    access->MenuItemFindClick("w");
    EXPECT_EQ(row(1)[2], gbk(u"动词"));
    EXPECT_EQ(row(2)[2], "Noun");
}

} // namespace
} // namespace kelvara

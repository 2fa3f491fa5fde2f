// A C-E save over an engine that refuses some senses: a sense stored under other rules, an add
// refused in the middle of rewriting a word. Nothing of a word may be lost, and nothing shown
// as stored that the dictionary does not hold.

#include "access/EngineSessionFixture.h"
#include "lang/AccessMessages.h"

namespace kelvara {
namespace {

// 寶 in GBK: 8C 9A. 0x9A is no Big5 trail byte, so the Traditional engine refuses the text.
const std::string kGbkOnly = "\x8C\x9A";
// 字 in Big5.
const std::string kWord = "\xA6\x72";

class CeSaveRefusalTest : public EngineSessionTest,
                          public ::testing::WithParamInterface<bool> // the engine has diccheck
{
protected:
    /// A Traditional installation whose word holds three senses, the middle one written on
    /// the Simplified platform.
    void installWordFromTheOtherPlatform()
    {
        install("lang_tc.ini", true);
        storeAsAnotherProgram(kWord, {{"noun", "one"}, {"vt", kGbkOnly}, {"adj", "three"}});
        refuseCeAdds(GetParam(), true);
        access->ActionFileOpenCeExecute();
        stored = senseListOf(kWord);
        ASSERT_NE(stored.find(kGbkOnly), std::string::npos);
    }

    /// Find shows the last sense first: row 3 is "one".
    void findAndDeleteOne()
    {
        access->MenuItemFindClick(kWord);
        ASSERT_EQ(editor->dataRowCount(), 3);
        ASSERT_EQ(editor->cell(kColTarget, 3), "one");
        ASSERT_TRUE(editor->selectCell(kColTarget, 3));
        ASSERT_TRUE(editor->MenuItemDeleteClick());
        ASSERT_EQ(editor->mark(3), "D");
    }

    std::string stored;
};

TEST_P(CeSaveRefusalTest, ASenseTheEngineNowRefusesKeepsTheWordWhole)
{
    installWordFromTheOtherPlatform();
    findAndDeleteOne();
    access->MenuItemSaveClick();

    EXPECT_EQ(senseListOf(kWord), stored) << "no sense of the word may be lost";
    EXPECT_EQ(RefusingCeEngine::instance().refusedAdds, 0) << "nothing is deleted to find out";
    ASSERT_EQ(editor->dataRowCount(), 3);
    EXPECT_EQ(editor->mark(3), "E");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, RowsNotWrittenMessage(InterfaceLanguage::Traditional, 1));
}

TEST_P(CeSaveRefusalTest, AReAddRefusedOnceGetsTheWordPutBack)
{
    install("lang_sc.ini");
    refuseCeAdds(GetParam(), true);
    const std::string word = gbk(u"书");
    access->ActionFileOpenCeExecute();
    for (const char* t : {"one", "two", "three"}) {
        ASSERT_TRUE(editor->MenuItemAddClick(word));
        type(kColTarget, editor->currentRow(), t);
    }
    access->MenuItemSaveClick();
    stored = senseListOf(word);
    ASSERT_NE(stored.find("three"), std::string::npos);

    access->MenuItemFindClick(word);
    type(kColTarget, 1, "drei"); // row 1 is "three"
    // The first re-add (of "one", after the delete) is refused; the engine takes the rest.
    RefusingCeEngine::instance().refuseNextAdds = 1;
    access->MenuItemSaveClick();

    EXPECT_EQ(senseListOf(word), stored) << "the word is back as it was";
    EXPECT_EQ(RefusingCeEngine::instance().aborts, 0);
    EXPECT_EQ(editor->mark(1), "E");
    EXPECT_EQ(editor->cell(kColTarget, 1), "drei");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, RowsNotWrittenMessage(InterfaceLanguage::Simplified, 1));
}

TEST_P(CeSaveRefusalTest, AWordThatCannotBePutBackAbandonsTheWholeSave)
{
    install("lang_sc.ini");
    refuseCeAdds(GetParam(), true);
    const std::string first = gbk(u"书");
    const std::string second = gbk(u"药");
    access->ActionFileOpenCeExecute();
    for (const char* t : {"one", "two"}) {
        ASSERT_TRUE(editor->MenuItemAddClick(first));
        type(kColTarget, editor->currentRow(), t);
    }
    access->MenuItemSaveClick();
    const std::string firstBefore = senseListOf(first);

    access->MenuItemFindClick(first);
    ASSERT_TRUE(editor->selectCell(kColTarget, 1));
    ASSERT_TRUE(editor->MenuItemDeleteClick()); // "two"
    ASSERT_TRUE(editor->MenuItemAddClick(second));
    type(kColTarget, editor->currentRow(), "pill");
    // Every add fails from now on, the put-back's too: a full disk, a lost lock.
    RefusingCeEngine::instance().refusedPerMille = 1000;
    access->MenuItemSaveClick();
    RefusingCeEngine::instance().refusedPerMille = 0;

    EXPECT_EQ(RefusingCeEngine::instance().aborts, 1);
    EXPECT_EQ(senseListOf(first), firstBefore);
    EXPECT_EQ(senseListOf(second), "");
    // Nothing was stored, so every row still asks what it asked.
    ASSERT_EQ(editor->dataRowCount(), 3);
    EXPECT_EQ(editor->mark(1), "D");
    EXPECT_EQ(editor->mark(3), "A");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text,
              DictionaryNotWrittenMessage(InterfaceLanguage::Simplified));

    // The next save, with the engine well again, writes both words.
    access->MenuItemSaveClick();
    EXPECT_EQ(senseListOf(first), "(" + gbk(u"名词") + ") one");
    EXPECT_NE(senseListOf(second).find("pill"), std::string::npos);
    EXPECT_FALSE(editor->changed());
}

INSTANTIATE_TEST_SUITE_P(EngineChecks, CeSaveRefusalTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "diccheck" : "rules"; });

class CeSaveWithoutAbortTest : public EngineSessionTest
{
};

TEST_F(CeSaveWithoutAbortTest, AWordThatCannotBePutBackIsMarkedAndTheRestWaits)
{
    install("lang_sc.ini");
    refuseCeAdds(true, false);
    const std::string first = gbk(u"书");
    const std::string second = gbk(u"药");
    access->ActionFileOpenCeExecute();
    for (const char* t : {"one", "two"}) {
        ASSERT_TRUE(editor->MenuItemAddClick(first));
        type(kColTarget, editor->currentRow(), t);
    }
    access->MenuItemSaveClick();

    access->MenuItemFindClick(first);
    type(kColTarget, 1, "zwei");
    ASSERT_TRUE(editor->MenuItemAddClick(second));
    type(kColTarget, editor->currentRow(), "pill");
    RefusingCeEngine::instance().refusedPerMille = 1000;
    access->MenuItemSaveClick();
    RefusingCeEngine::instance().refusedPerMille = 0;

    // The engine cannot abandon the open: no row of the word is shown as stored (its found
    // senses may be gone too), the message says so, and the word after it was not touched
    // and still waits.
    EXPECT_EQ(editor->mark(1), "E");
    EXPECT_EQ(editor->mark(2), "E");
    EXPECT_EQ(editor->mark(3), "A");
    EXPECT_EQ(senseListOf(second), "");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, WordsNotRestoredMessage(InterfaceLanguage::Simplified, 1));

    access->MenuItemSaveClick();
    EXPECT_NE(senseListOf(second).find("pill"), std::string::npos);
    EXPECT_EQ(editor->mark(3), " ");
}

} // namespace
} // namespace kelvara

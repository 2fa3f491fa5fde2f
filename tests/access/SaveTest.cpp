#include "access/AccessFixture.h"
#include "access/CellInputCheck.h"
#include "lang/AccessMessages.h"

namespace kelvara::test {
namespace {

using Calls = std::vector<std::string>;
using Row = std::vector<std::string>;

class SaveEcTest : public AccessTest {
protected:
    SaveEcTest() { openEc(); }

    void putRow(std::string mark, std::string source, std::string label, std::string target)
    {
        editor->AddEntryRow(mark, source, label, target);
        editor->setChanged(true);
    }
};

TEST_F(SaveEcTest, WritesOnlyMarkedRowsAndDropsDoneDeletions)
{
    putRow("A", "apple", gbk(u"名词"), "x");
    putRow(" ", "pear", gbk(u"名词"), "y");
    putRow("D", "plum", gbk(u"形容词"), "z");
    access->MenuItemSaveClick();
    EXPECT_EQ(ec().calls, (Calls{"open /inst/ArticleS/UserS", "modify A|apple|0|x",
                                 "modify D|plum|2|z", "close"}));
    ASSERT_EQ(editor->dataRowCount(), 2);
    EXPECT_EQ(row(1), (Row{" ", "apple", gbk(u"名词"), "x"}));
    EXPECT_EQ(row(2)[0], " ");
    EXPECT_FALSE(editor->changed());
}

TEST_F(SaveEcTest, RefusedRowIsMarkedAndNotResent)
{
    putRow("M", "apple", gbk(u"动词"), "new");
    ec().modifyResults = {0};
    access->MenuItemSaveClick();
    EXPECT_EQ(row(1)[0], "E");
    EXPECT_FALSE(editor->changed());
    ASSERT_EQ(prompts.messages.size(), 1u) << "the refusal is said, not only marked";
    EXPECT_EQ(prompts.messages[0].text, RowsRefusedMessage(InterfaceLanguage::Simplified, 1));

    ec().calls.clear();
    editor->setChanged(true);
    access->MenuItemSaveClick();
    EXPECT_EQ(ec().calls, (Calls{"open /inst/ArticleS/UserS", "close"}));
}

TEST_F(SaveEcTest, UnknownLabelIsCode255)
{
    putRow("A", "apple", "Noun", "x"); // an English label under the Simplified interface
    access->MenuItemSaveClick();
    EXPECT_EQ(ec().calls[1], "modify A|apple|255|x");
}

TEST_F(SaveEcTest, EmptyPathShowsMessageAndStillCloses)
{
    state.ecPath.clear();
    putRow("A", "apple", gbk(u"名词"), "x");
    access->MenuItemSaveClick();
    EXPECT_EQ(ec().calls, (Calls{"close"}));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, u"无法打开用户词典！");
    EXPECT_EQ(row(1)[0], "A");
}

TEST_F(SaveEcTest, RefusedOpenChangesNothing)
{
    putRow("A", "apple", gbk(u"名词"), "x");
    ec().openResult = 0;
    access->MenuItemSaveClick();
    EXPECT_EQ(ec().calls, (Calls{"open /inst/ArticleS/UserS", "close"}));
    EXPECT_EQ(row(1)[0], "A");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts.messages.size(), 1u) << "a save that wrote nothing says so";
    EXPECT_EQ(prompts.messages[0].text, OpenFailedMessage(InterfaceLanguage::Simplified));
}

TEST_F(SaveEcTest, TooLongTextIsRefusedNotCut)
{
    putRow("A", "apple", gbk(u"名词"), std::string(256, 'x'));
    putRow("A", "pear", gbk(u"名词"), std::string(255, 'y'));
    access->MenuItemSaveClick();
    ASSERT_EQ(ec().calls.size(), 3u);
    EXPECT_EQ(ec().calls[1].substr(0, 12), "modify A|pea");
    EXPECT_EQ(row(1)[0], "E");
    EXPECT_EQ(row(2)[0], " ");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, RowsNotWrittenMessage(InterfaceLanguage::Simplified, 1));
}

TEST_F(SaveEcTest, OpenCellEditEndsWithoutRemarkingTheRow)
{
    putRow(" ", "apple", gbk(u"名词"), "old");
    editor->selectCell(kColTarget, 1);
    editor->EditCurrentCell();
    editor->StringGridDictSetEditText(kColTarget, 1, "new");
    ASSERT_EQ(editor->mark(1), "M");
    access->MenuItemSaveClick();
    EXPECT_EQ(editor->mark(1), " ");
    EXPECT_EQ(editor->editBaseline(), "new");
    EXPECT_EQ(editor->mode(), EditMode::Browsing);
    EXPECT_EQ(editor->currentColumn(), kColTarget);
    EXPECT_FALSE(editor->changed());
}

TEST_F(SaveEcTest, EveryRowDroppedLeavesThePlaceholder)
{
    putRow("D", "apple", gbk(u"名词"), "x");
    putRow("d", "pear", gbk(u"名词"), "y");
    access->MenuItemSaveClick();
    EXPECT_TRUE(editor->isPlaceholder());
    EXPECT_EQ(editor->rowCount(), 2);
}

class SaveCeTest : public AccessTest {
protected:
    SaveCeTest() { openCe(); }

    void putRow(std::string mark, std::string source, std::string label, std::string target)
    {
        editor->AddEntryRow(mark, source, label, target);
        editor->setChanged(true);
    }
    /// The calls without the stack-mark brackets, after checking that every retrieve,
    /// delete and add is bracketed by mark and release of the same mark.
    Calls bracketedCalls()
    {
        Calls out;
        const Calls& c = ce().calls;
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (c[i].starts_with("retrieve") || c[i].starts_with("delete") || c[i].starts_with("add")) {
                EXPECT_TRUE(i > 0 && c[i - 1] == "mark") << c[i];
                EXPECT_TRUE(i + 1 < c.size() && c[i + 1] == "release 41") << c[i];
            }
            if (c[i] != "mark" && !c[i].starts_with("release"))
                out.push_back(c[i]);
        }
        return out;
    }

    const std::string word = gbk(u"打");
    const std::string noun = gbk(u"名词");
    const std::string vt = gbk(u"及物动词");
    const std::string adj = gbk(u"形容词");
};

TEST_F(SaveCeTest, ModifiedSenseReplacesItsStoredSenseLast)
{
    ce().senses[word] = "(" + noun + ") one(" + vt + ") two(" + adj + ") three";
    putRow("M", word, vt, "changed");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "delete " + word,
                     "add " + word + "|noun|one", "add " + word + "|adj|three",
                     "add " + word + "|vt|changed", "close"}));
    EXPECT_EQ(row(1)[0], " ");
    EXPECT_FALSE(editor->changed());
}

TEST_F(SaveCeTest, DeletingTheOnlySense)
{
    ce().senses[word] = "(" + noun + ") one";
    putRow("D", word, noun, "one");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "delete " + word, "close"}));
    EXPECT_TRUE(editor->isPlaceholder());
}

TEST_F(SaveCeTest, AddingANewWord)
{
    putRow("A", word, noun, "one");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "retrieve " + word,
                                       "add " + word + "|noun|one", "close"}));
}

TEST_F(SaveCeTest, EmptyTargetIsPassedOverAndShownStored)
{
    putRow("A", word, noun, "");
    putRow(" ", word, noun, "x");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "close"}));
    EXPECT_EQ(row(1)[0], " ");
}

TEST_F(SaveCeTest, DeletionOfASenseWithEmptyTargetIsWritten)
{
    // A stored sense with nothing after ")" must be deletable, not just vanish from the grid.
    ce().senses[word] = "(" + noun + ") one(" + adj + ")";
    putRow("D", word, adj, "");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "retrieve " + word,
                                       "delete " + word, "add " + word + "|noun|one", "close"}));
    EXPECT_TRUE(editor->isPlaceholder());
}

TEST_F(SaveCeTest, RefusedOpenChangesNothing)
{
    putRow("A", word, noun, "one");
    ce().openResult = 0;
    access->MenuItemSaveClick();
    EXPECT_EQ(ce().calls, (Calls{"open /inst/ArticleS/"}));
    EXPECT_EQ(row(1)[0], "A");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts.messages.size(), 1u) << "a save that wrote nothing says so";
    EXPECT_EQ(prompts.messages[0].text, OpenFailedMessage(InterfaceLanguage::Simplified));
}

TEST_F(SaveCeTest, MarksAfterSaveAndPlaceholder)
{
    putRow("d", word, noun, "x");
    putRow("D", gbk(u"无"), noun, "y"); // not stored: nothing to delete
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "retrieve " + gbk(u"无"), "close"}));
    EXPECT_TRUE(editor->isPlaceholder());
}

TEST_F(SaveCeTest, UnsafeStoredSensesAreNotRewritten)
{
    // The stored "(adj) a)b" cannot be added back as it is: the row is refused, nothing deleted.
    ce().senses[word] = "(" + noun + ") one(" + adj + ") a)b";
    putRow("M", word, noun, "changed");
    putRow("A", gbk(u"新"), noun, "fine");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "retrieve " + gbk(u"新"),
                     "add " + gbk(u"新") + "|noun|fine", "close"}));
    EXPECT_EQ(row(1)[0], "E");
    EXPECT_EQ(row(2)[0], " ");
    EXPECT_EQ(prompts.messages.size(), 1u);

    // A refused row is not written, and not shown as stored, by the next save either.
    ce().calls.clear();
    editor->setChanged(true);
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "close"}));
    EXPECT_EQ(row(1)[0], "E");
}

TEST_F(SaveCeTest, OneOfTwoSensesWithTheSameLabel)
{
    // Two stored noun senses: deleting the row of the second removes that one; modifying a
    // row cannot tell which it was and is refused rather than replacing the wrong one.
    ce().senses[word] = "(" + noun + ") one(" + noun + ") two";
    putRow("D", word, noun, "two");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "retrieve " + word,
                                       "delete " + word, "add " + word + "|noun|one", "close"}));

    ce().senses[word] = "(" + noun + ") one(" + noun + ") two";
    ce().calls.clear();
    putRow("M", word, noun, "changed");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "retrieve " + word, "close"}));
    EXPECT_EQ(row(1)[0], "E");
}

TEST_F(SaveCeTest, TargetsWithParenthesesOrTooLongAreRefused)
{
    putRow("A", word, noun, "a (b)");
    putRow("A", word, noun, std::string(128, 'x'));
    putRow("A", std::string(128, 'w'), noun, "x");
    putRow("A", "a\\b", noun, "x"); // the export line could not carry the word
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "close"}));
    EXPECT_EQ(row(1)[0], "E");
    EXPECT_EQ(row(2)[0], "E");
    EXPECT_EQ(row(3)[0], "E");
    EXPECT_EQ(row(4)[0], "E");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, RowsNotWrittenMessage(InterfaceLanguage::Simplified, 4));
}

TEST(CellInputCheckTest, ParenthesesAndLengthsPerKind)
{
    const auto L = InterfaceLanguage::English;
    EXPECT_TRUE(CheckCellInput(DictionaryKind::CE, L, kColTarget, "apple").empty());
    EXPECT_EQ(CheckCellInput(DictionaryKind::CE, L, kColTarget, "apple (red)"),
              CeTargetParenthesisHint(L));
    EXPECT_TRUE(CheckCellInput(DictionaryKind::EC, L, kColTarget, "apple (red)").empty());
    EXPECT_TRUE(CheckCellInput(DictionaryKind::CE, L, kColTarget, std::string(127, 'x')).empty());
    EXPECT_EQ(CheckCellInput(DictionaryKind::CE, L, kColSource, std::string(128, 'x')),
              TextTooLongHint(L, 127));
    EXPECT_TRUE(CheckCellInput(DictionaryKind::EC, L, kColSource, std::string(255, 'x')).empty());
    EXPECT_FALSE(CheckCellInput(DictionaryKind::EC, L, kColTarget, std::string(256, 'x')).empty());
    // A backslash cannot stand in a C-E word (the export line's separator), but the Big5
    // character B3 5C, whose trail byte is 0x5C, can; an E-C source may hold one.
    EXPECT_EQ(CheckCellInput(DictionaryKind::CE, L, kColSource, "a\\b"), CeSourceBackslashHint(L));
    EXPECT_TRUE(CheckCellInput(DictionaryKind::CE, L, kColSource, "\xB3\x5C").empty());
    EXPECT_TRUE(CheckCellInput(DictionaryKind::CE, L, kColTarget, "a\\b").empty());
    EXPECT_TRUE(CheckCellInput(DictionaryKind::EC, L, kColSource, "a\\b").empty());
}

class SaveCeEnglishTest : public SaveCeTest {
protected:
    SaveCeEnglishTest()
    {
        startup.language = InterfaceLanguage::English;
        editor = std::make_unique<EntryEditor>(InterfaceLanguage::English, kCodePageGbk);
        access = std::make_unique<DictionaryAccess>(startup, state, *editor, prompts);
        prompts.editor = editor.get();
        prompts.access = access.get();
        openCe();
    }
};

TEST_F(SaveCeEnglishTest, EnglishLabelLooksForItselfFirst)
{
    ce().senses[word] = "(Noun) one(" + adj + ") two";
    putRow("M", word, "Noun", "changed");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "delete " + word,
                     "add " + word + "|adj|two", "add " + word + "|noun|changed", "close"}));
}

TEST_F(SaveCeEnglishTest, EnglishLabelReplacesTheChineseStoredSense)
{
    // Find shows the stored "名词" as "Noun"; the save must replace that sense, not add a
    // second noun sense beside it.
    ce().senses[word] = "(" + noun + ") one(" + adj + ") two";
    access->MenuItemFindClick(word);
    ASSERT_EQ(row(2)[2], "Noun");
    editor->selectCell(kColTarget, 2);
    editor->EditCurrentCell();
    editor->StringGridDictSetEditText(kColTarget, 2, "changed");
    ce().calls.clear();
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "delete " + word,
                     "add " + word + "|adj|two", "add " + word + "|noun|changed", "close"}));
}

} // namespace
} // namespace kelvara::test

#include "access/AccessFixture.h"
#include "access/CellInputCheck.h"
#include "lang/AccessMessages.h"

namespace kelvara {
namespace {

using Calls = std::vector<std::string>;
using Row = std::vector<std::string>;

class SaveEcTest : public AccessTest
{
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
    EXPECT_TRUE(editor->changed()) << "an edit the engine refused is still unsaved";
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

TEST_F(SaveEcTest, FailedCommitShowsNothingAsStored)
{
    putRow("A", "apple", gbk(u"名词"), "x");
    putRow("D", "plum", gbk(u"形容词"), "z");
    ec().closeResult = 0; // the engine rolled everything back
    access->MenuItemSaveClick();
    EXPECT_EQ(row(1)[0], "A");
    EXPECT_EQ(row(2)[0], "D");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, DictionaryNotWrittenMessage(InterfaceLanguage::Simplified));
}

TEST_F(SaveEcTest, EveryRowDroppedLeavesThePlaceholder)
{
    putRow("D", "apple", gbk(u"名词"), "x");
    putRow("d", "pear", gbk(u"名词"), "y");
    access->MenuItemSaveClick();
    EXPECT_TRUE(editor->isPlaceholder());
    EXPECT_EQ(editor->rowCount(), 2);
}

class SaveCeTest : public AccessTest
{
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
            if (c[i].starts_with("retrieve") || c[i].starts_with("delete") ||
                c[i].starts_with("add")) {
                EXPECT_TRUE(i > 0 && c[i - 1] == "mark") << c[i];
                EXPECT_TRUE(i + 1 < c.size() && c[i + 1] == "release 41") << c[i];
            }
            if (c[i] != "mark" && !c[i].starts_with("release"))
                out.push_back(c[i]);
        }
        return out;
    }

    /// Find, which gives each row the stored sense it stands for; the calls start afresh.
    void find(const std::string& text)
    {
        access->MenuItemFindClick(text);
        ce().calls.clear();
    }
    /// The user's Modify on a row's target.
    void modifyTarget(int r, const std::string& text)
    {
        ASSERT_TRUE(editor->selectCell(kColTarget, r));
        ASSERT_TRUE(editor->MenuItemModifyClick());
        editor->StringGridDictSetEditText(kColTarget, r, text);
    }

    const std::string word = gbk(u"打");
    const std::string noun = gbk(u"名词");
    const std::string vt = gbk(u"及物动词");
    const std::string adj = gbk(u"形容词");
};

TEST_F(SaveCeTest, ModifiedSenseReplacesItsStoredSenseLast)
{
    ce().senses[word] = "(" + noun + ") one(" + vt + ") two(" + adj + ") three";
    find(word); // rows: three, two, one
    modifyTarget(2, "changed");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "delete " + word,
                     "add " + word + "|noun|one", "add " + word + "|adj|three",
                     "add " + word + "|vt|changed", "retrieve " + word, "close"}));
    EXPECT_EQ(ce().senses[word], "(" + noun + ") one(" + adj + ") three(" + vt + ") changed");
    EXPECT_EQ(row(2), (Row{" ", word, vt, "changed"}));
    EXPECT_FALSE(editor->changed());
}

TEST_F(SaveCeTest, DeletingTheOnlySense)
{
    ce().senses[word] = "(" + noun + ") one";
    find(word);
    ASSERT_TRUE(editor->MenuItemDeleteClick());
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "retrieve " + word, "delete " + word,
                                       "retrieve " + word, "close"}));
    EXPECT_TRUE(editor->isPlaceholder());
}

TEST_F(SaveCeTest, AddNeverRemovesAStoredSense)
{
    // "书" stored as the noun "book": adding the noun "volume" gives the word both senses.
    ce().senses[word] = "(" + noun + ") book";
    find(word);
    putRow("A", word, noun, "volume");
    putRow("A", word, noun, "tome");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "add " + word + "|noun|volume",
                     "add " + word + "|noun|tome", "retrieve " + word, "close"}));
    EXPECT_EQ(ce().senses[word], "(" + noun + ") book(" + noun + ") volume(" + noun + ") tome");
    EXPECT_EQ(editor->countRowsMarked(" "), 3);
}

TEST_F(SaveCeTest, RowsThatCannotBeWrittenAreNotShownStored)
{
    putRow("A", word, noun, "");  // no translation
    putRow("A", word, "", "x");   // no part of speech
    putRow("M", word, noun, "y"); // not found anywhere: no stored sense to replace
    putRow(" ", word, noun, "x");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "retrieve " + word, "close"}));
    EXPECT_EQ(editor->countRowsMarked("E"), 3);
    EXPECT_EQ(row(4)[0], " ");
    EXPECT_TRUE(editor->changed()) << "unwritten edits are still unsaved";
}

TEST_F(SaveCeTest, ChangingASenseIntoAnotherStoredOneLeavesItOnce)
{
    ce().senses[word] = "(" + noun + ") a(" + noun + ") b";
    find(word); // rows: b, a
    modifyTarget(2, "b");
    access->MenuItemSaveClick();
    EXPECT_EQ(ce().senses[word], "(" + noun + ") b");
    ASSERT_EQ(editor->dataRowCount(), 1) << "one stored sense, one row";
    EXPECT_EQ(row(1), (Row{" ", word, noun, "b"}));
}

TEST_F(SaveCeTest, OneOfTwoSensesWithTheSameLabel)
{
    ce().senses[word] = "(" + noun + ") one(" + noun + ") two";
    find(word); // rows: two, one
    modifyTarget(2, "changed");
    editor->selectCell(kColTarget, 1);
    ASSERT_TRUE(editor->MenuItemDeleteClick());
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "delete " + word,
                     "add " + word + "|noun|changed", "retrieve " + word, "close"}));
    ASSERT_EQ(editor->dataRowCount(), 1);
    EXPECT_EQ(row(1), (Row{" ", word, noun, "changed"}));
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

TEST_F(SaveCeTest, FailedCommitShowsNothingAsStored)
{
    ce().senses[word] = "(" + noun + ") one";
    find(word);
    modifyTarget(1, "changed");
    putRow("A", gbk(u"新"), noun, "fine");
    ce().closeResult = 0; // the engine rolled everything back
    access->MenuItemSaveClick();
    EXPECT_EQ(row(1)[0], "M");
    EXPECT_EQ(row(2)[0], "A");
    EXPECT_TRUE(editor->changed());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, DictionaryNotWrittenMessage(InterfaceLanguage::Simplified));
}

TEST_F(SaveCeTest, DeletingASenseAnotherProgramRemovedWritesNothing)
{
    ce().senses[word] = "(" + noun + ") one";
    find(word);
    ASSERT_TRUE(editor->MenuItemDeleteClick());
    ce().senses.erase(word);
    putRow("d", word, noun, "x");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "retrieve " + word, "close"}));
    EXPECT_TRUE(editor->isPlaceholder());
}

TEST_F(SaveCeTest, UnsafeStoredSensesAreNotRewritten)
{
    // The stored "(形容词) a)b" reads as two rows and cannot be added back as one: the word's
    // rows are refused and nothing is deleted; another word is written.
    ce().senses[word] = "(" + noun + ") one(" + adj + ") a)b";
    find(word); // rows: (adj) a)b, (adj) a / b, (noun) one
    modifyTarget(3, "changed");
    putRow("A", gbk(u"新"), noun, "fine");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(),
              (Calls{"open /inst/ArticleS/", "retrieve " + word, "retrieve " + gbk(u"新"),
                     "add " + gbk(u"新") + "|noun|fine", "retrieve " + gbk(u"新"), "close"}));
    EXPECT_EQ(ce().senses[word], "(" + noun + ") one(" + adj + ") a)b");
    EXPECT_EQ(row(3)[0], "E");
    EXPECT_EQ(row(4)[0], " ");
    EXPECT_EQ(prompts.messages.size(), 1u);

    // A refused row is not written, and not shown as stored, by the next save either.
    ce().calls.clear();
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "close"}));
    EXPECT_EQ(row(3)[0], "E");
}

TEST_F(SaveCeTest, TargetsWithParenthesesOrTooLongAreRefused)
{
    putRow("A", word, noun, "a (b)");
    putRow("A", word, noun, std::string(128, 'x'));
    putRow("A", std::string(128, 'w'), noun, "x");
    putRow("A", "a\\b", noun, "x"); // the export line could not carry the word
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "close"}));
    EXPECT_EQ(editor->countRowsMarked("E"), 4);
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

class SaveCeEnglishTest : public SaveCeTest
{
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

TEST_F(SaveCeEnglishTest, EnglishLabelReplacesTheChineseStoredSense)
{
    // Find shows the stored "名词" as "Noun"; the save must replace that sense, not add a
    // second noun sense beside it.
    ce().senses[word] = "(" + noun + ") one(" + adj + ") two";
    find(word);
    ASSERT_EQ(row(2)[2], "Noun");
    modifyTarget(2, "changed");
    access->MenuItemSaveClick();
    EXPECT_EQ(bracketedCalls(), (Calls{"open /inst/ArticleS/", "retrieve " + word, "delete " + word,
                                       "add " + word + "|adj|two", "add " + word + "|noun|changed",
                                       "retrieve " + word, "close"}));
    EXPECT_EQ(row(2), (Row{" ", word, "Noun", "changed"}));
}

} // namespace
} // namespace kelvara

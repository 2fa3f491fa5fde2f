#include "editor/EntryEditor.h"

#include "lang/PartOfSpeech.h"
#include "lang/WideText.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kelvara {
namespace {

const std::string kNounGbk = "\xC3\xFB\xB4\xCA";  // 名词
const std::string kVerbGbk = "\xB6\xAF\xB4\xCA";  // 动词
const std::string kNounBig5 = "\xA6\x57\xB5\xFC"; // 名詞

EntryEditor MakeEditor(InterfaceLanguage language = InterfaceLanguage::English,
                       int codePage = kCodePageGbk, DictionaryKind kind = DictionaryKind::EC)
{
    EntryEditor editor(language, codePage);
    editor.FillPartOfSpeechList(kind);
    return editor;
}

// A grid of Stored rows as Find leaves it, current cell on the last one.
void AddStoredRows(EntryEditor& editor, int count)
{
    for (int i = 0; i < count; ++i)
        editor.AddEntryRow(kMarkStored, "word" + std::to_string(i), "Noun",
                           "t" + std::to_string(i));
}

// ---- placeholder row

TEST(EntryEditorPlaceholder, EmptyGridHasOneBlankRow)
{
    EntryEditor editor = MakeEditor();
    EXPECT_EQ(editor.rowCount(), 2);
    EXPECT_TRUE(editor.isPlaceholder());
    EXPECT_EQ(editor.currentColumn(), kColSource);
    EXPECT_EQ(editor.currentRow(), kFirstDataRow);
}

TEST(EntryEditorPlaceholder, FirstRowFillsPlaceholderWithoutMovingCurrentCell)
{
    EntryEditor editor = MakeEditor();
    ASSERT_TRUE(editor.selectCell(kColTarget, 1));
    editor.AddEntryRow(kMarkStored, "apple", "Noun", "fruit");
    EXPECT_EQ(editor.rowCount(), 2);
    EXPECT_FALSE(editor.isPlaceholder());
    EXPECT_EQ(editor.cell(kColSource, 1), "apple");
    EXPECT_EQ(editor.currentColumn(), kColTarget);
    EXPECT_EQ(editor.currentRow(), 1);

    editor.AddEntryRow(kMarkStored, "apple", "Verb", "to fruit");
    EXPECT_EQ(editor.rowCount(), 3);
    EXPECT_EQ(editor.currentRow(), 2);
    EXPECT_EQ(editor.currentColumn(), kColTarget) << "the current column stays";
}

TEST(EntryEditorPlaceholder, ResetDropsEveryRowAndEmptiesRowOne)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 4);
    editor.ResetToPlaceholder();
    EXPECT_EQ(editor.rowCount(), 2);
    EXPECT_TRUE(editor.isPlaceholder());
    EXPECT_EQ(editor.currentRow(), 1);
    for (int column = 0; column < kColumnCount; ++column)
        EXPECT_EQ(editor.cell(column, 1), "");
}

TEST(EntryEditorPlaceholder, CompactingAwayEveryRowLeavesOneBlankRow)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 3);
    for (int row = 1; row < editor.rowCount(); ++row)
        editor.setMark(row, kMarkDropped);
    editor.CompactRows();
    EXPECT_EQ(editor.rowCount(), 2);
    EXPECT_TRUE(editor.isPlaceholder());
    EXPECT_EQ(editor.cell(kColSource, 1), "");
    EXPECT_EQ(editor.currentRow(), 1);
}

TEST(EntryEditorPlaceholder, CompactingKeepsOrderAndOnlyDropsLowerCaseD)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 5);
    editor.setMark(1, kMarkDropped);
    editor.setMark(2, kMarkDeleted);
    editor.setMark(4, kMarkDropped);
    editor.setMark(5, kMarkFailed);
    editor.CompactRows();
    ASSERT_EQ(editor.rowCount(), 4);
    EXPECT_EQ(editor.mark(1), "D");
    EXPECT_EQ(editor.cell(kColSource, 1), "word1");
    EXPECT_EQ(editor.cell(kColSource, 2), "word2");
    EXPECT_EQ(editor.cell(kColTarget, 3), "t4");
    EXPECT_EQ(editor.mark(3), "E");
    EXPECT_EQ(editor.currentRow(), 3) << "the current row past the end moves to the last row";
}

// ---- marks: Delete

struct DeleteCase
{
    std::string before;
    std::string after;
    bool setsChanged;
};

// Short, stable test names: the mark before (a blank shown as "_") and after.
std::string MarkName(const std::string& mark)
{
    return mark.empty() ? "empty" : mark == " " ? "blank" : mark;
}

void PrintTo(const DeleteCase& c, std::ostream* os)
{
    *os << '"' << c.before << "\" -> \"" << c.after << '"';
}

std::string DeleteCaseName(const ::testing::TestParamInfo<DeleteCase>& info)
{
    return MarkName(info.param.before) + "_to_" + MarkName(info.param.after) + "_" +
           std::to_string(info.index);
}

class EntryEditorDelete : public ::testing::TestWithParam<DeleteCase>
{
};

TEST_P(EntryEditorDelete, MarkAndChangedFlagFollowTheTable)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 1);
    editor.setMark(1, GetParam().before);
    ASSERT_TRUE(editor.deleteAvailable(true));
    EXPECT_TRUE(editor.MenuItemDeleteClick());
    EXPECT_EQ(editor.mark(1), GetParam().after);
    EXPECT_EQ(editor.changed(), GetParam().setsChanged);
    EXPECT_FALSE(editor.deleteAvailable(true)) << "a deleted row cannot be deleted again";
    EXPECT_FALSE(editor.modifyAvailable()) << "nor modified";
}

INSTANTIATE_TEST_SUITE_P(Marks, EntryEditorDelete,
                         ::testing::Values(DeleteCase{"A", "d", false}, DeleteCase{"E", "d", false},
                                           DeleteCase{" ", "D", true}, DeleteCase{"M", "D", true}),
                         DeleteCaseName);

TEST(EntryEditorDeleteRefused, PlaceholderDeletedAndDroppedRowsAreLeftAlone)
{
    EntryEditor editor = MakeEditor();
    EXPECT_FALSE(editor.deleteAvailable(true));
    EXPECT_FALSE(editor.MenuItemDeleteClick());
    EXPECT_TRUE(editor.isPlaceholder());

    AddStoredRows(editor, 1);
    EXPECT_FALSE(editor.deleteAvailable(false)) << "no dictionary open";
    for (std::string_view mark : {kMarkDeleted, kMarkDropped}) {
        editor.setMark(1, mark);
        EXPECT_FALSE(editor.MenuItemDeleteClick());
        EXPECT_EQ(editor.mark(1), mark);
        EXPECT_FALSE(editor.changed());
    }
}

// ---- marks: typing through the in-place editor

TEST(EntryEditorTyping, StoredRowBecomesModifiedAtFirstRealChange)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 1);
    ASSERT_TRUE(editor.selectCell(kColTarget, 1));
    editor.EditCurrentCell();
    EXPECT_EQ(editor.mode(), EditMode::Editing);
    EXPECT_EQ(editor.editBaseline(), "t0");

    editor.StringGridDictSetEditText(kColTarget, 1, "t0");
    EXPECT_EQ(editor.mark(1), " ") << "same as the baseline";
    EXPECT_FALSE(editor.changed());

    editor.StringGridDictSetEditText(kColTarget, 1, "t0x");
    EXPECT_EQ(editor.cell(kColTarget, 1), "t0x");
    EXPECT_EQ(editor.mark(1), "M");
    EXPECT_TRUE(editor.changed());

    editor.StringGridDictSetEditText(kColTarget, 1, "t0");
    EXPECT_EQ(editor.mark(1), "M") << "undoing by hand keeps the mark";
}

TEST(EntryEditorTyping, AddedRowKeepsItsMarkAndSetsChanged)
{
    EntryEditor editor = MakeEditor();
    editor.AddEntryRow(kMarkAdded, "pear", "Noun", "");
    editor.selectCell(kColSource, 1);
    editor.EditCurrentCell();
    editor.StringGridDictSetEditText(kColSource, 1, "pears");
    EXPECT_EQ(editor.mark(1), "A");
    EXPECT_TRUE(editor.changed());
}

TEST(EntryEditorTyping, DeletedAndFailedRowsNeverChange)
{
    for (std::string_view mark : {kMarkDeleted, kMarkFailed, kMarkDropped}) {
        EntryEditor editor = MakeEditor();
        AddStoredRows(editor, 1);
        editor.setMark(1, mark);
        editor.selectCell(kColTarget, 1);
        editor.setEditBaseline("t0");
        editor.StringGridDictSetEditText(kColTarget, 1, "other");
        EXPECT_EQ(editor.cell(kColTarget, 1), "other");
        EXPECT_EQ(editor.mark(1), mark);
        EXPECT_FALSE(editor.changed());
    }
}

TEST(EntryEditorTyping, MarkColumnAndFixedCellsCannotBeTypedInto)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 1);
    editor.StringGridDictSetEditText(kColMark, 1, "A");
    editor.StringGridDictSetEditText(kColSource, 0, "title");
    editor.StringGridDictSetEditText(kColSource, 5, "beyond");
    EXPECT_EQ(editor.mark(1), " ");
    EXPECT_EQ(editor.rowCount(), 2);
    EXPECT_FALSE(editor.changed());
}

// ---- Modify's column rules and the current cell

struct ModifyCase
{
    std::string mark;
    int column;
    bool available;
};

void PrintTo(const ModifyCase& c, std::ostream* os)
{
    *os << '"' << c.mark << "\" in column " << c.column;
}

std::string ModifyCaseName(const ::testing::TestParamInfo<ModifyCase>& info)
{
    return MarkName(info.param.mark) + "_column" + std::to_string(info.param.column) + "_" +
           std::to_string(info.index);
}

class EntryEditorModify : public ::testing::TestWithParam<ModifyCase>
{
};

TEST_P(EntryEditorModify, AvailabilityFollowsMarkAndColumn)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 1);
    editor.setMark(1, GetParam().mark);
    ASSERT_TRUE(editor.selectCell(GetParam().column, 1));
    EXPECT_EQ(editor.modifyAvailable(), GetParam().available);
    EXPECT_EQ(editor.MenuItemModifyClick(), GetParam().available);
    const bool editing = editor.mode() == EditMode::Editing || editor.typeComboVisible();
    EXPECT_EQ(editing, GetParam().available);
}

INSTANTIATE_TEST_SUITE_P(Rules, EntryEditorModify,
                         ::testing::Values(ModifyCase{"A", 1, true}, ModifyCase{"A", 2, true},
                                           ModifyCase{"A", 3, true}, ModifyCase{" ", 1, false},
                                           ModifyCase{" ", 2, false}, ModifyCase{" ", 3, true},
                                           ModifyCase{"M", 2, false}, ModifyCase{"M", 3, true},
                                           ModifyCase{"D", 3, false}, ModifyCase{"d", 3, false},
                                           ModifyCase{"E", 3, false}, ModifyCase{"", 3, false}),
                         ModifyCaseName);

TEST(EntryEditorCurrentCell, FixedCellsAreRefused)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 2);
    EXPECT_FALSE(editor.selectCell(kColMark, 1));
    EXPECT_FALSE(editor.selectCell(kColSource, kTitleRow));
    EXPECT_FALSE(editor.selectCell(kColSource, 3));
    EXPECT_EQ(editor.currentRow(), 2);
    EXPECT_EQ(editor.currentColumn(), kColSource);
}

TEST(EntryEditorCurrentCell, MovingEndsEditingAndHidesTheDropDown)
{
    EntryEditor editor = MakeEditor();
    editor.AddEntryRow(kMarkAdded, "pear", "Noun", "");
    editor.selectCell(kColPartOfSpeech, 1);
    editor.EditCurrentCell();
    EXPECT_TRUE(editor.typeComboVisible());
    EXPECT_EQ(editor.mode(), EditMode::Browsing) << "the drop-down edits; the grid browses";
    EXPECT_EQ(editor.typeComboIndex(), 0);
    editor.selectCell(kColTarget, 1);
    EXPECT_FALSE(editor.typeComboVisible());

    editor.EditCurrentCell();
    EXPECT_EQ(editor.mode(), EditMode::Editing);
    editor.selectCell(kColSource, 1);
    EXPECT_EQ(editor.mode(), EditMode::Browsing);
}

TEST(EntryEditorCurrentCell, DropDownOpensWithNoItemForAnUnknownLabel)
{
    EntryEditor editor = MakeEditor();
    editor.AddEntryRow(kMarkAdded, "pear", "Particle", "");
    editor.selectCell(kColPartOfSpeech, 1);
    editor.EditCurrentCell();
    EXPECT_TRUE(editor.typeComboVisible());
    EXPECT_EQ(editor.typeComboIndex(), -1);
}

// ---- double-click

TEST(EntryEditorDoubleClick, SourceOfStoredRowDoesNothingTargetOpensEditor)
{
    EntryEditor editor = MakeEditor();
    AddStoredRows(editor, 1);
    editor.selectCell(kColSource, 1);
    editor.StringGridDictDblClick();
    EXPECT_EQ(editor.mode(), EditMode::Browsing);
    EXPECT_FALSE(editor.typeComboVisible());

    editor.selectCell(kColTarget, 1);
    editor.StringGridDictDblClick();
    EXPECT_EQ(editor.mode(), EditMode::Editing);
    EXPECT_EQ(editor.editBaseline(), "t0");
}

// ---- the drop-down

TEST(EntryEditorDropDown, PickingAdjOnAddedRowChangesTheCellOnly)
{
    EntryEditor editor = MakeEditor();
    editor.AddEntryRow(kMarkAdded, "quick", "Noun", "");
    editor.selectCell(kColPartOfSpeech, 1);
    ASSERT_TRUE(editor.MenuItemModifyClick());
    editor.ComboBoxTypeChange(2);
    EXPECT_EQ(editor.cell(kColPartOfSpeech, 1), "Adj");
    EXPECT_EQ(editor.mark(1), "A");
    EXPECT_FALSE(editor.changed());

    editor.ComboBoxTypeChange(7);
    EXPECT_EQ(editor.cell(kColPartOfSpeech, 1), "Adj") << "an index outside the list is ignored";
}

// ---- Add

TEST(EntryEditorAdd, FillsEmptyGridWithNounAndEmptyTarget)
{
    EntryEditor editor = MakeEditor(InterfaceLanguage::Simplified);
    EXPECT_FALSE(editor.MenuItemAddClick(""));
    EXPECT_TRUE(editor.isPlaceholder());

    EXPECT_TRUE(editor.MenuItemAddClick("apple"));
    EXPECT_EQ(editor.rowCount(), 2);
    EXPECT_EQ(editor.mark(1), "A");
    EXPECT_EQ(editor.cell(kColSource, 1), "apple");
    EXPECT_EQ(editor.cell(kColPartOfSpeech, 1), kNounGbk);
    EXPECT_EQ(editor.cell(kColTarget, 1), "");
    EXPECT_EQ(editor.typeComboIndex(), 0);
    EXPECT_TRUE(editor.changed());

    EXPECT_TRUE(editor.MenuItemAddClick("apple"));
    EXPECT_EQ(editor.rowCount(), 3) << "the same word twice gives two rows";
    EXPECT_EQ(editor.currentRow(), 2);
}

TEST(EntryEditorAdd, NounLabelFollowsTheInterfaceLanguage)
{
    EntryEditor english = MakeEditor(InterfaceLanguage::English);
    english.MenuItemAddClick("apple");
    EXPECT_EQ(english.cell(kColPartOfSpeech, 1), "Noun");

    EntryEditor traditional = MakeEditor(InterfaceLanguage::Traditional, kCodePageBig5);
    traditional.MenuItemAddClick("apple");
    EXPECT_EQ(traditional.cell(kColPartOfSpeech, 1), kNounBig5);

    // A Traditional interface on a GBK platform: the same characters, in GBK bytes.
    EntryEditor mixed = MakeEditor(InterfaceLanguage::Traditional, kCodePageGbk);
    mixed.MenuItemAddClick("apple");
    EXPECT_EQ(WideFromCodePage(mixed.cell(kColPartOfSpeech, 1), kCodePageGbk),
              WideFromCodePage(kNounBig5, kCodePageBig5));
}

// ---- labels

TEST(EntryEditorLabels, EnglishInterfaceReplacesChineseLabelsButNotVerb)
{
    EntryEditor editor = MakeEditor(InterfaceLanguage::English, kCodePageGbk, DictionaryKind::CE);
    editor.AddEntryRow(kMarkStored, "w", kVerbGbk, "a");
    editor.AddEntryRow(kMarkStored, "w", kNounGbk, "b");
    EXPECT_EQ(editor.cell(kColPartOfSpeech, 1), kVerbGbk);
    EXPECT_EQ(editor.cell(kColPartOfSpeech, 2), "Noun");

    EntryEditor big5 = MakeEditor(InterfaceLanguage::English, kCodePageBig5, DictionaryKind::CE);
    big5.AddEntryRow(kMarkStored, "w", kNounBig5, "a");
    EXPECT_EQ(big5.cell(kColPartOfSpeech, 1), "Noun");

    EntryEditor chinese =
        MakeEditor(InterfaceLanguage::Simplified, kCodePageGbk, DictionaryKind::CE);
    chinese.AddEntryRow(kMarkStored, "w", kNounGbk, "a");
    EXPECT_EQ(chinese.cell(kColPartOfSpeech, 1), kNounGbk) << "no replacement under Chinese";
}

TEST(EntryEditorLabels, ListsAndCodes)
{
    EntryEditor ec = MakeEditor(InterfaceLanguage::English, kCodePageGbk, DictionaryKind::EC);
    ASSERT_EQ(ec.partOfSpeechList().size(), 5u);
    EXPECT_EQ(ec.partOfSpeechIndexOf("Adj"), 2);
    EXPECT_EQ(ec.partOfSpeechIndexOf("adj"), -1);
    EXPECT_EQ(ec.partOfSpeechIndexOf(""), -1);

    EntryEditor ce = MakeEditor(InterfaceLanguage::Simplified, kCodePageGbk, DictionaryKind::CE);
    ASSERT_EQ(ce.partOfSpeechList().size(), 6u);
    EXPECT_EQ(ce.partOfSpeechIndexOf(kNounGbk), 0);
    EXPECT_EQ(ce.partOfSpeechIndexOf("\xD0\xCE\xC8\xDD\xB4\xCA"), 3); // 形容词
    EXPECT_EQ(ce.partOfSpeechIndexOf(kVerbGbk), -1) << "the C-E list has no plain verb";
}

TEST(EntryEditorLabels, SimplifiedLabelsOnBig5PlatformAreNeverStoredAsQuestionMarks)
{
    EntryEditor editor =
        MakeEditor(InterfaceLanguage::Simplified, kCodePageBig5, DictionaryKind::EC);
    for (const PartOfSpeechItem& item : editor.partOfSpeechList())
        EXPECT_EQ(item.cellText.find(kDefaultChar), std::string::npos);
    editor.MenuItemAddClick("apple");
    EXPECT_EQ(editor.cell(kColPartOfSpeech, 1), kNounBig5);
    EXPECT_EQ(editor.partOfSpeechIndexOf(kNounBig5), 0);
}

// ---- listener protocol

class RecordingListener : public EntryEditorListener
{
public:
    explicit RecordingListener(const EntryEditor& editor) : m_editor(editor) {}

    void aboutToAppendRows(int first, int last) override
    {
        events.push_back("append " + std::to_string(first) + "-" + std::to_string(last) + " at " +
                         std::to_string(m_editor.rowCount()));
    }
    void rowsAppended() override
    {
        events.push_back("appended " + std::to_string(m_editor.rowCount()));
    }
    void aboutToRemoveRows(int first, int last) override
    {
        events.push_back("remove " + std::to_string(first) + "-" + std::to_string(last) + " at " +
                         std::to_string(m_editor.rowCount()));
    }
    void rowsRemoved() override
    {
        events.push_back("removed " + std::to_string(m_editor.rowCount()));
    }
    void aboutToReset() override { events.push_back("reset"); }
    void resetDone() override
    {
        events.push_back("reset done " + std::to_string(m_editor.rowCount()));
    }
    void changedFlagChanged(bool changed) override
    {
        events.push_back(changed ? "changed" : "clean");
    }

    std::vector<std::string> events;

private:
    const EntryEditor& m_editor;
};

TEST(EntryEditorListenerProtocol, RowCountChangesBetweenAboutToAndDone)
{
    EntryEditor editor = MakeEditor();
    RecordingListener listener(editor);
    editor.addListener(&listener);
    AddStoredRows(editor, 3);
    editor.setMark(2, kMarkDropped);
    editor.CompactRows();
    editor.ResetToPlaceholder();
    editor.MenuItemAddClick("x");
    editor.removeListener(&listener);
    editor.MenuItemAddClick("y");

    const std::vector<std::string> expected{"append 2-2 at 2", "appended 3", "append 3-3 at 3",
                                            "appended 4",      "reset",      "reset done 3",
                                            "remove 2-2 at 3", "removed 2",  "changed"};
    EXPECT_EQ(listener.events, expected);
}

} // namespace
} // namespace kelvara

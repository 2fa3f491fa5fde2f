#include "editor/RowClipboard.h"
#include "editor/EntryEditor.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(RowClipboardTest, CopyTextIsEachCellThenLineFeedCarriageReturn)
{
    EntryEditor editor(InterfaceLanguage::English, kCodePageGbk);
    editor.AddEntryRow(" ", "book", "Noun", "\xCA\xE9"); // 书
    const std::string text = RowCopyText(editor, 1);
    EXPECT_EQ(text, "book\n\rNoun\n\r\xCA\xE9\n\r");
    EXPECT_EQ(text.size(), 16u);

    // Whatever the mark, the row's cells are copied, never the mark.
    editor.AddEntryRow("d", "gone", "", "");
    EXPECT_EQ(RowCopyText(editor, 2), "gone\n\r\n\r\n\r");
}

TEST(RowClipboardTest, AnsiTextIsIntactUnlessDefaultCharactersRunTogether)
{
    EXPECT_TRUE(IsAnsiTextIntact("what? really?"));
    EXPECT_TRUE(IsAnsiTextIntact("a?"));
    EXPECT_FALSE(IsAnsiTextIntact("??"));
    EXPECT_FALSE(IsAnsiTextIntact("book ?? ok"));
    EXPECT_FALSE(IsAnsiTextIntact("?"));
    EXPECT_FALSE(IsAnsiTextIntact(""));
}

TEST(RowClipboardTest, PasteIntoTheTargetCellIsAnEditThatGetsSaved)
{
    EntryEditor editor(InterfaceLanguage::English, kCodePageGbk);
    editor.AddEntryRow(" ", "book", "Noun", "volume");
    ASSERT_TRUE(editor.selectCell(kColSource, 1));
    // Modify is not available on a stored row's source: nothing is pasted.
    EXPECT_FALSE(PasteIntoTargetCell(editor, "tome"));
    EXPECT_EQ(editor.cell(kColTarget, 1), "volume");

    ASSERT_TRUE(editor.selectCell(kColTarget, 1));
    EXPECT_TRUE(PasteIntoTargetCell(editor, "tome"));
    EXPECT_EQ(editor.cell(kColTarget, 1), "tome");
    EXPECT_EQ(editor.mark(1), "M");
    EXPECT_TRUE(editor.changed());

    // An "A" row takes a paste from any column; its mark stays.
    EntryEditor added(InterfaceLanguage::English, kCodePageGbk);
    ASSERT_TRUE(added.MenuItemAddClick("pear"));
    added.setChanged(false);
    ASSERT_TRUE(added.selectCell(kColSource, 1));
    EXPECT_TRUE(PasteIntoTargetCell(added, "fruit"));
    EXPECT_EQ(added.mark(1), "A");
    EXPECT_EQ(added.cell(kColTarget, 1), "fruit");
    EXPECT_TRUE(added.changed());
}

} // namespace
} // namespace kelvara

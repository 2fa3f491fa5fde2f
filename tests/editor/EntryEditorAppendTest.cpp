// The bulk append the imports use: the same grid as AddEntryRow row by row, one notification.

#include "editor/EntryEditor.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvara {
namespace {

const std::string kNounGbk = "\xC3\xFB\xB4\xCA"; // 名词

struct Recorder : EntryEditorListener
{
    std::vector<std::string> events;
    void aboutToAppendRows(int first, int last) override
    {
        events.push_back("append " + std::to_string(first) + "-" + std::to_string(last));
    }
    void rowsAppended() override { events.push_back("appended"); }
    void aboutToReset() override { events.push_back("reset"); }
};

std::vector<EntryEditor::Row> Cells(const EntryEditor& editor)
{
    std::vector<EntryEditor::Row> rows;
    for (int r = kFirstDataRow; r < editor.rowCount(); ++r)
        rows.push_back(
            {editor.cell(0, r), editor.cell(1, r), editor.cell(2, r), editor.cell(3, r)});
    return rows;
}

TEST(EntryEditorAppend, SameGridAsAddingRowByRowWithOneNotification)
{
    // The one-row case fills the placeholder only and notifies no append.
    EntryEditor single(InterfaceLanguage::English, kCodePageGbk);
    Recorder quiet;
    single.addListener(&quiet);
    single.AppendEntryRows({{"A", "x", "Noun", "y"}});
    EXPECT_EQ(single.rowCount(), 2);
    EXPECT_EQ(single.cell(kColSource, 1), "x");
    EXPECT_TRUE(quiet.events.empty());

    const std::vector<EntryEditor::Row> rows = {
        {"A", "apple", kNounGbk, "fruit"}, {"A", "pear", "Noun", ""}, {"A", "", "", ""}};
    for (const bool startEmpty : {true, false}) {
        EntryEditor one(InterfaceLanguage::English, kCodePageGbk);
        EntryEditor bulk(InterfaceLanguage::English, kCodePageGbk);
        for (EntryEditor* e : {&one, &bulk}) {
            e->FillPartOfSpeechList(DictionaryKind::EC);
            if (!startEmpty)
                e->AddEntryRow(kMarkStored, "kept", "Noun", "t");
            e->selectCell(kColTarget, kFirstDataRow);
        }
        for (const auto& r : rows)
            one.AddEntryRow(r[0], r[1], r[2], r[3]);
        Recorder recorder;
        bulk.addListener(&recorder);
        bulk.AppendEntryRows(rows);

        EXPECT_EQ(Cells(bulk), Cells(one));
        EXPECT_EQ(bulk.cell(kColPartOfSpeech, startEmpty ? 1 : 2), "Noun")
            << "Chinese labels become English ones under English";
        EXPECT_EQ(bulk.currentRow(), one.currentRow());
        EXPECT_EQ(bulk.currentColumn(), kColTarget);
        const std::vector<std::string> expected =
            startEmpty ? std::vector<std::string>{"append 2-3", "appended"}
                       : std::vector<std::string>{"append 2-4", "appended"};
        EXPECT_EQ(recorder.events, expected);
    }
}

} // namespace
} // namespace kelvara

// The table model over a bulk append: one insertion of the whole range, checked by Qt's tester.

#include "editor/EntryEditor.h"
#include "editor/qt/EntryTableModel.h"

#include "platform/CodePage.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(EntryTableModelAppend, ManyRowsAreOneInsertion)
{
    EntryEditor editor(InterfaceLanguage::English, kCodePageGbk);
    editor.FillPartOfSpeechList(DictionaryKind::EC);
    EntryTableModel model(editor);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    std::vector<EntryEditor::Row> rows;
    for (int i = 0; i < 1000; ++i)
        rows.push_back({"A", "w" + std::to_string(i), "Noun", "t"});
    editor.AppendEntryRows(rows); // the first fills the placeholder row
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 2);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 1000);
    EXPECT_EQ(model.rowCount(), 1001);
    EXPECT_EQ(model.index(1000, kColSource).data().toString(), "w999");
    EXPECT_EQ(model.index(1, kColSource).data().toString(), "w0");

    editor.AppendEntryRows(rows);
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_EQ(model.rowCount(), 2001);
}

} // namespace
} // namespace kelvara

#include "editor/qt/EntryGridView.h"
#include "editor/EntryEditor.h"
#include "editor/qt/EntryTableModel.h"
#include "editor/qt/LineEditGuard.h"
#include "platform/CodePage.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <vector>

namespace kelvara {
namespace {

// A panel holding the grid and its drop-down, as the main window lays them out.
class GridFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_panel = std::make_unique<QWidget>();
        m_panel->resize(520, 300);
        m_grid = new EntryGridView(m_editor, m_panel.get());
        m_grid->setGeometry(2, 2, 516, 296);
        m_grid->FillPartOfSpeechList(DictionaryKind::EC);
        m_panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_panel.get()));
    }

    QPoint cellCentre(int column, int row) const
    {
        return m_grid->visualRect(m_grid->model()->index(row, column)).center();
    }

    QPoint expectedComboPos() const
    {
        const QRect cell =
            m_grid->visualRect(m_grid->model()->index(m_editor.currentRow(), kColPartOfSpeech));
        return m_grid->viewport()->mapTo(m_panel.get(), cell.topLeft()) + QPoint(3, 3);
    }

    // The cell rectangle leaves out the grid line, as the cell's own area.
    int expectedComboWidth() const
    {
        return m_grid->visualRect(m_grid->model()->index(m_editor.currentRow(), kColPartOfSpeech))
                   .width() +
               3;
    }

    EntryEditor m_editor{InterfaceLanguage::English, kCodePageGbk};
    std::unique_ptr<QWidget> m_panel;
    EntryGridView* m_grid = nullptr;
};

TEST_F(GridFixture, LayoutOfTheGridAndTheDropDown)
{
    EXPECT_EQ(m_grid->objectName(), "StringGridDict");
    EXPECT_FALSE(m_grid->horizontalHeader()->isVisible());
    EXPECT_FALSE(m_grid->verticalHeader()->isVisible());
    const int widths[] = {12, 184, 68, 220};
    for (int column = 0; column < kColumnCount; ++column)
        EXPECT_EQ(m_grid->columnWidth(column), widths[column]);
    EXPECT_EQ(m_grid->rowHeight(0), 18);
    EXPECT_EQ(m_grid->rowHeight(1), 18);
    QComboBox* combo = m_grid->typeCombo();
    EXPECT_EQ(combo->objectName(), "ComboBoxType");
    EXPECT_EQ(combo->parentWidget(), m_panel.get());
    EXPECT_FALSE(combo->isEditable());
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(combo->width(), 73);
    EXPECT_EQ(combo->count(), 5);
}

TEST_F(GridFixture, TitleRowAndMarkColumnNeverBecomeCurrent)
{
    m_editor.setTitles(u"Source", u"Part of Speech", u"Target");
    m_grid->MenuItemAddClick("apple");
    EXPECT_EQ(m_grid->model()->index(0, 1).data().toString(), "Source");
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(kColSource, kTitleRow));
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(kColMark, 1));
    QApplication::processEvents();
    EXPECT_EQ(m_editor.currentRow(), 1);
    EXPECT_EQ(m_editor.currentColumn(), kColSource);

    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(kColTarget, 1));
    EXPECT_EQ(m_editor.currentColumn(), kColTarget);
    EXPECT_EQ(m_grid->currentIndex(), m_grid->model()->index(1, kColTarget));
}

TEST_F(GridFixture, DoubleClickOnStoredRowEditsOnlyTheTarget)
{
    m_editor.AddEntryRow(kMarkStored, "apple", "Noun", "fruit");
    const QModelIndex source = m_grid->model()->index(1, kColSource);
    const QModelIndex target = m_grid->model()->index(1, kColTarget);

    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(kColSource, 1));
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(kColSource, 1));
    EXPECT_EQ(m_editor.mode(), EditMode::Browsing);
    EXPECT_EQ(m_grid->indexWidget(source), nullptr);

    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(kColTarget, 1));
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(kColTarget, 1));
    EXPECT_EQ(m_editor.mode(), EditMode::Editing);
    auto* edit = qobject_cast<QLineEdit*>(m_grid->indexWidget(target));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "fruit");

    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, "s");
    EXPECT_EQ(m_editor.cell(kColTarget, 1), "fruits") << "each keystroke reaches the cell";
    EXPECT_EQ(m_editor.mark(1), "M");
    EXPECT_TRUE(m_editor.changed());

    // A line break would split a record of the entry file; the editor keeps its text.
    edit->insert("a\nb");
    EXPECT_EQ(edit->text(), "fruits");
    EXPECT_EQ(m_editor.cell(kColTarget, 1), "fruits");

    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(kColSource, 1));
    EXPECT_EQ(m_editor.mode(), EditMode::Browsing);
    EXPECT_EQ(m_grid->indexWidget(target), nullptr) << "the editor closes with the move";
}

TEST_F(GridFixture, ViewCatchesUpWithABurstOfAppendedRows)
{
    for (int i = 0; i < 50; ++i)
        m_editor.AddEntryRow(kMarkStored, "w" + std::to_string(i), "Noun", "t");
    QApplication::processEvents();
    EXPECT_EQ(m_grid->currentIndex(), m_grid->model()->index(50, kColSource));
    const QRect last = m_grid->visualRect(m_grid->currentIndex());
    EXPECT_TRUE(m_grid->viewport()->rect().contains(last)) << "scrolled to the last row";

    m_grid->StringGridDictSelectCell(kColTarget, 10);
    EXPECT_EQ(m_grid->currentIndex(), m_grid->model()->index(10, kColTarget))
        << "a move follows at once";
}

TEST_F(GridFixture, TabMovesOnAndEndsTheEdit)
{
    m_editor.AddEntryRow(kMarkStored, "apple", "Noun", "fruit");
    m_editor.AddEntryRow(kMarkStored, "pear", "Noun", "fruit");
    ASSERT_TRUE(m_grid->StringGridDictSelectCell(kColTarget, 1));
    ASSERT_TRUE(m_grid->MenuItemModifyClick());
    QWidget* edit = m_grid->indexWidget(m_grid->model()->index(1, kColTarget));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(m_editor.currentRow(), 2) << "past the last column Tab goes to the next row";
    EXPECT_EQ(m_editor.currentColumn(), kColSource) << "and skips the mark column";
    EXPECT_EQ(m_editor.mode(), EditMode::Browsing);
    EXPECT_EQ(m_grid->indexWidget(m_grid->model()->index(1, kColTarget)), nullptr);

    QTest::keyClick(m_grid, Qt::Key_Tab);
    EXPECT_EQ(m_editor.currentColumn(), kColPartOfSpeech);
}

TEST_F(GridFixture, PickingAdjOnAddedRowThroughTheDropDown)
{
    ASSERT_TRUE(m_grid->MenuItemAddClick("quick"));
    ASSERT_TRUE(m_grid->StringGridDictSelectCell(kColPartOfSpeech, 1));
    ASSERT_TRUE(m_grid->MenuItemModifyClick());
    QComboBox* combo = m_grid->typeCombo();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->currentText(), "Noun");
    EXPECT_EQ(combo->pos(), expectedComboPos());
    EXPECT_EQ(combo->width(), expectedComboWidth());

    m_editor.setChanged(false);
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(m_editor.cell(kColPartOfSpeech, 1), "Adj");
    EXPECT_EQ(m_editor.mark(1), "A");
    EXPECT_FALSE(m_editor.changed());

    m_grid->StringGridDictSelectCell(kColTarget, 1);
    EXPECT_FALSE(combo->isVisible());
}

TEST_F(GridFixture, DropDownFollowsColumnResizeAndScrolling)
{
    for (int i = 0; i < 60; ++i)
        m_grid->MenuItemAddClick(QString("w%1").arg(i));
    m_grid->StringGridDictSelectCell(kColPartOfSpeech, 30);
    QApplication::processEvents();
    m_grid->scrollTo(m_grid->model()->index(30, kColPartOfSpeech));
    ASSERT_TRUE(m_grid->MenuItemModifyClick());
    QComboBox* combo = m_grid->typeCombo();
    const QPoint before = combo->pos();

    m_grid->setColumnWidth(kColSource, 250);
    EXPECT_EQ(combo->pos(), expectedComboPos());
    EXPECT_EQ(combo->pos().x(), before.x() + 250 - 184);

    m_grid->setColumnWidth(kColPartOfSpeech, 100);
    EXPECT_EQ(combo->width(), expectedComboWidth());
    EXPECT_EQ(combo->width(), 100 - 1 + 3);

    m_grid->verticalScrollBar()->setValue(m_grid->verticalScrollBar()->value() + 3);
    QApplication::processEvents();
    EXPECT_EQ(combo->pos(), expectedComboPos());
    EXPECT_TRUE(combo->isVisible());
}

TEST_F(GridFixture, DraggingTheTitleRowLineResizesTheColumn)
{
    const QRect title = m_grid->visualRect(m_grid->model()->index(kTitleRow, kColSource));
    const QPoint grip(title.right() + 1, title.center().y());
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(40, 0)),
                     m_grid->viewport()->mapToGlobal(QPointF(grip + QPoint(40, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_grid->viewport(), &move);
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, grip + QPoint(40, 0));
    EXPECT_EQ(m_grid->columnWidth(kColSource), 224);
}

TEST_F(GridFixture, EditorOutlivesTheRowsItWasOpenOn)
{
    for (int i = 0; i < 5; ++i)
        m_editor.AddEntryRow(kMarkAdded, "w" + std::to_string(i), "Noun", "t");
    m_grid->StringGridDictSelectCell(kColTarget, 5);
    ASSERT_TRUE(m_grid->MenuItemModifyClick());
    m_editor.ResetToPlaceholder();
    QApplication::processEvents();
    EXPECT_EQ(m_editor.mode(), EditMode::Editing);
    EXPECT_NE(m_grid->indexWidget(m_grid->model()->index(1, kColTarget)), nullptr);
}

TEST_F(GridFixture, DeleteThroughTheViewNeedsAnOpenDictionary)
{
    m_editor.AddEntryRow(kMarkStored, "apple", "Noun", "fruit");
    int notices = 0;
    QObject::connect(m_grid, &EntryGridView::stateChanged, [&] { ++notices; });
    EXPECT_FALSE(m_grid->MenuItemDeleteClick(false));
    EXPECT_EQ(m_editor.mark(1), " ");
    EXPECT_TRUE(m_grid->MenuItemDeleteClick(true));
    EXPECT_EQ(m_editor.mark(1), "D");
    EXPECT_GE(notices, 1) << "the window re-runs its rules after a mark change";
}

TEST_F(GridFixture, InPlaceEditorAppliesTheInjectedCellCheck)
{
    // A check in the manner of a dictionary's: no "(" in a target, at most 6 bytes anywhere.
    std::vector<int> columnsAsked;
    m_grid->setCellCheck([&](int column, std::string_view bytes) -> std::u16string {
        columnsAsked.push_back(column);
        if (bytes.size() > 6)
            return u"too long";
        if (column == kColTarget && bytes.find('(') != std::string_view::npos)
            return u"no parenthesis";
        return {};
    });
    ASSERT_TRUE(m_grid->MenuItemAddClick("pear"));
    ASSERT_TRUE(m_grid->StringGridDictSelectCell(kColTarget, 1));
    ASSERT_TRUE(m_grid->MenuItemModifyClick());
    auto* edit =
        qobject_cast<QLineEdit*>(m_grid->indexWidget(m_grid->model()->index(1, kColTarget)));
    ASSERT_NE(edit, nullptr);
    QString hint;
    QObject::connect(qobject_cast<const CodePageValidator*>(edit->validator()),
                     &CodePageValidator::refused, [&](const QString& h) { hint = h; });
    edit->setFocus();

    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(m_editor.cell(kColTarget, 1), "ab");
    QTest::keyClicks(edit, "(");
    EXPECT_EQ(edit->text(), "ab");
    EXPECT_EQ(m_editor.cell(kColTarget, 1), "ab") << "a refused keystroke never reaches the cell";
    EXPECT_EQ(hint, "no parenthesis");
    EXPECT_EQ(columnsAsked.back(), kColTarget);

    hint.clear();
    edit->insert("cdefg"); // a paste that would make it 7 bytes goes nowhere, not even in part
    EXPECT_EQ(edit->text(), "ab");
    EXPECT_EQ(hint, "too long");
    edit->insert("	"); // the code-page guard still stands in front
    EXPECT_EQ(edit->text(), "ab");

    // The same check reaches the source column with its own column number.
    ASSERT_TRUE(m_grid->StringGridDictSelectCell(kColSource, 1));
    ASSERT_TRUE(m_grid->MenuItemModifyClick());
    edit = qobject_cast<QLineEdit*>(m_grid->indexWidget(m_grid->model()->index(1, kColSource)));
    ASSERT_NE(edit, nullptr);
    edit->end(false);
    edit->insert("(x");
    EXPECT_EQ(edit->text(), "pear(x");
    EXPECT_EQ(columnsAsked.back(), kColSource);
    edit->insert("y");
    EXPECT_EQ(edit->text(), "pear(x");

    // Without a check only the code page counts.
    m_grid->setCellCheck({});
    ASSERT_TRUE(m_grid->StringGridDictSelectCell(kColTarget, 1));
    ASSERT_TRUE(m_grid->MenuItemModifyClick());
    edit = qobject_cast<QLineEdit*>(m_grid->indexWidget(m_grid->model()->index(1, kColTarget)));
    ASSERT_NE(edit, nullptr);
    edit->end(false);
    edit->insert("(long text)");
    EXPECT_EQ(m_editor.cell(kColTarget, 1), "ab(long text)");
}

TEST(EntryTableModelTest, FollowsTheItemModelProtocol)
{
    EntryEditor editor(InterfaceLanguage::English, kCodePageGbk);
    editor.FillPartOfSpeechList(DictionaryKind::CE);
    EntryTableModel model(editor);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    for (int i = 0; i < 20; ++i)
        editor.AddEntryRow(kMarkStored, "w" + std::to_string(i), "Noun", "t");
    EXPECT_EQ(model.rowCount(), 21);
    editor.setMark(3, kMarkDropped);
    editor.setMark(20, kMarkDropped);
    editor.CompactRows();
    EXPECT_EQ(model.rowCount(), 19);
    EXPECT_TRUE(model.setData(model.index(2, kColTarget), "new"));
    EXPECT_EQ(editor.cell(kColTarget, 2), "new");
    EXPECT_FALSE(model.setData(model.index(0, kColSource), "title"));
    EXPECT_FALSE(model.setData(model.index(2, kColMark), "A"));
    EXPECT_FALSE(model.setData(model.index(2, kColTarget), QString::fromUtf16(u"\U0001F600")))
        << "never stored as a question mark";
    EXPECT_EQ(model.flags(model.index(0, 1)), Qt::NoItemFlags);
    EXPECT_EQ(model.flags(model.index(1, 0)), Qt::NoItemFlags);
    editor.ResetToPlaceholder();
    EXPECT_EQ(model.rowCount(), 2);
    editor.MenuItemAddClick("x");
    EXPECT_EQ(model.index(1, kColPartOfSpeech).data().toString(), "Noun");
}

TEST(LineEditGuardTest, RefusedTextLeavesTheEditAsItWas)
{
    QLineEdit edit;
    GuardLineEdit(&edit, kCodePageBig5, InterfaceLanguage::English);
    QString hint;
    QObject::connect(qobject_cast<CodePageValidator*>(const_cast<QValidator*>(edit.validator())),
                     &CodePageValidator::refused, [&](const QString& h) { hint = h; });
    edit.insert(QString::fromUtf16(u"\u860b\u679c")); // 蘋果
    EXPECT_EQ(edit.text(), QString::fromUtf16(u"\u860b\u679c"));
    edit.insert(QString::fromUtf16(u"\u8bcd")); // 词: not in Big5
    EXPECT_EQ(edit.text(), QString::fromUtf16(u"\u860b\u679c"));
    EXPECT_EQ(hint, "This character cannot be stored in the dictionary");
    edit.insert("\t");
    EXPECT_EQ(edit.text(), QString::fromUtf16(u"\u860b\u679c"));
}

TEST(LineEditGuardTest, TextThatAlreadyHeldARefusedCharacterStaysEditable)
{
    QLineEdit edit;
    GuardLineEdit(&edit, kCodePageGbk, InterfaceLanguage::English);
    edit.setText("a\tb"); // as a cell read from a file may hold it
    edit.end(false);
    edit.insert("c");
    EXPECT_EQ(edit.text(), "a\tbc");
    edit.insert("\n");
    EXPECT_EQ(edit.text(), "a\tbc") << "a new refused character is still refused";
}

TEST(LineEditGuardTest, TextThatFailedTheTextCheckMayOnlyShrink)
{
    QLineEdit edit;
    CodePageValidator* guard = GuardLineEdit(&edit, kCodePageGbk, InterfaceLanguage::English);
    edit.setText("a(b"); // a cell read from a file may hold what the check refuses
    guard->setTextCheck([](std::string_view bytes) -> std::u16string {
        return bytes.find('(') == std::string_view::npos ? u"" : u"no parenthesis";
    });
    edit.end(false);
    edit.insert("c");
    EXPECT_EQ(edit.text(), "a(b") << "growing a failing text is refused";
    edit.backspace();
    EXPECT_EQ(edit.text(), "a(");
    edit.setSelection(1, 1);
    edit.insert("x"); // same length: mends it
    EXPECT_EQ(edit.text(), "ax");
    edit.insert("(");
    EXPECT_EQ(edit.text(), "ax") << "once mended, the check holds again";
}

} // namespace
} // namespace kelvara

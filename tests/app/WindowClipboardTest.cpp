// Row copy, the column-width dialog and the input box's Cut, Copy and repairing Paste, through
// the real window, the real clipboard and the reference engines.

#include "WindowFixture.h"

#include "access/DictionaryAccess.h"
#include "app/ClipboardText.h"
#include "editor/InputCheck.h"
#include "editor/qt/LineEditGuard.h"
#include "lang/AccessMessages.h"
#include "lang/TextFileMessages.h"
#include "platform/CodePage.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QToolTip>

namespace kelvara {
namespace {

const QString kGbkFormat = QStringLiteral("text/plain;charset=GBK");

std::string gbk(const char16_t* text)
{
    return EncodeCodePage(text, kCodePageGbk);
}

QByteArray bytes(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

// Puts data on the clipboard as another program would: the 8-bit form (omitted when empty)
// and the Unicode text (omitted when null).
void putOnClipboard(const QByteArray& eightBit, const QString& unicode)
{
    auto* data = new QMimeData;
    if (!eightBit.isEmpty())
        data->setData(kGbkFormat, eightBit);
    if (!unicode.isNull())
        data->setText(unicode);
    QGuiApplication::clipboard()->setMimeData(data);
}

class ClipboardWindowTest : public WindowSessionTest
{
protected:
    QClipboard* clipboard() const { return QGuiApplication::clipboard(); }
    std::string target(int row) const { return m_window->editor().cell(kColTarget, row); }

    // Runs the width command answering its dialog: what Edit1 showed, then the text typed
    // and the button clicked ("Button1" OK, "Button2" Cancel).
    QString setWidth(const QString& typed, const char* button)
    {
        QString shown;
        ModalAnswer<TColWidthDlg> answer([&](TColWidthDlg& dialog) {
            shown = dialog.Edit1()->text();
            dialog.Edit1()->selectAll();
            QTest::keyClicks(dialog.Edit1(), typed);
            dialog.findChild<QPushButton*>(button)->click();
        });
        EXPECT_TRUE(trigger("ActionWordWidth"));
        EXPECT_TRUE(answer.answered());
        return shown;
    }
    int targetWidth() const { return grid()->columnWidth(kColTarget); }
};

TEST_F(ClipboardWindowTest, RowCopyPutsTheRowBytesAndTheSameUnicodeText)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("word");
    typeIntoCell(kColTarget, 1, q(u"书"));
    clickCell(kColTarget, 1);
    grid()->setFocus();
    ASSERT_TRUE(trigger("ActionWordCopy"));
    // Word, LF CR, "Noun", LF CR, the two bytes of the character, LF CR: 16 bytes.
    const std::string expected = "word\n\rNoun\n\r" + gbk(u"书") + "\n\r";
    ASSERT_EQ(expected.size(), 16u);
    EXPECT_EQ(clipboard()->mimeData()->data(kGbkFormat), bytes(expected));
    EXPECT_EQ(clipboard()->text(), q(u"word\n\rNoun\n\r书\n\r"));

    // A row marked "d" is copied all the same (through the grid's pop-up item this time).
    clipboard()->clear();
    ASSERT_TRUE(trigger("ActionWordDelete"));
    ASSERT_EQ(rows()[0][0], "d");
    ASSERT_TRUE(trigger("Copy2"));
    EXPECT_EQ(clipboard()->mimeData()->data(kGbkFormat), bytes(expected));

    // With the focus in the input box there is no row copy.
    input()->setFocus();
    EXPECT_FALSE(trigger("ActionWordCopy"));
}

TEST_F(ClipboardWindowTest, ColumnWidthDialogShowsAppliesAndRefuses)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("word");
    clickCell(kColTarget, 1);
    const QString start = QString::number(targetWidth());

    EXPECT_EQ(setWidth("100", "Button1"), start) << "the dialog shows the current width";
    EXPECT_EQ(targetWidth(), 100);
    EXPECT_EQ(setWidth("abc", "Button1"), "100");
    ASSERT_EQ(m_messages.messages.size(), 1);
    EXPECT_EQ(m_messages.messages[0], "'abc' is not a valid integer value");
    m_messages.messages.clear();
    EXPECT_EQ(targetWidth(), 100);
    setWidth("50", "Button2");
    EXPECT_EQ(targetWidth(), 100) << "Cancel changes nothing";

    // Enter and Escape leave the dialog open; the close box is Cancel.
    {
        bool stayedOpen = false;
        ModalAnswer<TColWidthDlg> answer([&](TColWidthDlg& dialog) {
            dialog.Edit1()->setText("70");
            QTest::keyClick(dialog.Edit1(), Qt::Key_Return);
            QTest::keyClick(dialog.Edit1(), Qt::Key_Escape);
            stayedOpen = dialog.isVisible();
            dialog.close();
        });
        ASSERT_TRUE(trigger("ActionWordWidth"));
        EXPECT_TRUE(stayedOpen);
    }
    EXPECT_EQ(targetWidth(), 100);

    // Zero leaves the column current and zero wide; a negative width is taken as zero. The
    // same command brings the column back.
    setWidth("0", "Button1");
    EXPECT_EQ(targetWidth(), 0);
    EXPECT_FALSE(grid()->isColumnHidden(kColTarget));
    setWidth("-20", "Button1");
    EXPECT_EQ(targetWidth(), 0);
    EXPECT_EQ(m_window->editor().currentColumn(), kColTarget);
    EXPECT_EQ(setWidth("120", "Button1"), "0");
    EXPECT_EQ(targetWidth(), 120);

    // The zero-wide column is reached from the keyboard as well.
    setWidth("0", "Button1");
    clickCell(kColPartOfSpeech, 1);
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(m_window->editor().currentColumn(), kColTarget);
    EXPECT_EQ(setWidth("90", "Button1"), "0");
    EXPECT_EQ(targetWidth(), 90);
}

TEST_F(ClipboardWindowTest, PasteTakesTheEightBitTextUnlessCharactersWereLost)
{
    install("lang_sc.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    ASSERT_TRUE(input()->hasFocus()) << "the input box takes the focus after an open";

    // Lost characters left "??" in the 8-bit form: the Unicode text is converted instead.
    putOnClipboard("??", q(u"苹果"));
    ASSERT_TRUE(trigger("MenuItemEditPaste"));
    EXPECT_EQ(input()->text(), q(u"苹果"));

    // A single "?" among other characters is pasted as it is, from the 8-bit form.
    input()->clear();
    putOnClipboard("why? " + bytes(gbk(u"为何")), q(u"other"));
    QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input()->text(), q(u"why? 为何"));

    // Unicode text alone is converted; the paste replaces the selection.
    putOnClipboard({}, q(u"梨"));
    input()->setSelection(0, 5);
    QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input()->text(), q(u"梨为何"));

    // No text on the clipboard: nothing happens.
    clipboard()->clear();
    QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input()->text(), q(u"梨为何"));
}

TEST_F(ClipboardWindowTest, CtrlVInTheInputBoxAlsoFillsTheTargetOfAModifiableRow)
{
    install("lang_sc.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("apple");
    ASSERT_EQ(m_window->editor().currentMark(), "A");
    input()->setFocus();
    input()->selectAll();
    putOnClipboard({}, q(u"苹果"));
    QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    idle();
    EXPECT_EQ(input()->text(), q(u"苹果"));
    EXPECT_EQ(target(1), gbk(u"苹果"));
    EXPECT_EQ(rows()[0][3], q(u"苹果"));
    EXPECT_EQ(rows()[0][0], "A");

    // A stored row takes the paste as an edit: marked "M" and saved with the next Save.
    ASSERT_TRUE(trigger("ActionFileSave"));
    ASSERT_FALSE(m_window->changed());
    clickCell(kColTarget, 1);
    putOnClipboard({}, q(u"红苹果"));
    ASSERT_TRUE(trigger("MenuItemEditPaste"));
    EXPECT_EQ(rows()[0][0], "M");
    EXPECT_TRUE(m_window->changed());
    EXPECT_EQ(input()->text(), q(u"苹果")) << "the input box had no focus";
    ASSERT_TRUE(trigger("ActionFileSave"));
    find("apple");
    EXPECT_EQ(rows(), (Rows{{" ", "apple", q(u"名词"), q(u"红苹果")}}));

    // The source cell of a stored row is not modifiable: only the input box takes it.
    clickCell(kColSource, 1);
    input()->setFocus();
    input()->selectAll();
    putOnClipboard({}, q(u"梨"));
    QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input()->text(), q(u"梨"));
    EXPECT_EQ(target(1), gbk(u"红苹果"));
    EXPECT_FALSE(m_window->changed());
}

TEST_F(ClipboardWindowTest, PasteRefusesWhatTheCodePageOrTheCellCannotHold)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    add(q(u"书"));
    ASSERT_EQ(m_window->editor().currentMark(), "A");
    const std::string before = target(1);
    input()->setFocus();
    input()->setText("abc");

    // A character GBK cannot hold is never pasted as "?", in either place.
    putOnClipboard({}, q(u"书😀"));
    QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input()->text(), "abc");
    EXPECT_EQ(target(1), before);
    EXPECT_EQ(QToolTip::text(), QString::fromStdU16String(InputRefusalHint(
                                    InputRefusal::NotInCodePage, m_window->language())));
    // Nor is a line break inside a cell's text: the three-line records would split.
    clickCell(kColTarget, 1);
    QToolTip::hideText();
    putOnClipboard({}, q(u"a\nb"));
    ASSERT_TRUE(trigger("MenuItemEditPaste"));
    EXPECT_EQ(target(1), before);
    EXPECT_EQ(QToolTip::text(), QString::fromStdU16String(InputRefusalHint(InputRefusal::LineBreak,
                                                                           m_window->language())));
    input()->setFocus();

    // The cell's own limit: the C-E translation holds 127 bytes. The input box takes it.
    QToolTip::hideText();
    putOnClipboard({}, QString(128, 'x'));
    input()->clear();
    QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input()->text(), QString(128, 'x'));
    EXPECT_EQ(target(1), before);
    EXPECT_EQ(QToolTip::text(),
              QString::fromStdU16String(TextTooLongHint(m_window->language(), 127)));
    putOnClipboard({}, QString(127, 'x'));
    QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(target(1), std::string(127, 'x'));
}

// Text copied from a spreadsheet cell or a terminal ends in a line break; the input box takes
// the first line of several. Other control characters are still refused.
TEST_F(ClipboardWindowTest, PasteDropsFinalLineBreaksAndTheInputBoxTakesTheFirstLine)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("apple");
    ASSERT_EQ(m_window->editor().currentMark(), "A");
    const auto pasteIntoInput = [&](const QByteArray& eightBit, const QString& unicode) {
        input()->setFocus();
        input()->clear();
        QToolTip::hideText();
        putOnClipboard(eightBit, unicode);
        QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
        idle();
    };
    pasteIntoInput({}, "pear\r\n");
    EXPECT_EQ(input()->text(), "pear");
    EXPECT_EQ(target(1), "pear");
    pasteIntoInput("apple\n", "apple\n");
    EXPECT_EQ(input()->text(), "apple");
    EXPECT_EQ(target(1), "apple");
    EXPECT_FALSE(QToolTip::isVisible() && !QToolTip::text().isEmpty()) << "nothing was dropped";

    pasteIntoInput({}, "first\nsecond\n");
    EXPECT_EQ(input()->text(), "first");
    EXPECT_EQ(target(1), "first") << "the target gets what the input box got";
    EXPECT_EQ(QToolTip::text(),
              QString::fromStdU16String(PasteFirstLineOnlyHint(m_window->language())));

    pasteIntoInput({}, "a\tb\n");
    EXPECT_EQ(input()->text(), "");
    EXPECT_EQ(target(1), "first");
    EXPECT_EQ(QToolTip::text(), QString::fromStdU16String(InputRefusalHint(
                                    InputRefusal::ControlCharacter, m_window->language())));

    // Into the cell alone: the final break is dropped, one inside is refused.
    clickCell(kColTarget, 1);
    putOnClipboard({}, "cell\r\n");
    ASSERT_TRUE(trigger("MenuItemEditPaste"));
    EXPECT_EQ(target(1), "cell");
    putOnClipboard({}, "two\nlines");
    ASSERT_TRUE(trigger("MenuItemEditPaste"));
    EXPECT_EQ(target(1), "cell");
    EXPECT_EQ(QToolTip::text(), QString::fromStdU16String(InputRefusalHint(InputRefusal::LineBreak,
                                                                           m_window->language())));
}

TEST_F(ClipboardWindowTest, InputBoxCutAndCopyPutBothFormats)
{
    install("lang_sc.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    typeWord(q(u"大苹果树"));
    input()->setSelection(1, 2);
    QTest::keyClick(input(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard()->mimeData()->data(kGbkFormat), bytes(gbk(u"苹果")));
    EXPECT_EQ(clipboard()->text(), q(u"苹果"));
    EXPECT_EQ(input()->text(), q(u"大苹果树"));

    input()->setSelection(0, 1);
    ASSERT_TRUE(trigger("MenuItemEditCut"));
    EXPECT_EQ(clipboard()->mimeData()->data(kGbkFormat), bytes(gbk(u"大")));
    EXPECT_EQ(input()->text(), q(u"苹果树"));

    input()->setSelection(2, 1);
    QTest::keyClick(input(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(clipboard()->text(), q(u"树"));
    EXPECT_EQ(input()->text(), q(u"苹果"));

    // Without a selection the clipboard is left as it is.
    input()->deselect();
    ASSERT_TRUE(trigger("MenuItemEditCopy"));
    EXPECT_EQ(clipboard()->text(), q(u"树"));
}

TEST_F(ClipboardWindowTest, ReturnInTheInputBoxFindsAndATooLongCellKeystrokeIsHinted)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("tree");
    typeIntoCell(kColTarget, 1, q(u"树"));
    ASSERT_TRUE(trigger("ActionFileSave"));
    ASSERT_TRUE(trigger("ActionFileClose"));
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    ASSERT_TRUE(input()->hasFocus());
    // The word left in the input box is selected: typing replaces it.
    QTest::keyClicks(input(), "tree");
    EXPECT_EQ(input()->text(), "tree");
    QTest::keyClick(input(), Qt::Key_Return);
    idle();
    EXPECT_EQ(rows(), (Rows{{" ", "tree", "Noun", q(u"树")}}));

    // Without a word Find is unavailable: Return does nothing.
    input()->clear();
    QTest::keyClick(input(), Qt::Key_Return);
    EXPECT_EQ(rows().size(), 1u);

    // The E-C target holds 255 bytes: the keystroke past that is refused with the hint.
    QLineEdit* edit = modifyCell(kColTarget, 1);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    edit->insert(QString(DictionaryAccess::kEcTextLimit, 'x'));
    ASSERT_EQ(target(1).size(), DictionaryAccess::kEcTextLimit);
    QToolTip::hideText();
    QTest::keyClick(edit, 'y');
    EXPECT_EQ(target(1).size(), DictionaryAccess::kEcTextLimit);
    EXPECT_EQ(QToolTip::text(), QString::fromStdU16String(TextTooLongHint(
                                    m_window->language(), DictionaryAccess::kEcTextLimit)));
}

// The reading rules on their own, without a window.
TEST(ClipboardPasteRules, ReadsTheCodePageFormOrConvertsTheUnicodeText)
{
    const InterfaceLanguage en = InterfaceLanguage::English;
    EXPECT_EQ(CodePageMimeFormat(kCodePageBig5), "text/plain;charset=Big5");
    QMimeData none;
    EXPECT_FALSE(ReadClipboardPaste(&none, kCodePageGbk, en).hasText);
    EXPECT_FALSE(ReadClipboardPaste(nullptr, kCodePageGbk, en).hasText);

    // The 8-bit form ends at a terminating zero; without Unicode beside it "??" stays.
    QMimeData eightBit;
    eightBit.setData(kGbkFormat, QByteArray("a??\0junk", 8));
    ClipboardPaste paste = ReadClipboardPaste(&eightBit, kCodePageGbk, en);
    EXPECT_EQ(paste.bytes, "a??");
    EXPECT_FALSE(paste.refused());

    // Big5 reads its own format only.
    QMimeData big5;
    big5.setData(kGbkFormat, bytes(gbk(u"书")));
    big5.setText(q(u"書"));
    EXPECT_EQ(ReadClipboardPaste(&big5, kCodePageBig5, en).bytes,
              EncodeCodePage(u"書", kCodePageBig5));

    // The made data round-trips, and control characters are refused.
    const std::unique_ptr<QMimeData> made = CodePageMimeData(gbk(u"词典"), kCodePageGbk);
    EXPECT_EQ(made->text(), q(u"词典"));
    EXPECT_EQ(ReadClipboardPaste(made.get(), kCodePageGbk, en).bytes, gbk(u"词典"));
    QMimeData tab;
    tab.setText("a\tb");
    paste = ReadClipboardPaste(&tab, kCodePageGbk, en);
    EXPECT_TRUE(paste.hasText);
    EXPECT_EQ(paste.hint, InputRefusalHint(InputRefusal::ControlCharacter, en));

    // Final line breaks go, in either form; a break inside refuses or keeps the first line.
    QMimeData ending;
    ending.setData(kGbkFormat, bytes(gbk(u"词典") + "\r\n\n"));
    ending.setText(q(u"词典\r\n\n"));
    paste = ReadClipboardPaste(&ending, kCodePageGbk, en);
    EXPECT_EQ(paste.bytes, gbk(u"词典"));
    EXPECT_FALSE(paste.refused());
    EXPECT_TRUE(paste.droppedLinesHint.empty());
    QMimeData two;
    two.setData(kGbkFormat, bytes(gbk(u"词") + "\r\n" + gbk(u"典") + "\r\n"));
    EXPECT_EQ(ReadClipboardPaste(&two, kCodePageGbk, en).hint,
              InputRefusalHint(InputRefusal::LineBreak, en));
    paste = ReadClipboardPaste(&two, kCodePageGbk, en, PasteLines::FirstLine);
    EXPECT_EQ(paste.bytes, gbk(u"词"));
    EXPECT_EQ(paste.droppedLinesHint, PasteFirstLineOnlyHint(en));
    QMimeData breaks;
    breaks.setText("\r\n");
    EXPECT_FALSE(ReadClipboardPaste(&breaks, kCodePageGbk, en).hasText);
}

} // namespace
} // namespace kelvara

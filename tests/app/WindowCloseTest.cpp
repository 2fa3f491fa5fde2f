#include "WindowFixture.h"

#include "app/ImageList.h"
#include "editor/qt/EntryGridView.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace kelvara {
namespace {

// ---- availability in the window

TEST_F(WindowTest, RulesRunCoalescedWhenIdle)
{
    start("lang_en.ini", {true, true});
    m_window->setDictionaryOpen(true);
    m_window->setChanged(true);
    EXPECT_TRUE(m_window->menuUpdatePending());
    EXPECT_FALSE(item("ActionFileSave")->isEnabled()); // not before the idle moment
    idle();
    EXPECT_FALSE(m_window->menuUpdatePending());
    EXPECT_TRUE(item("ActionFileSave")->isEnabled());
    EXPECT_TRUE(item("MenuItemSave")->isEnabled());
    EXPECT_TRUE(component<QToolButton>("ToolButtonSave")->isEnabled());
    EXPECT_FALSE(item("ActionFileOpenEc")->isEnabled());
    EXPECT_TRUE(component<QLineEdit>("EditWordInput")->isEnabled());

    // Typing one character enables Find and Add.
    EXPECT_FALSE(item("ActionWordFind")->isEnabled());
    auto* input = component<QLineEdit>("EditWordInput");
    input->setText("w");
    idle();
    EXPECT_TRUE(item("ActionWordFind")->isEnabled());
    EXPECT_TRUE(item("MenuItemAdd")->isEnabled());
    EXPECT_TRUE(component<QToolButton>("ToolButtonFind")->isEnabled());
    input->clear();
    idle();
    EXPECT_FALSE(item("ActionWordAdd")->isEnabled());

    // Any input schedules the update, however many events arrive before the idle moment.
    ASSERT_FALSE(m_window->menuUpdatePending());
    QTest::keyClick(component<QWidget>("PanelDisplay"), Qt::Key_Shift);
    QTest::mouseClick(component<QWidget>("PanelDisplay"), Qt::LeftButton);
    EXPECT_TRUE(m_window->menuUpdatePending());
    idle();
    EXPECT_FALSE(m_window->menuUpdatePending());
}

TEST_F(WindowTest, CommandsCheckTheirRuleAtTheMomentTheyRun)
{
    start("lang_en.ini", {true, true});
    m_window->setDictionaryOpen(true);
    idle();
    auto* input = component<QLineEdit>("EditWordInput");
    // A word typed but not yet seen by the idle update: Add still looks disabled, yet the
    // rule holds now, so Add runs.
    input->setText("word");
    ASSERT_FALSE(item("ActionWordAdd")->isEnabled());
    EXPECT_TRUE(m_window->runCommand(Command::WordAdd));
    EXPECT_EQ(m_window->editor().mark(1), "A");
    EXPECT_TRUE(m_window->changed());
    EXPECT_EQ(input->selectedText(), "word"); // the next word typed replaces it
    idle();
    ASSERT_TRUE(item("ActionWordAdd")->isEnabled());
    // The box emptied behind the window's back: Add still looks enabled but must not run.
    input->clear();
    EXPECT_FALSE(m_window->runCommand(Command::WordAdd));
    EXPECT_EQ(m_window->editor().dataRowCount(), 1);
    EXPECT_FALSE(item("ActionWordAdd")->isEnabled()); // brought up to date by the check
    // Column width is always available; its dialog is answered with Cancel.
    ModalAnswer<TColWidthDlg> cancel(
        [](TColWidthDlg& dialog) { dialog.findChild<QPushButton*>("Button2")->click(); });
    EXPECT_TRUE(m_window->runCommand(Command::WordWidth));
    EXPECT_TRUE(cancel.answered());
}

TEST_F(WindowTest, OpenAndCloseSwitchTheWindowState)
{
    start("lang_en.ini", {true, true});
    m_window->show();
    // Open C-E asks no engine: the grid shows empty and the open-dictionary rules apply.
    ASSERT_TRUE(m_window->runCommand(Command::FileOpenCe));
    idle();
    EXPECT_TRUE(m_window->dictionary().open);
    EXPECT_EQ(m_window->dictionary().kind, DictionaryKind::CE);
    EXPECT_TRUE(component<QWidget>("StringGridDict")->isVisible());
    EXPECT_TRUE(menu("MenuItemEdit")->menuAction()->isVisible());
    EXPECT_FALSE(item("ActionFileOpenEc")->isEnabled());
    EXPECT_FALSE(menu("MenuItemOpen")->menuAction()->isEnabled());
    EXPECT_TRUE(item("ActionFileClose")->isEnabled());
    EXPECT_TRUE(component<QLineEdit>("EditWordInput")->isEnabled());
    EXPECT_FALSE(item("ActionWordDelete")->isEnabled()); // the placeholder row

    // Close with nothing changed: no prompt, the grid goes, and the caption becomes the
    // after-Close text while the application keeps its title.
    ASSERT_TRUE(m_window->runCommand(Command::FileClose));
    idle();
    EXPECT_FALSE(m_window->dictionary().open);
    EXPECT_FALSE(component<QWidget>("StringGridDict")->isVisible());
    EXPECT_EQ(m_window->windowTitle(), "Costom Dictionary Utility");
    EXPECT_EQ(TCustomDictForm::applicationTitle(), "Custom Dictionary Utility");
    EXPECT_TRUE(item("ActionFileOpenEc")->isEnabled());
    EXPECT_FALSE(menu("MenuItemEdit")->menuAction()->isVisible());
    EXPECT_FALSE(component<QLineEdit>("EditWordInput")->isEnabled());
}

TEST_F(WindowTest, TraditionalCaptionAfterCloseDiffersFromTheStartCaption)
{
    start("lang_tc.ini", {true, true});
    ASSERT_TRUE(m_window->runCommand(Command::FileOpenCe));
    ASSERT_TRUE(m_window->runCommand(Command::FileClose));
    EXPECT_EQ(m_window->windowTitle(), q(u"用戶詞典維護"));
    EXPECT_EQ(TCustomDictForm::applicationTitle(), q(u"用戶詞典"));
}

TEST_F(WindowTest, CloseAnsweredCancelKeepsTheDictionaryOpen)
{
    start("lang_en.ini", {true, true});
    ASSERT_TRUE(m_window->runCommand(Command::FileOpenCe));
    m_window->setChanged(true);
    ModalAnswer<TSaveDlg> answer([](TSaveDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_TRUE(m_window->runCommand(Command::FileClose));
    EXPECT_TRUE(answer.answered());
    EXPECT_TRUE(m_window->dictionary().open);
    EXPECT_TRUE(m_window->changed());
    EXPECT_EQ(m_window->saves, 0);
}

TEST_F(WindowTest, DeleteFollowsTheCurrentRowOnlyWhileOpen)
{
    start("lang_en.ini", {true, true});
    m_window->setDictionaryOpen(true);
    m_window->editor().AddEntryRow("E", "word", "Noun", "t");
    m_window->ActionListMenuUpdate();
    EXPECT_TRUE(item("ActionWordDelete")->isEnabled());
    EXPECT_FALSE(item("ActionWordModify")->isEnabled());
    m_window->setDictionaryOpen(false); // what Close leaves: the rows stay
    m_window->ActionListMenuUpdate();
    EXPECT_FALSE(item("ActionWordDelete")->isEnabled());
    EXPECT_FALSE(item("Delete2")->isEnabled());
}

// ---- close path and save prompt

TEST_F(WindowTest, ExitWithoutChangesClosesAtOnce)
{
    start("lang_en.ini");
    m_window->show();
    item("MenuItemExit")->trigger();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_window->saves, 0);
}

TEST_F(WindowTest, ExitAnsweredCancelKeepsTheWindowAndTheEdits)
{
    start("lang_en.ini");
    m_window->show();
    m_window->setChanged(true);
    ModalAnswer<TSaveDlg> answer(
        [](TSaveDlg& d) { d.findChild<QPushButton*>("CancalBtn")->click(); });
    item("MenuItemExit")->trigger();
    EXPECT_TRUE(answer.answered());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(m_window->changed());
    EXPECT_EQ(m_window->saves, 0);
}

TEST_F(WindowTest, TitleBarCloseOfThePromptIsCancel)
{
    start("lang_en.ini");
    m_window->show();
    m_window->setChanged(true);
    ModalAnswer<TSaveDlg> answer([](TSaveDlg& d) { d.close(); });
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(answer.answered());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(m_window->saves, 0);
}

TEST_F(WindowTest, ExitAnsweredNoClosesWithoutSaving)
{
    start("lang_en.ini");
    m_window->show();
    m_window->setChanged(true);
    ModalAnswer<TSaveDlg> answer([](TSaveDlg& d) { d.findChild<QPushButton*>("NoBtn")->click(); });
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(answer.answered());
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_window->saves, 0);
}

TEST_F(WindowTest, CloseAnsweredYesRunsTheSaveSeamThenCloses)
{
    start("lang_en.ini");
    m_window->show();
    m_window->setChanged(true);
    // Enter presses Yes, the default button with the focus.
    ModalAnswer<TSaveDlg> answer([](TSaveDlg& d) { QTest::keyClick(&d, Qt::Key_Return); });
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(m_window->saves, 1);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(WindowTest, YesWithRefusedRowsKeepsTheWindowOpen)
{
    start("lang_en.ini");
    m_window->show();
    m_window->editor().AddEntryRow("A", "word", "Noun", "t");
    m_window->setChanged(true);
    m_window->refuseRowOne = true;
    ModalAnswer<TSaveDlg> answer([](TSaveDlg& d) { d.findChild<QPushButton*>("OKBtn")->click(); });
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(m_window->saves, 1);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(m_window->editor().mark(1), "E");
}

TEST_F(WindowTest, YesWhenTheDictionaryDoesNotOpenKeepsTheWindowAndTheEdits)
{
    start("lang_en.ini");
    m_window->show();
    m_window->editor().AddEntryRow("A", "word", "Noun", "t");
    m_window->setChanged(true);
    m_window->openFails = true;
    ModalAnswer<TSaveDlg> answer([](TSaveDlg& d) { d.findChild<QPushButton*>("OKBtn")->click(); });
    EXPECT_FALSE(m_window->close()) << "the edits the user asked to keep are not dropped";
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(m_window->saves, 1);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(m_window->changed());
    EXPECT_EQ(m_window->editor().mark(1), "A");
}

TEST_F(WindowTest, SessionEndPassesThePrompt)
{
    start("lang_en.ini");
    EXPECT_TRUE(m_window->commitSessionData(false)); // nothing changed: nothing to ask
    m_window->setChanged(true);
    EXPECT_FALSE(m_window->commitSessionData(false)); // cannot ask: keep the edits
    ModalAnswer<TSaveDlg> answer([](TSaveDlg& d) { d.findChild<QPushButton*>("OKBtn")->click(); });
    EXPECT_TRUE(m_window->commitSessionData(true));
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(m_window->saves, 1);
}

// ---- the shell's dialogs

TEST_F(WindowTest, AboutShowsModallyAndOkCloses)
{
    start("lang_en.ini");
    ModalAnswer<TAboutForm> answer([](TAboutForm& d) {
        EXPECT_EQ(d.windowTitle(), q(u"关于"));
        EXPECT_EQ(d.size(), QSize(372, 225));
        EXPECT_EQ(d.okButton()->text(), q(u"确定"));
        d.okButton()->click();
    });
    m_window->MenuItemAboutClick();
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(m_about->result(), QDialog::Accepted);
    EXPECT_EQ(m_about->components().count(), 9u); // product, picture, six lines, button
}

TEST_F(WindowTest, ColumnWidthDialogTakesItsTextsOnShowAndIgnoresEnterAndEsc)
{
    start("lang_tc.ini");
    int result = -1;
    ModalAnswer<TColWidthDlg> answer([](TColWidthDlg& d) {
        EXPECT_EQ(d.windowTitle(), q(u"列寬"));
        EXPECT_EQ(d.findChild<QPushButton*>("Button1")->text(), q(u"确定"));
        QTest::keyClick(&d, Qt::Key_Escape);
        QTest::keyClick(d.Edit1(), Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        d.close(); // the close box answers Cancel
    });
    result = m_width->exec();
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(result, TColWidthDlg::kResultCancel);
}

} // namespace
} // namespace kelvara

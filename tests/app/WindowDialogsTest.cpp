// The file dialogs' own checks, and the focus rule of Copy while a menu is worked from the
// keyboard, through the real window.

#include "WindowFixture.h"

#include "app/FileDialogs.h"
#include "editor/qt/EntryGridView.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

// Types a name into a shown file dialog and clicks its Open or Save button, as a user does.
void typeAndAccept(QFileDialog& dialog, const QString& name)
{
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(buttons, nullptr);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, name);
    ASSERT_EQ(edit->text(), name);
    QPushButton* accept =
        buttons->button(dialog.acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                       : QDialogButtonBox::Save);
    ASSERT_NE(accept, nullptr);
    ASSERT_TRUE(accept->isEnabled());
    QTest::mouseClick(accept, Qt::LeftButton);
}

TEST_F(WindowTest, DialogsRefuseAPathIntoAMissingFolderAndStayOpen)
{
    start("lang_sc.ini", {true, true});
    const QString folder = QString::fromStdString(m_folder.path().string());
    struct Case
    {
        const char* dialog;
        const char* typed;
        const char* chosen;
    };
    for (const Case& c : {Case{"OpenDialogDictEc", "UserEcNew.key", "UserEcNew.key"},
                          Case{"OpenDialogDictCe", "UserCeNew.ext", "UserCeNew.ext"},
                          Case{"SaveDialogTxt", "entries", "entries.txt"}}) {
        SCOPED_TRACE(c.dialog);
        QFileDialog* dialog = component<LazyFileDialog>(c.dialog)->dialog();
        dialog->setDirectory(folder);

        // A name in a folder that exists is taken as before.
        dialog->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        typeAndAccept(*dialog, QLatin1String(c.typed));
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->selectedFiles().join('|').toStdString(),
                  (folder + '/' + QLatin1String(c.chosen)).toStdString());

        // A name in a folder that does not exist is refused by the dialog itself.
        dialog->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        QString refusal;
        {
            ModalAnswer<QMessageBox> answer([&refusal](QMessageBox& box) {
                refusal = box.text();
                box.accept();
            });
            typeAndAccept(*dialog, QStringLiteral("missing/") + QLatin1String(c.typed));
            EXPECT_TRUE(answer.answered());
        }
        // Said in the interface language, naming the folder.
        EXPECT_TRUE(refusal.startsWith(QString::fromUtf16(u"文件夹不存在")))
            << refusal.toStdString();
        EXPECT_TRUE(refusal.contains(folder + QStringLiteral("/missing"))) << refusal.toStdString();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_NE(dialog->result(), QDialog::Accepted);
        EXPECT_FALSE(fs::exists(m_folder.path() / "missing"));
        dialog->reject();
    }
}

TEST_F(WindowTest, CopyStaysEnabledWhileTheMenusAreWorkedFromTheKeyboard)
{
    start("lang_en.ini", {true, true});
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    ASSERT_TRUE(m_window->runCommand(Command::FileOpenCe));
    auto* input = component<QLineEdit>("EditWordInput");
    idle();
    input->setText(QStringLiteral("word"));
    ASSERT_TRUE(m_window->runCommand(Command::WordAdd));
    auto* grid = component<EntryGridView>("StringGridDict");
    grid->setFocus();
    idle();
    ASSERT_TRUE(item("ActionWordCopy")->isEnabled());

    // Alt gives the menu bar the focus; Down opens the File menu, Right moves to Edit.
    auto* menuBar = component<QMenuBar>("MainMenu1");
    QTest::keyClick(grid, Qt::Key_Alt);
    idle();
    ASSERT_TRUE(menuBar->hasFocus());
    EXPECT_TRUE(item("ActionWordCopy")->isEnabled());
    QTest::keyClick(menuBar, Qt::Key_Down);
    idle();
    ASSERT_TRUE(menu("MenuItemFile")->isVisible());
    QTest::keyClick(menu("MenuItemFile"), Qt::Key_Right);
    idle();
    ASSERT_TRUE(menu("MenuItemEdit")->isVisible());
    EXPECT_TRUE(item("ActionWordCopy")->isEnabled());
    EXPECT_TRUE(item("MenuItemCopy")->isEnabled());
    // Moving through the items keeps it so.
    QTest::keyClick(menu("MenuItemEdit"), Qt::Key_Down);
    QTest::keyClick(menu("MenuItemEdit"), Qt::Key_Down);
    idle();
    EXPECT_TRUE(item("MenuItemCopy")->isEnabled());

    // Leaving the menus gives the focus back to the grid; with the focus on the input box
    // before the menus are reached, Copy is off in them as well.
    QTest::keyClick(menu("MenuItemEdit"), Qt::Key_Escape);
    QTest::keyClick(menuBar, Qt::Key_Escape);
    idle();
    EXPECT_TRUE(grid->hasFocus());
    input->setFocus();
    idle();
    EXPECT_FALSE(item("ActionWordCopy")->isEnabled());
    QTest::keyClick(input, Qt::Key_Alt);
    idle();
    ASSERT_TRUE(menuBar->hasFocus());
    EXPECT_FALSE(item("ActionWordCopy")->isEnabled());
    QTest::keyClick(menuBar, Qt::Key_Escape);
}

} // namespace
} // namespace kelvara

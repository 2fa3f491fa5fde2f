#pragma once

// The main window under test, made as the program entry makes it: an installation laid out in
// a temporary folder, the window with its three dialogs, the means to drive it as a user does
// (typing into the input box and the in-place editor, clicking cells, picking in the
// drop-down, triggering the actions), and scripted answers to the modal dialogs it shows.
//
// WindowFixture<Window> is the one fixture; the suites derive small ones from it: WindowTest
// (a window that records its saves, over the test engines), WindowSessionTest (the real window
// over both reference engines), and the lock test's own.

#include "app/About.h"
#include "app/CSMain.h"
#include "app/FileDialogs.h"
#include "app/Save.h"
#include "app/width.h"
#include "editor/qt/EntryGridView.h"
#include "platform/TestTempFolder.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kelvara {

/// A wide literal as a QString.
inline QString q(const char16_t* text)
{
    return QString::fromUtf16(text);
}

/// The data rows of the grid, each as its cells show.
using Rows = std::vector<std::vector<QString>>;

// ---- modal dialogs answered by script

/// Runs answer on the next modal dialog of type Dialog once it is shown (polling the event
/// loop, so it works for dialogs opened by exec()). Records whether it ran.
template <typename Dialog> class ModalAnswer
{
public:
    explicit ModalAnswer(std::function<void(Dialog&)> answer) : m_answer(std::move(answer))
    {
        poll();
    }
    bool answered() const { return m_answered; }

private:
    void poll()
    {
        QTimer::singleShot(5, &m_guard, [this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible()) {
                m_answered = true;
                m_answer(*dialog);
                return;
            }
            if (++m_tries < 400)
                poll();
        });
    }

    QObject m_guard; // ends the polling when the answer goes away
    std::function<void(Dialog&)> m_answer;
    bool m_answered = false;
    int m_tries = 0;
};

// Answers every message box the window shows with OK and keeps its text, so that a fault
// fails the test instead of leaving it waiting on a modal loop.
class MessageCatcher
{
public:
    MessageCatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages.push_back(box->text());
                box->accept();
            }
        });
        m_timer.start();
    }
    QStringList messages;

private:
    QTimer m_timer;
};

// Answers the window's file dialogs in turn: each step names the dialog expected and the path
// to choose in it (an empty path cancels). A dialog that is not the one expected is cancelled
// and recorded, so a wrong order fails the test instead of hanging it.
class FileDialogScript
{
public:
    using Step = std::pair<QString, QString>;
    explicit FileDialogScript(std::deque<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start();
    }
    QStringList shown;
    bool done() const { return m_steps.empty(); }

private:
    void answer()
    {
        auto* dialog = qobject_cast<CheckedFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        shown.push_back(dialog->objectName());
        if (m_steps.empty() || m_steps.front().first != dialog->objectName() ||
            m_steps.front().second.isEmpty()) {
            if (!m_steps.empty())
                m_steps.pop_front();
            dialog->reject();
            return;
        }
        // Typed into the name field and confirmed, as a user does.
        const QFileInfo chosen(m_steps.front().second);
        m_steps.pop_front();
        dialog->setDirectory(chosen.absolutePath());
        // A user types with the focus in the field, and the dialog then drops the files
        // selected before; without the focus it would add the typed name to them, once its
        // folder model has seen the file.
        for (auto* view : dialog->findChildren<QAbstractItemView*>()) {
            if (view->selectionModel())
                view->selectionModel()->clearSelection();
        }
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->setText(chosen.fileName());
        dialog->accept();
    }

    std::deque<Step> m_steps;
    QTimer m_timer;
};

// ---- the window

/// What a test installation holds besides its folders: Config/Kelvara.ini naming the
/// language file (no [UserInterface] section when it is empty), and the engine libraries
/// copied into ArticleS/ under the platform's names (none where a path is empty).
struct Installation
{
    std::string languageFile;
    std::string ecLibrary;
    std::string ceLibrary;
};

// The installation in a temporary folder and the window of Window's type on it, with the
// save prompt, the column-width dialog and the About box made in the program entry's order.
template <typename Window> class WindowFixture : public ::testing::Test
{
protected:
    // ---- installation and window

    void layOut(const Installation& installation)
    {
        namespace fs = std::filesystem;
        fs::create_directories(m_folder.path() / "ArticleS");
        if (!installation.ecLibrary.empty())
            fs::copy_file(installation.ecLibrary, m_folder.path() / "ArticleS" / "Ecbank.dll");
        if (!installation.ceLibrary.empty())
            fs::copy_file(installation.ceLibrary, m_folder.path() / "ArticleS" / "Hanbank.dll");
        configure(installation.languageFile);
    }

    // Writes Config/Kelvara.ini anew: the Simplified platform, in the interface language of
    // the language file.
    void configure(const std::string& languageFile)
    {
        std::filesystem::create_directories(m_folder.path() / "Config");
        std::ofstream ini(m_folder.path() / "Config" / "Kelvara.ini", std::ios::binary);
        ini << "[Preferences]\r\nChineseType=0\r\n";
        if (!languageFile.empty())
            ini << "[UserInterface]\r\nLanguageFileName=" << languageFile << "\r\n";
    }

    // The program entry's four windows, on the installation; none of them shown.
    void build()
    {
        m_window = std::make_unique<Window>(m_folder.folder());
        m_save = std::make_unique<TSaveDlg>(m_window->language());
        m_width = std::make_unique<TColWidthDlg>(m_window->language());
        m_about = std::make_unique<TAboutForm>();
        m_window->attachDialogs(m_save.get(), m_width.get(), m_about.get());
    }

    void showWindow()
    {
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // The end of the program: the dialogs and the window go, unloading the engines.
    void stop()
    {
        m_about.reset();
        m_width.reset();
        m_save.reset();
        m_window.reset();
    }

    void TearDown() override
    {
        stop();
        // No window of a test outlives it.
        const QWidgetList windows = QApplication::topLevelWidgets();
        EXPECT_TRUE(std::none_of(windows.begin(), windows.end(),
                                 [](const QWidget* w) { return w->isVisible(); }));
    }

    // ---- the window's parts

    template <typename T> T* component(const char* name) const
    {
        const Component* c = m_window->components().find(name);
        return c ? qobject_cast<T*>(static_cast<QObject*>(c->object)) : nullptr;
    }
    QAction* item(const char* name) const { return component<QAction>(name); }
    QMenu* menu(const char* name) const { return component<QMenu>(name); }
    QLineEdit* input() const { return component<QLineEdit>("EditWordInput"); }
    EntryGridView* grid() const { return component<EntryGridView>("StringGridDict"); }
    QComboBox* typeCombo() const { return component<QComboBox>("ComboBoxType"); }

    // Lets the coalesced rule update run.
    static void idle() { QCoreApplication::processEvents(); }

    // ---- driven as a user drives it

    // Triggers an action as a menu item or button does; false when it was disabled.
    bool trigger(const char* name)
    {
        idle();
        auto* a = component<QAction>(name);
        EXPECT_NE(a, nullptr) << name;
        if (!a || !a->isEnabled())
            return false;
        a->trigger();
        idle();
        return true;
    }

    // Types text as the keyboard and the input method deliver it: ASCII as keystrokes,
    // everything else as committed input-method text.
    static void typeInto(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(widget, c.toLatin1());
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(widget, &commit);
            }
        }
    }

    // Replaces the input box text by typing over it.
    void typeWord(const QString& word)
    {
        idle();
        ASSERT_TRUE(input()->isEnabled());
        input()->setFocus();
        input()->selectAll();
        QTest::keyClick(input(), Qt::Key_Delete);
        typeInto(input(), word);
        ASSERT_EQ(input()->text(), word);
    }

    void find(const QString& word)
    {
        typeWord(word);
        ASSERT_TRUE(trigger("ActionWordFind"));
    }

    void add(const QString& word)
    {
        typeWord(word);
        ASSERT_TRUE(trigger("ActionWordAdd"));
    }

    void clickCell(int column, int row)
    {
        idle();
        const QRect cell = grid()->visualRect(grid()->model()->index(row, column));
        ASSERT_TRUE(cell.isValid());
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_EQ(m_window->editor().currentColumn(), column);
        ASSERT_EQ(m_window->editor().currentRow(), row);
    }

    // Modify on a cell: the in-place editor it opens, with the cursor at the end.
    QLineEdit* modifyCell(int column, int row)
    {
        clickCell(column, row);
        if (!trigger("ActionWordModify"))
            return nullptr;
        auto* edit =
            qobject_cast<QLineEdit*>(grid()->indexWidget(grid()->model()->index(row, column)));
        if (edit) {
            edit->setFocus();
            edit->end(false);
        }
        return edit;
    }

    // Modify on a cell, typing text at the end of what it holds.
    void typeIntoCell(int column, int row, const QString& text)
    {
        QLineEdit* edit = modifyCell(column, row);
        ASSERT_NE(edit, nullptr);
        const QString before = edit->text();
        typeInto(edit, text);
        ASSERT_EQ(edit->text(), before + text);
    }

    // Modify on the part-of-speech cell of an added row, stepping down the drop-down.
    void pickPartOfSpeech(int row, int steps)
    {
        clickCell(kColPartOfSpeech, row);
        ASSERT_TRUE(trigger("ActionWordModify"));
        ASSERT_TRUE(typeCombo()->isVisible());
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(typeCombo(), Qt::Key_Down);
        idle();
    }

    // The data rows as the grid shows them; none for the placeholder row.
    Rows rows() const
    {
        Rows out;
        const QAbstractItemModel* model = grid()->model();
        if (model->rowCount() == 2 && model->index(1, kColMark).data().toString().isEmpty())
            return out;
        for (int row = kFirstDataRow; row < model->rowCount(); ++row) {
            std::vector<QString> cells;
            for (int column = 0; column < kColumnCount; ++column)
                cells.push_back(model->index(row, column).data().toString());
            out.push_back(cells);
        }
        return out;
    }

    TestTempFolder m_folder;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<TSaveDlg> m_save;
    std::unique_ptr<TColWidthDlg> m_width;
    std::unique_ptr<TAboutForm> m_about;
};

// ---- the suites' fixtures

// A window whose save seam records its calls instead of writing a dictionary; it can play
// an engine that refuses the row in line 1, or a dictionary that does not open (a save that
// writes clears the changed flag, one that cannot open leaves it set).
class RecordingWindow : public TCustomDictForm
{
public:
    using TCustomDictForm::TCustomDictForm;
    int saves = 0;
    bool refuseRowOne = false;
    bool openFails = false;

protected:
    void saveOpenDictionary() override
    {
        ++saves;
        if (openFails)
            return;
        if (refuseRowOne)
            editor().setMark(1, "E");
        setChanged(false);
    }
};

/// Which test engine libraries an installation of WindowTest gets.
struct Engines
{
    bool ec = false;
    bool ce = false;
};

// The recording window over the small test engines, which serve no dictionary.
class WindowTest : public WindowFixture<RecordingWindow>
{
protected:
    void start(const std::string& languageFile, Engines engines = {})
    {
        layOut({languageFile, engines.ec ? KELVARA_TEST_EC_COMPLETE : "",
                engines.ce ? KELVARA_TEST_CE_COMPLETE : ""});
        build();
    }
};

// The real window over both reference engines, shown, with every message box it shows
// answered and kept: a test that leaves one unchecked fails.
class WindowSessionTest : public WindowFixture<TCustomDictForm>
{
protected:
    // An installation with both reference engines in ArticleS/, in the interface language
    // of the language file, and the window on it.
    void install(const char* languageFile)
    {
        layOut({languageFile, KELVARA_EC_LIBRARY, KELVARA_CE_LIBRARY});
        start();
    }

    void start()
    {
        build();
        showWindow();
        ASSERT_TRUE(m_window->startup().ec.available());
        ASSERT_TRUE(m_window->startup().ce.available());
    }

    void restart()
    {
        stop();
        start();
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_messages.messages.isEmpty()) << m_messages.messages.join('\n').toStdString();
        WindowFixture::TearDown();
    }

    MessageCatcher m_messages;
};

} // namespace kelvara

#pragma once

// The main window over the reference engines in a temporary installation, driven as a user
// drives it: typing into the input box and the in-place editor, clicking cells, picking in the
// drop-down, triggering the actions.

#include "WindowTestSupport.h"
#include "app/About.h"
#include "app/CSMain.h"
#include "app/Save.h"
#include "app/width.h"
#include "editor/EntryGridView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace kelvara {

using Rows = std::vector<std::vector<QString>>;

inline QString q(const char16_t* text)
{
    return QString::fromUtf16(text);
}

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

class WindowSessionTest : public ::testing::Test
{
protected:
    // An installation with both reference engines in ArticleS/, in the interface language
    // of the language file.
    void install(const char* languageFile)
    {
        std::filesystem::create_directories(m_folder.path() / "ArticleS");
        std::filesystem::copy_file(KELVARA_EC_LIBRARY, m_folder.path() / "ArticleS" / "Ecbank.dll");
        std::filesystem::copy_file(KELVARA_CE_LIBRARY,
                                   m_folder.path() / "ArticleS" / "Hanbank.dll");
        configure(languageFile);
        start();
    }

    void configure(const char* languageFile)
    {
        std::filesystem::create_directories(m_folder.path() / "Config");
        std::ofstream(m_folder.path() / "Config" / "Kelvara.ini", std::ios::binary)
            << "[Preferences]\r\nChineseType=0\r\n[UserInterface]\r\nLanguageFileName="
            << languageFile << "\r\n";
    }

    // The program entry's four windows, on the installation.
    void start()
    {
        m_window = std::make_unique<TCustomDictForm>(m_folder.folder());
        m_save = std::make_unique<TSaveDlg>(m_window->language());
        m_width = std::make_unique<TColWidthDlg>(m_window->language());
        m_about = std::make_unique<TAboutForm>();
        m_window->attachDialogs(m_save.get(), m_width.get(), m_about.get());
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        ASSERT_TRUE(m_window->startup().ec.available());
        ASSERT_TRUE(m_window->startup().ce.available());
    }

    // The end of the program: the window goes, unloading both engines.
    void stop()
    {
        m_about.reset();
        m_width.reset();
        m_save.reset();
        m_window.reset();
    }

    void restart()
    {
        stop();
        start();
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_messages.messages.isEmpty()) << m_messages.messages.join('\n').toStdString();
        stop();
    }

    template <typename T> T* component(const char* name) const
    {
        const Component* c = m_window->components().find(name);
        return c ? qobject_cast<T*>(static_cast<QObject*>(c->object)) : nullptr;
    }
    QLineEdit* input() const { return component<QLineEdit>("EditWordInput"); }
    EntryGridView* grid() const { return component<EntryGridView>("StringGridDict"); }
    QComboBox* typeCombo() const { return component<QComboBox>("ComboBoxType"); }

    static void idle() { QCoreApplication::processEvents(); }

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
    MessageCatcher m_messages;
    std::unique_ptr<TCustomDictForm> m_window;
    std::unique_ptr<TSaveDlg> m_save;
    std::unique_ptr<TColWidthDlg> m_width;
    std::unique_ptr<TAboutForm> m_about;
};

} // namespace kelvara

// Whole sessions through the real main window and the reference engines, driven as a user
// drives them: typing into the input box and the in-place editor, clicking cells, picking in
// the drop-down, triggering the actions. What was saved is what the next Find shows, also
// after the window (and with it the engines) went away and a new one started.

#include "WindowTestSupport.h"
#include "app/About.h"
#include "app/CSMain.h"
#include "app/Save.h"
#include "app/width.h"
#include "editor/EntryGridView.h"
#include "editor/LineEditGuard.h"
#include "lang/AccessMessages.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace kelvara::testing {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<QString>>;

QString q(const char16_t* text)
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
        fs::create_directories(m_folder.path() / "ArticleS");
        fs::copy_file(KELVARA_EC_LIBRARY, m_folder.path() / "ArticleS" / "Ecbank.dll");
        fs::copy_file(KELVARA_CE_LIBRARY, m_folder.path() / "ArticleS" / "Hanbank.dll");
        configure(languageFile);
        start();
    }

    void configure(const char* languageFile)
    {
        fs::create_directories(m_folder.path() / "Config");
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

TEST_F(WindowSessionTest, EcSessionKeepsExactlyWhatWasSaved)
{
    install("lang_sc.ini");
    const QString noun = q(u"名词");
    const QString verb = q(u"动词");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    ASSERT_TRUE(grid()->isVisible());
    find("apple");
    EXPECT_TRUE(rows().empty());

    add("apple");
    typeIntoCell(kColTarget, 1, q(u"苹果"));
    add("apple");
    pickPartOfSpeech(2, 1);
    typeIntoCell(kColTarget, 2, q(u"削苹果"));
    EXPECT_EQ(rows(), (Rows{{"A", "apple", noun, q(u"苹果")}, {"A", "apple", verb, q(u"削苹果")}}));
    ASSERT_TRUE(trigger("ActionFileSave"));
    EXPECT_EQ(rows(), (Rows{{" ", "apple", noun, q(u"苹果")}, {" ", "apple", verb, q(u"削苹果")}}));
    EXPECT_FALSE(m_window->changed());

    // Senses come back in part-of-speech order.
    find("apple");
    ASSERT_EQ(rows(), (Rows{{" ", "apple", noun, q(u"苹果")}, {" ", "apple", verb, q(u"削苹果")}}));
    typeIntoCell(kColTarget, 1, q(u"树"));
    EXPECT_EQ(rows()[0][0], "M");
    clickCell(kColTarget, 2);
    ASSERT_TRUE(trigger("ActionWordDelete"));
    EXPECT_EQ(rows()[1][0], "D");
    ASSERT_TRUE(trigger("ActionFileSave"));
    EXPECT_EQ(rows(), (Rows{{" ", "apple", noun, q(u"苹果树")}}));
    ASSERT_TRUE(trigger("ActionFileClose"));
    EXPECT_FALSE(grid()->isVisible());

    const Rows expected{{" ", "apple", noun, q(u"苹果树")}};
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    find("apple");
    EXPECT_EQ(rows(), expected);
    ASSERT_TRUE(trigger("ActionFileClose"));

    restart();
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    find("APPLE"); // the E-C engine matches letters without regard to case
    EXPECT_EQ(rows(), expected);
}

TEST_F(WindowSessionTest, CeSessionKeepsExactlyWhatWasSaved)
{
    install("lang_sc.ini");
    const QString word = q(u"打");
    const QString noun = q(u"名词");
    const QString vt = q(u"及物动词");
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    find(word);
    EXPECT_TRUE(rows().empty());

    add(word);
    typeIntoCell(kColTarget, 1, "dozen");
    add(word);
    pickPartOfSpeech(2, 1);
    typeIntoCell(kColTarget, 2, "hit");
    ASSERT_TRUE(trigger("ActionFileSave"));
    EXPECT_EQ(rows(), (Rows{{" ", word, noun, "dozen"}, {" ", word, vt, "hit"}}));

    // The engine's sense list comes back last sense first.
    find(word);
    ASSERT_EQ(rows(), (Rows{{" ", word, vt, "hit"}, {" ", word, noun, "dozen"}}));
    typeIntoCell(kColTarget, 2, "s");
    ASSERT_TRUE(trigger("ActionFileSave"));
    find(word);
    // The changed sense was written back last, so it now comes first.
    ASSERT_EQ(rows(), (Rows{{" ", word, noun, "dozens"}, {" ", word, vt, "hit"}}));

    clickCell(kColTarget, 2);
    ASSERT_TRUE(trigger("ActionWordDelete"));
    ASSERT_TRUE(trigger("ActionFileSave"));
    EXPECT_EQ(rows(), (Rows{{" ", word, noun, "dozens"}}));
    ASSERT_TRUE(trigger("ActionFileClose"));

    const Rows expected{{" ", word, noun, "dozens"}};
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    find(word);
    EXPECT_EQ(rows(), expected);
    ASSERT_TRUE(trigger("ActionFileClose"));

    restart();
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    find(word);
    EXPECT_EQ(rows(), expected);
}

TEST_F(WindowSessionTest, CeTargetRefusesAParenthesisWhileTyping)
{
    install("lang_sc.ini");
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    add(q(u"球"));
    QLineEdit* edit = modifyCell(kColTarget, 1);
    ASSERT_NE(edit, nullptr);
    QString hint;
    QObject::connect(qobject_cast<const CodePageValidator*>(edit->validator()),
                     &CodePageValidator::refused, [&](const QString& h) { hint = h; });
    typeInto(edit, "ball ");
    QTest::keyClick(edit, '(');
    EXPECT_EQ(edit->text(), "ball ");
    EXPECT_EQ(m_window->editor().cell(kColTarget, 1), "ball ");
    const QString expected =
        QString::fromStdU16String(CeTargetParenthesisHint(m_window->language()));
    EXPECT_EQ(hint, expected);
    EXPECT_EQ(QToolTip::text(), expected) << "the hint shows at the editor";
    edit->insert("(round)"); // a paste goes nowhere either
    EXPECT_EQ(edit->text(), "ball ");

    // The engine's translation buffer holds 127 bytes: a paste past that is refused whole.
    hint.clear();
    edit->insert(QString(123, 'x'));
    EXPECT_EQ(edit->text(), "ball ") << "a cut paste would store what nobody typed";
    EXPECT_EQ(hint, QString::fromStdU16String(TextTooLongHint(m_window->language(), 127)));
    edit->insert(QString(122, 'x'));
    EXPECT_EQ(m_window->editor().cell(kColTarget, 1).size(), 127u);
    edit->selectAll();
    typeInto(edit, "ball");

    // The source may hold one, and an E-C target too: the check follows the open kind.
    typeIntoCell(kColSource, 1, "(");
    ASSERT_TRUE(trigger("ActionFileSave"));
    ASSERT_TRUE(trigger("ActionFileClose"));
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("ball");
    typeIntoCell(kColTarget, 1, q(u"球(圆)"));
}

TEST_F(WindowSessionTest, CeAddRefusesABackslashInTheWord)
{
    // The engine's export line separates its fields with a backslash: such a word is refused
    // at Add with its reason instead of vanishing at the next save.
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    add("a\\b");
    ASSERT_EQ(m_messages.messages.size(), 1);
    EXPECT_EQ(m_messages.messages[0],
              QString::fromStdU16String(CeSourceBackslashHint(m_window->language())));
    m_messages.messages.clear();
    EXPECT_TRUE(m_window->editor().isPlaceholder());
    EXPECT_FALSE(m_window->changed());
}

TEST_F(WindowSessionTest, CeEnglishShowsAChineseLabelAsNounAndModifyReplacesIt)
{
    install("lang_sc.ini");
    const QString word = q(u"书");
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    add(word);
    typeIntoCell(kColTarget, 1, "book");
    ASSERT_TRUE(trigger("ActionFileSave"));
    find(word);
    ASSERT_EQ(rows(), (Rows{{" ", word, q(u"名词"), "book"}}));
    ASSERT_TRUE(trigger("ActionFileClose"));

    stop();
    configure("lang_en.ini");
    start();
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    find(word);
    ASSERT_EQ(rows(), (Rows{{" ", word, "Noun", "book"}}));
    QLineEdit* edit = modifyCell(kColTarget, 1);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    typeInto(edit, "volume");
    ASSERT_TRUE(trigger("ActionFileSave"));
    find(word);
    EXPECT_EQ(rows(), (Rows{{" ", word, "Noun", "volume"}})) << "replaced, not added beside";

    clickCell(kColTarget, 1);
    ASSERT_TRUE(trigger("ActionWordDelete"));
    ASSERT_TRUE(trigger("ActionFileSave"));
    find(word);
    EXPECT_TRUE(rows().empty());
}

TEST_F(WindowSessionTest, SavePromptOnExitWritesOrDropsTheEdits)
{
    install("lang_sc.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("pear");
    typeIntoCell(kColTarget, 1, q(u"梨"));
    {
        ModalAnswer<TSaveDlg> yes([](TSaveDlg& d) { d.findChild<QPushButton*>("OKBtn")->click(); });
        component<QAction>("MenuItemExit")->trigger();
        EXPECT_TRUE(yes.answered());
    }
    EXPECT_FALSE(m_window->isVisible()) << "Yes saved and let the window close";

    restart();
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    find("pear");
    ASSERT_EQ(rows(), (Rows{{" ", "pear", q(u"名词"), q(u"梨")}}));
    typeIntoCell(kColTarget, 1, q(u"子"));
    {
        ModalAnswer<TSaveDlg> no([](TSaveDlg& d) { d.findChild<QPushButton*>("NoBtn")->click(); });
        EXPECT_TRUE(m_window->close());
        EXPECT_TRUE(no.answered());
    }

    restart();
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    find("pear");
    EXPECT_EQ(rows(), (Rows{{" ", "pear", q(u"名词"), q(u"梨")}})) << "No dropped the change";
}

} // namespace
} // namespace kelvara::testing

// Whole sessions through the real main window and the reference engines, driven as a user
// drives them. What was saved is what the next Find shows, also after the window (and with it
// the engines) went away and a new one started.

#include "WindowFixture.h"

#include "editor/qt/LineEditGuard.h"
#include "lang/AccessMessages.h"

#include <QPushButton>
#include <QToolTip>

namespace kelvara {
namespace {

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
} // namespace kelvara

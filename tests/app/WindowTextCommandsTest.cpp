// The import and export commands through the real window and the reference engines, with the
// file dialogs answered as a user answers them.

#include "WindowFixture.h"

#include "app/FileDialogs.h"
#include "platform/CodePage.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <deque>
#include <utility>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

std::string gbk(const char16_t* text)
{
    return EncodeCodePage(text, kCodePageGbk);
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString qpath(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

class TextCommandWindowTest : public WindowSessionTest
{
protected:
    // Runs a hidden submenu's item as the menu would, answering the file dialogs.
    void run(const char* item, std::deque<FileDialogScript::Step> steps)
    {
        FileDialogScript script(std::move(steps));
        ASSERT_TRUE(trigger(item));
        EXPECT_TRUE(script.done()) << script.shown.join(',').toStdString();
    }

    fs::path file(const char* name) const { return m_folder.path() / name; }
};

TEST_F(TextCommandWindowTest, EcImportToDictionaryThenFindAndExportFromDictionary)
{
    install("lang_sc.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    writeFile(file("in.txt"), "apple\r\n" + gbk(u"名词") + "\r\n" + gbk(u"苹果") +
                                  "\r\napple\r\nv.\r\n" + gbk(u"削苹果") + "\r\n");
    run("MenuItemToDict", {{"OpenDialogTxt", qpath(file("in.txt"))}});
    EXPECT_FALSE(m_window->changed()) << "the grid is left alone";
    EXPECT_TRUE(m_window->editor().isPlaceholder());

    find("apple");
    const QString noun = q(u"名词");
    const QString verb = q(u"动词");
    EXPECT_EQ(rows(), (Rows{{" ", "apple", noun, q(u"苹果")}, {" ", "apple", verb, q(u"削苹果")}}));

    run("MenuItemFromDict", {{"SaveDialogTxt", qpath(file("out.txt"))}});
    // The E-C engine gives its own English part-of-speech words.
    EXPECT_EQ(readFile(file("out.txt")), "apple\r\nNoun\r\n" + gbk(u"苹果") +
                                             "\r\napple\r\nVerb\r\n" + gbk(u"削苹果") + "\r\n");

    // A cancelled dialog does nothing and says nothing.
    run("MenuItemToDict", {{"OpenDialogTxt", QString()}});
    find("apple");
    EXPECT_EQ(rows().size(), 2u);
}

TEST_F(TextCommandWindowTest, ImportToEditorAndExportFromEditorSkippingDeletedRows)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    // LF-only lines, as a Linux editor writes them.
    writeFile(file("in.txt"), "pear\nNoun\n" + gbk(u"梨") + "\nplum\nNoun\n" + gbk(u"李子") + "\n");
    run("MenuItemToEditor", {{"OpenDialogTxt", qpath(file("in.txt"))}});
    EXPECT_EQ(rows(), (Rows{{"A", "pear", "Noun", q(u"梨")}, {"A", "plum", "Noun", q(u"李子")}}));
    EXPECT_TRUE(m_window->changed());

    clickCell(kColTarget, 1);
    ASSERT_TRUE(trigger("ActionWordDelete"));
    ASSERT_EQ(rows()[0][0], "d");
    run("MenuItemFromEditor", {{"SaveDialogTxt", qpath(file("out"))}});
    // The dialog adds the default extension; the dropped row is left out.
    EXPECT_FALSE(fs::exists(file("out")));
    EXPECT_EQ(readFile(file("out.txt")), "plum\r\nNoun\r\n" + gbk(u"李子") + "\r\n");
    EXPECT_TRUE(m_window->changed()) << "an export saves nothing";
}

TEST_F(TextCommandWindowTest, CeImportAsksForTheDictionaryOnceAndReportsSkippedRecords)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    // The second record's translation is longer than the engine's 127-byte buffer.
    writeFile(file("in.txt"), gbk(u"书") + "\r\nNoun\r\nbook\r\n" + gbk(u"长") + "\r\nAdj\r\n" +
                                  std::string(200, 'x') + "\r\n");
    const QString ceDictionary = qpath(m_folder.path() / "ArticleS" / "UserCeMine.ext");
    run("MenuItemToDict",
        {{"OpenDialogTxt", qpath(file("in.txt"))}, {"OpenDialogDictCe", ceDictionary}});
    ASSERT_EQ(m_messages.messages.size(), 1) << "the skipped record is reported";
    EXPECT_TRUE(m_messages.messages[0].contains("1")) << m_messages.messages[0].toStdString();
    m_messages.messages.clear();
    find(q(u"书"));
    EXPECT_EQ(rows(), (Rows{{" ", q(u"书"), "Noun", "book"}}));
    find(q(u"长"));
    EXPECT_TRUE(rows().empty()) << "never stored cut";

    // The dialog holds a file name now: the next import does not ask again.
    writeFile(file("in2.txt"), gbk(u"笔") + "\r\nNoun\r\npen\r\n");
    run("MenuItemToDict", {{"OpenDialogTxt", qpath(file("in2.txt"))}});
    find(q(u"笔"));
    EXPECT_EQ(rows(), (Rows{{" ", q(u"笔"), "Noun", "pen"}}));
    EXPECT_TRUE(m_messages.messages.isEmpty());

    // Cancelling the dictionary dialog of a fresh window imports nothing.
    ASSERT_TRUE(trigger("ActionFileClose"));
    restart();
    ASSERT_TRUE(trigger("ActionFileOpenCe"));
    writeFile(file("in3.txt"), gbk(u"墨") + "\r\nNoun\r\nink\r\n");
    run("MenuItemToDict", {{"OpenDialogTxt", qpath(file("in3.txt"))}, {"OpenDialogDictCe", {}}});
    find(q(u"墨"));
    EXPECT_TRUE(rows().empty());
}

// The progress dialog once records are being read: the encoding guess before the first
// record hears Cancel too, and a cancel then would leave nothing read to look at.
QProgressDialog* recordsUnderWay(const QWidget& window)
{
    auto* dialog = window.findChild<QProgressDialog*>(QStringLiteral("ProgressText"));
    return dialog && dialog->labelText().section(u' ', 0, 0).toInt() > 0 ? dialog : nullptr;
}

TEST_F(TextCommandWindowTest, ProgressShowsRecordsDoneAndCancelStopsBetweenRecords)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));

    // The progress display on its own: scaled to the work, the records in its label.
    EXPECT_TRUE(m_window->prompts().progress({7, 50, 200}));
    auto* dialog = m_window->findChild<QProgressDialog*>(QStringLiteral("ProgressText"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->value() * 4, dialog->maximum());
    EXPECT_TRUE(dialog->labelText().contains("7")) << dialog->labelText().toStdString();
    dialog->cancel();
    EXPECT_FALSE(m_window->prompts().progress({8, 60, 200}));
    // The next command starts afresh.
    run("MenuItemToEditor", {{"OpenDialogTxt", QString()}});
    EXPECT_EQ(m_window->findChild<QProgressDialog*>(QStringLiteral("ProgressText")), nullptr);

    // A long import: Cancel in its progress dialog stops it; what was read stays, and the
    // summary says it stopped. No progress dialog outlives the command.
    std::string text;
    constexpr int kRecords = 300000;
    for (int i = 0; i < kRecords; ++i)
        text += "w" + std::to_string(i) + "\r\nNoun\r\nx\r\n";
    writeFile(file("long.txt"), text);
    QTimer canceller;
    canceller.setInterval(1);
    QObject::connect(&canceller, &QTimer::timeout, [this] {
        if (auto* p = recordsUnderWay(*m_window))
            p->cancel();
    });
    canceller.start();
    run("MenuItemToEditor", {{"OpenDialogTxt", qpath(file("long.txt"))}});
    canceller.stop();
    EXPECT_EQ(m_window->findChild<QProgressDialog*>(QStringLiteral("ProgressText")), nullptr);
    ASSERT_EQ(m_messages.messages.size(), 1);
    const int imported = m_window->editor().dataRowCount();
    EXPECT_GT(imported, 0);
    EXPECT_LT(imported, kRecords);
    EXPECT_EQ(m_window->editor().mark(imported), "A");
    m_messages.messages.clear();
}

// The progress dialog lets the event loop run; while an import runs, nothing else of the
// window may start in it: no command (Save, Close, another import), no close of the window,
// no session end, no typing into the input box.
TEST_F(TextCommandWindowTest, NothingElseOfTheWindowRunsWhileAnImportRuns)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("keep");
    ASSERT_EQ(m_window->editor().mark(1), "A");
    const QString typed = input()->text();
    std::string text;
    for (int i = 0; i < 300000; ++i)
        text += "w" + std::to_string(i) + "\r\nNoun\r\nx\r\n";
    writeFile(file("long.txt"), text);

    int attempts = 0;
    QTimer meddler;
    meddler.setInterval(1);
    QObject::connect(&meddler, &QTimer::timeout, [&] {
        if (!m_window->textCommandRunning())
            return;
        ++attempts;
        for (const char* name : {"ActionFileSave", "ActionFileClose", "MenuItemToEditor",
                                 "ActionWordAdd", "MenuItemEditPaste"})
            component<QAction>(name)->trigger();
        EXPECT_FALSE(m_window->close());
        EXPECT_FALSE(m_window->commitSessionData(true));
        QTest::keyClicks(input(), "zz");
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        if (auto* p = recordsUnderWay(*m_window))
            p->cancel();
    });
    meddler.start();
    run("MenuItemToEditor", {{"OpenDialogTxt", qpath(file("long.txt"))}});
    meddler.stop();
    EXPECT_GE(attempts, 1) << "the import let the event loop run";
    EXPECT_FALSE(m_window->textCommandRunning());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(m_window->dictionary().open) << "Close did not run";
    EXPECT_EQ(m_window->editor().mark(1), "A") << "Save did not run";
    EXPECT_EQ(m_window->editor().cell(kColSource, 2), "w0");
    EXPECT_EQ(input()->text(), typed);
    ASSERT_EQ(m_messages.messages.size(), 1) << "one summary, of the one import";
    m_messages.messages.clear();
    // Afterwards the window works again.
    const int rowsBefore = m_window->editor().rowCount();
    add("after");
    EXPECT_EQ(m_window->editor().rowCount(), rowsBefore + 1);
}

// Clicks the import summary's save button as soon as the summary shows, before the fixture's
// catcher would answer it with OK.
class SaveRejectsClicker : public QObject
{
public:
    SaveRejectsClicker() { qApp->installEventFilter(this); }
    ~SaveRejectsClicker() override { qApp->removeEventFilter(this); }
    int clicked = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                if (auto* save = box->findChild<QPushButton*>(QStringLiteral("SaveRejects"))) {
                    ++clicked;
                    QTimer::singleShot(0, save, &QPushButton::click);
                } else if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                    // The save dialog's question before it lets an existing file be chosen.
                    QTimer::singleShot(0, yes, &QAbstractButton::click);
                }
            }
        }
        return false;
    }
};

TEST_F(TextCommandWindowTest, ImportSummarySavesTheRecordsThatDidNotGoIn)
{
    install("lang_en.ini");
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    const std::string refused = "held\r\nNoun\r\nanother\r\n";
    const std::string nul = std::string("nul\0x\nNoun\nt\n", 13);
    writeFile(file("in.txt"), "held\r\nNoun\r\none\r\n" + refused + nul);
    SaveRejectsClicker clicker;
    run("MenuItemToDict",
        {{"OpenDialogTxt", qpath(file("in.txt"))}, {"SaveDialogTxt", qpath(file("rejects.txt"))}});
    EXPECT_EQ(clicker.clicked, 1);
    EXPECT_EQ(readFile(file("rejects.txt")), refused + nul);
    m_messages.messages.clear();
    // The open dictionary's own file is refused, and left as it was.
    const fs::path dictionary = m_folder.path() / "ArticleS" / "UserS.key";
    const std::string before = readFile(dictionary);
    run("MenuItemToDict",
        {{"OpenDialogTxt", qpath(file("in.txt"))}, {"SaveDialogTxt", qpath(dictionary)}});
    EXPECT_EQ(clicker.clicked, 2);
    EXPECT_EQ(m_messages.messages.filter("could not be saved").size(), 1)
        << m_messages.messages.join('|').toStdString();
    EXPECT_EQ(readFile(dictionary), before);
    m_messages.messages.clear();
}

} // namespace
} // namespace kelvara

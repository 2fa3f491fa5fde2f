// The four commands' dialogs, the editor import and export, and the E-C commit that fails:
// over the grid model and the recording engines.

#include "textio/TextCommands.h"
#include "access/AccessFixture.h"
#include "lang/TextCommandTexts.h"
#include "textio/TextCommandSummary.h"
#include "textio/TextImport.h"

#include "platform/TestTempFolder.h"

#include <fstream>
#include <iterator>

namespace kelvara {
namespace {

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScriptedTextPrompts : public TextCommandPrompts
{
public:
    std::optional<std::string> importFile, exportFile;
    bool overwrite = false, ceDictionary = true;
    std::vector<std::string> overwriteAsked;

    std::optional<std::string> chooseImportFile() override { return importFile; }
    std::optional<std::string> chooseExportFile() override { return exportFile; }
    bool confirmOverwrite(const std::string& path) override
    {
        overwriteAsked.push_back(path);
        return overwrite;
    }
    bool confirmCeDictionary() override { return ceDictionary; }
};

class TextCommandsTest : public AccessTest
{
protected:
    explicit TextCommandsTest(InterfaceLanguage language = InterfaceLanguage::Simplified)
        : AccessTest(language)
    {}
    void write(const char* name, const std::string& bytes)
    {
        std::ofstream(temp.path() / name, std::ios::binary) << bytes;
    }
    std::string file(const char* name) const { return (temp.path() / name).string(); }

    TestTempFolder temp;
    ScriptedTextPrompts text;
    TextCommands commands{startup, state, *editor, text};
};

TEST_F(TextCommandsTest, ImportToEditorAppendsAddedRowsWithListLabels)
{
    openEc();
    write("in.txt", "apple\r\nn.\r\n" + gbk(u"苹果") + "\r\nrun\nvi\npao\nx\r\n" + gbk(u"副词") +
                        "\r\ny\r\n\r\n");
    text.importFile = file("in.txt");
    const TextCommandResult r = commands.ImportToEditor();
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.written, 4u);
    // The labels shown are the list's (E-C: vi is a verb); the empty line after the last
    // record is one more, empty, record.
    EXPECT_EQ(row(1), (std::vector<std::string>{"A", "apple", gbk(u"名词"), gbk(u"苹果")}));
    EXPECT_EQ(row(2), (std::vector<std::string>{"A", "run", gbk(u"动词"), "pao"}));
    EXPECT_EQ(row(3), (std::vector<std::string>{"A", "x", gbk(u"副词"), "y"}));
    EXPECT_EQ(row(4), (std::vector<std::string>{"A", "", gbk(u"名词"), ""}));
    EXPECT_EQ(editor->currentRow(), 4);
    EXPECT_TRUE(editor->changed());
    // The same file again doubles the rows.
    EXPECT_EQ(commands.ImportToEditor().written, 4u);
    EXPECT_EQ(editor->dataRowCount(), 8);
}

TEST_F(TextCommandsTest, CancelledDialogsAndEmptyFiles)
{
    text.importFile = text.exportFile = file("x.txt");
    EXPECT_FALSE(commands.ImportToEditor().ran) << "no dictionary open";
    EXPECT_FALSE(commands.ExportFromEditor().ran);
    EXPECT_FALSE(std::filesystem::exists(file("x.txt")));
    openCe();
    write("x.txt", "x\r\nn\r\n1\r\n");
    text.ceDictionary = false; // OpenDialogDictCe cancelled: nothing reaches the engine
    EXPECT_FALSE(commands.ImportToDictionary().ran);
    EXPECT_TRUE(ce().calls.empty());
    text.importFile.reset();
    EXPECT_FALSE(commands.ImportToEditor().ran);
    EXPECT_FALSE(editor->changed());
    // An empty file adds nothing but still sets the changed flag, and says nothing.
    write("empty.txt", "");
    text.importFile = file("empty.txt");
    const TextCommandResult r = commands.ImportToEditor();
    EXPECT_TRUE(TextCommandSummary(r, InterfaceLanguage::English).empty());
    EXPECT_TRUE(editor->isPlaceholder());
    EXPECT_TRUE(editor->changed());
}

TEST_F(TextCommandsTest, ExportFromEditorLeavesOutDeletedRowsAndAsksBeforeOverwriting)
{
    openEc();
    text.exportFile = file("out.txt");
    EXPECT_TRUE(commands.ExportFromEditor().complete());
    EXPECT_EQ(readBytes(temp.path() / "out.txt"), "\r\n\r\n\r\n") << "the placeholder row";
    EXPECT_EQ(text.overwriteAsked.size(), 0u);

    editor->AddEntryRow(kMarkStored, "kept", "Noun", "1");
    editor->AddEntryRow(kMarkDeleted, "deleted", "Noun", "2");
    editor->AddEntryRow(kMarkAdded, "added", "Noun", "3");
    editor->AddEntryRow(kMarkDropped, "dropped", "Noun", "4");
    editor->AddEntryRow(kMarkFailed, "failed", "Noun", "5");
    // No: the file stays as it was and the command ends as if cancelled.
    EXPECT_FALSE(commands.ExportFromEditor().ran);
    EXPECT_EQ(text.overwriteAsked, std::vector<std::string>{file("out.txt")});
    EXPECT_EQ(readBytes(temp.path() / "out.txt"), "\r\n\r\n\r\n");
    text.overwrite = true;
    const TextCommandResult r = commands.ExportFromEditor();
    EXPECT_EQ(r.written, 3u);
    EXPECT_EQ(readBytes(temp.path() / "out.txt"),
              "kept\r\nNoun\r\n1\r\nadded\r\nNoun\r\n3\r\nfailed\r\nNoun\r\n5\r\n");
}

TEST_F(TextCommandsTest, EcCommitThatFailsReportsNothingStored)
{
    openEc();
    write("in.txt", "a\r\nn\r\n1\r\nb\r\nv\r\n2\r\nc\r\nn\r\n3\r\n");
    text.importFile = file("in.txt");
    ec().modifyResults = {1, 0, 1};
    ec().closeResult = 0;
    const TextCommandResult r = commands.ImportToDictionary();
    EXPECT_EQ(r.failure, TextFailure::NotCommitted);
    EXPECT_EQ(r.written, 0u);
    EXPECT_EQ(r.notStored, 2u);
    EXPECT_EQ(r.refused, 1u);
    // The refused "A" is looked up, to tell a held sense from a refusal.
    EXPECT_EQ(ec().calls,
              (std::vector<std::string>{"open /inst/ArticleS/UserS", "modify A|a|0|1",
                                        "modify A|b|1|2", "search b", "modify A|c|0|3", "close"}));
    // An open that fails hands nothing on.
    ec().calls.clear();
    ec().openResult = 0;
    EXPECT_EQ(commands.ImportToDictionary().failure, TextFailure::EngineNotOpened);
    EXPECT_EQ(ec().calls, (std::vector<std::string>{"open /inst/ArticleS/UserS", "close"}));
}

class TextCommandsEnglishTest : public TextCommandsTest
{
protected:
    TextCommandsEnglishTest() : TextCommandsTest(InterfaceLanguage::English) {}
};

TEST_F(TextCommandsEnglishTest, EditorRoundTripWritesEnglishLabels)
{
    openCe();
    write("in.txt", "a\r\n" + gbk(u"及物动词") + "\r\n1\r\nb\r\nprep\r\n2\r\n");
    text.importFile = file("in.txt");
    text.exportFile = file("out.txt");
    EXPECT_EQ(commands.ImportToEditor().written, 2u);
    EXPECT_TRUE(commands.ExportFromEditor().complete());
    EXPECT_EQ(readBytes(temp.path() / "out.txt"), "a\r\nVt\r\n1\r\nb\r\nPrep\r\n2\r\n");
}

} // namespace
} // namespace kelvara

namespace kelvara {
namespace {

// The summary's Chinese lines are written as UTF-8 and held as GBK or Big5: every failure
// and count, in each language, decodes without a replacement or default character and names
// its number.
TEST(TextCommandSummaryTest, EveryLineDecodesInEachLanguage)
{
    for (int f = 0; f <= static_cast<int>(TextFailure::NoTemporaryFile); ++f) {
        for (const bool checkOnly : {false, true}) {
            TextCommandResult r;
            r.ran = true;
            r.failure = static_cast<TextFailure>(f);
            r.cancelled = true;
            r.checkOnly = checkOnly;
            r.records = 31;
            std::size_t* const counts[] = {
                &r.written,        &r.refused,   &r.tooLong,     &r.unrepresentable, &r.malformed,
                &r.notStored,      &r.replaced,  &r.alreadyHeld, &r.controlByte,     &r.keptBack,
                &r.heldOtherSense, &r.notOpened, &r.fullWidth};
            std::size_t n = 40;
            for (std::size_t* count : counts)
                *count = n++;
            for (InterfaceLanguage language :
                 {InterfaceLanguage::Simplified, InterfaceLanguage::Traditional,
                  InterfaceLanguage::English}) {
                const std::u16string text = TextCommandSummary(r, language);
                SCOPED_TRACE(::testing::Message()
                             << "failure " << f << " language " << static_cast<int>(language));
                EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos);
                EXPECT_EQ(text.find(u'?'), std::u16string::npos)
                    << "a character the code page lacks";
                for (std::size_t k = 40; k < n; ++k) {
                    const std::string digits = std::to_string(k);
                    EXPECT_NE(text.find(std::u16string(digits.begin(), digits.end())),
                              std::u16string::npos)
                        << k;
                }
            }
        }
    }
    // The import summary's button and its failure message, too.
    for (const LocalizedText* t : {&texts::kSaveRejects, &texts::kRejectsNotSaved}) {
        EXPECT_TRUE(CodePageHolds(t->simplified, kCodePageGbk)) << t->simplified;
        EXPECT_TRUE(CodePageHolds(t->traditional, kCodePageBig5)) << t->traditional;
    }
    TextCommandResult stopped;
    stopped.ran = true;
    stopped.failure = TextFailure::EngineStopped;
    stopped.records = 31;
    EXPECT_NE(TextCommandSummary(stopped, InterfaceLanguage::Traditional)
                  .find(u"詞典無法再次開啟，匯入在第 31 筆記錄處停止。"),
              std::u16string::npos);
    EXPECT_NE(TextCommandSummary(stopped, InterfaceLanguage::Simplified)
                  .find(u"词典无法再次打开，导入在第 31 条记录处停止。"),
              std::u16string::npos);
}

} // namespace
} // namespace kelvara

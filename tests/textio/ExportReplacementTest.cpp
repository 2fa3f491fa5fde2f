// Exports that never destroy: whatever stops an export (Cancel, a write error, a full file
// system), the chosen file stays byte for byte as it was; files that may not be opened are
// refused before anything runs; links at the temporary and chosen paths are never written
// through.

#include "access/EngineSessionFixture.h"
#include "editor/EntryEditor.h"
#include "platform/CodePage.h"
#include "textio/ChosenFileCheck.h"
#include "textio/EntryTextWriter.h"
#include "textio/TextCommandSummary.h"
#include "textio/TextCommands.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

#include <csignal>
#include <iterator>
#include <random>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {
namespace {

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Everything in the folder but the installation's own folders.
std::vector<std::string> looseFiles(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name != "ArticleS" && name != "Config")
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Limits the size of any file this process writes, as a quota or `ulimit -f` does; a write
// beyond it fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// The text commands' dialogs answered by a script.
class ScriptedPrompts final : public TextCommandPrompts
{
public:
    std::string file;
    int overwriteAsked = 0;
    std::optional<std::string> chooseImportFile() override { return file; }
    std::optional<std::string> chooseExportFile() override { return file; }
    bool confirmOverwrite(const std::string&) override { return ++overwriteAsked, true; }
    bool confirmCeDictionary() override { return true; }
};

class ExportReplacementTest : public EngineSessionTest
{
protected:
    int cp() const { return startup.codePage(); }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    // A dictionary of the open kind holding n entries.
    void fill(int n)
    {
        std::string bytes;
        for (int i = 0; i < n; ++i)
            AppendEntryRecord(bytes, "word" + std::to_string(i), "Noun",
                              "translation " + std::to_string(i));
        std::ofstream(folder / "fill.txt", std::ios::binary) << bytes;
        const TextCommandResult r =
            state.kind == DictionaryKind::EC
                ? ImportFileToEcDictionary(path("fill.txt"), startup.ec, state.ecPath, cp())
                : ImportFileToCeDictionary(path("fill.txt"), startup.ce,
                                           startup.engineDirectoryBuffer, mark, cp());
        ASSERT_TRUE(r.complete()) << TextCommandCounts(r);
        fs::remove(folder / "fill.txt");
    }
    TextCommandResult exportDictionary(const std::string& file,
                                       const TextProgressCallback& progress = {})
    {
        return state.kind == DictionaryKind::EC
                   ? ExportEcDictionaryToFile(startup.ec, state.ecPath, file, cp(), progress)
                   : ExportCeDictionaryToFile(startup.ce, startup.engineDirectoryBuffer, mark, file,
                                              cp(), progress);
    }
    void expectNotWritten(const TextCommandResult& r, const std::string& old)
    {
        EXPECT_TRUE(r.notWritten) << TextCommandCounts(r);
        EXPECT_EQ(r.written, 0u);
        EXPECT_TRUE(readBytes(folder / "old.txt") == old) << "the old file changed";
        EXPECT_EQ(looseFiles(folder), std::vector<std::string>{"old.txt"}) << "nothing left";
        EXPECT_NE(TextCommandSummary(r, InterfaceLanguage::English).find(u"was not written"),
                  std::u16string::npos);
    }

    std::int32_t mark = 0;
};

TEST_F(ExportReplacementTest, CancelAndWriteErrorsAtRandomPointsLeaveTheOldFile)
{
    install("lang_en.ini");
    access->MenuItemOpenEcClick();
    for (int i = 0; i < 3000; ++i)
        editor->AddEntryRow(kMarkAdded, "w" + std::to_string(i), "Noun", std::string(40, 'x'));
    const std::string old = "the old export\r\n";
    std::ofstream(folder / "old.txt", std::ios::binary) << old;
    ASSERT_TRUE(ExportEditorToFile(*editor, path("new.txt")).complete());
    const auto full = fs::file_size(folder / "new.txt");
    fs::remove(folder / "new.txt");

    // A write that fails anywhere in the file, up to one byte short.
    std::mt19937 random(20);
    ASSERT_LT(full, EntryTextWriter::kBlockSize) << "one block: every failure shows at the close";
    std::vector<rlim_t> limits = {1, full / 2, full - 1};
    for (int i = 0; i < 5; ++i)
        limits.push_back(std::uniform_int_distribution<rlim_t>(1, full - 1)(random));
    for (const rlim_t limit : limits) {
        TextCommandResult r;
        {
            const FileSizeLimit quota(limit);
            r = ExportEditorToFile(*editor, path("old.txt"));
        }
        EXPECT_EQ(r.failure, TextFailure::FileWriteFailed) << limit;
        expectNotWritten(r, old);
    }
    // Cancel at the first report, in each of the three exports.
    const auto cancel = [](const TextProgress&) { return false; };
    expectNotWritten(ExportEditorToFile(*editor, path("old.txt"), cancel), old);
    fill(50);
    expectNotWritten(exportDictionary(path("old.txt"), cancel), old);
    access->ActionFileOpenCeExecute();
    fill(50);
    expectNotWritten(exportDictionary(path("old.txt"), cancel), old);

    // Run to its end, the export takes the old file's place, keeping its permissions.
    fs::permissions(folder / "old.txt", fs::perms::owner_read | fs::perms::owner_write);
    const TextCommandResult r = exportDictionary(path("old.txt"));
    ASSERT_TRUE(r.complete()) << TextCommandCounts(r);
    EXPECT_FALSE(r.notWritten);
    EXPECT_EQ(r.written, 50u);
    EXPECT_EQ(fs::status(folder / "old.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(looseFiles(folder), std::vector<std::string>{"old.txt"});
}

// A small file system that holds the old file and the engine's dump but not also the new
// export: the export fails and the old file stays.
TEST_F(ExportReplacementTest, FullFileSystemLeavesTheOldFile)
{
    install("lang_en.ini");
    const fs::path disk = folder / "disk";
    fs::create_directory(disk);
    for (const bool ce : {false, true}) {
        ce ? access->ActionFileOpenCeExecute() : access->MenuItemOpenEcClick();
        fill(ce ? 0 : 4000);
        if (ce)
            fill(4000);
        ASSERT_TRUE(exportDictionary(path("size.txt")).complete());
        const auto size = fs::file_size(folder / "size.txt");
        fs::remove(folder / "size.txt");
        const std::string old(size / 2, 'o');
        const auto capacity = ((old.size() + size * 3 / 2) / 4096 + 1) * 4096;
        const std::string options = "size=" + std::to_string(capacity);
        if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, options.c_str()) != 0)
            GTEST_SKIP() << "no tmpfs could be mounted here (" << std::strerror(errno)
                         << "): the full file system is not tried";
        std::ofstream(disk / "old.txt", std::ios::binary) << old;
        const TextCommandResult r = exportDictionary((disk / "old.txt").string());
        EXPECT_NE(r.failure, TextFailure::None) << TextCommandCounts(r);
        EXPECT_TRUE(r.notWritten);
        const std::string after = readBytes(disk / "old.txt");
        EXPECT_TRUE(after == old) << "old file changed: " << after.size() << " bytes";
        EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 1);
        ::umount2(disk.c_str(), MNT_DETACH);
    }
}

TEST_F(ExportReplacementTest, DictionaryFilesAndOtherKindsAreRefusedBeforeAnythingRuns)
{
    install("lang_en.ini");
    access->MenuItemOpenEcClick();
    fill(3);
    const std::string key = state.ecPath + ".key";
    ASSERT_TRUE(fs::exists(key));
    const auto dictionaries = OpenDictionaryFiles(state, startup);
    fs::create_symlink(key, folder / "link.key");
    fs::create_hard_link(key, folder / "hard.key");
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    fs::create_directory(folder / "dir");
    const std::vector<std::pair<std::string, TextFailure>> cases = {
        {key, TextFailure::ChosenFileIsDictionary},
        {path("link.key"), TextFailure::ChosenFileIsDictionary},
        {path("hard.key"), TextFailure::ChosenFileIsDictionary},
        {key + "-journal", TextFailure::ChosenFileIsDictionary}, // not there yet
        {startup.engineDirectory + "UserCe.ext-wal", TextFailure::ChosenFileIsDictionary},
        {path("fifo"), TextFailure::ChosenFileNotRegular},
        {path("dir"), TextFailure::ChosenFileNotRegular},
        {"/dev/null", TextFailure::ChosenFileNotRegular},
        {path("new.txt"), TextFailure::None},
        {path("key.txt"), TextFailure::None},
    };
    for (const auto& [file, expected] : cases)
        EXPECT_EQ(CheckFileToWrite(file, dictionaries), expected) << file;
    EXPECT_EQ(CheckFileToRead(path("link.key"), dictionaries), TextFailure::ChosenFileIsDictionary);
    EXPECT_EQ(CheckFileToRead(path("fifo"), dictionaries), TextFailure::None);

    // Through the commands: refused before the overwrite question, with a message; the
    // dictionary reads as before.
    ScriptedPrompts prompts;
    TextCommands commands(startup, state, *editor, prompts);
    for (const std::string& file : {key, path("fifo")}) {
        prompts.file = file;
        const TextCommandResult r = commands.ExportFromDictionary();
        EXPECT_TRUE(r.ran);
        EXPECT_NE(r.failure, TextFailure::None);
        EXPECT_FALSE(TextCommandSummary(r, InterfaceLanguage::Simplified).empty());
    }
    prompts.file = path("link.key");
    EXPECT_EQ(commands.ImportToDictionary().failure, TextFailure::ChosenFileIsDictionary);
    EXPECT_EQ(prompts.overwriteAsked, 0);
    prompts.file = path("out.txt");
    ASSERT_TRUE(commands.ExportFromDictionary().complete());
    EXPECT_EQ(readBytes(folder / "out.txt").size(), 3 * (std::string("word0\r\nNoun\r\n").size() +
                                                         std::string("translation 0\r\n").size()));
}

TEST_F(ExportReplacementTest, LinksAreNeverWrittenThrough)
{
    install("lang_en.ini");
    access->MenuItemOpenEcClick();
    fill(2);
    // A link at the engine's temporary name: a free name is taken instead, and neither the
    // link nor what it points at is touched.
    std::ofstream(folder / "victim", std::ios::binary) << "victim";
    fs::create_symlink(folder / "victim", folder / "out.txt.tmp");
    fs::create_symlink(folder / "gone", folder / "out.txt.1.tmp"); // dangling
    ASSERT_TRUE(exportDictionary(path("out.txt")).complete());
    EXPECT_EQ(readBytes(folder / "victim"), "victim");
    EXPECT_TRUE(fs::is_symlink(folder / "out.txt.tmp"));
    EXPECT_FALSE(fs::exists(folder / "gone"));
    const std::string exported = readBytes(folder / "out.txt");
    EXPECT_FALSE(exported.empty());

    // A chosen file that is a link: the file it points at gets the export, the link stays.
    fs::create_directory(folder / "real");
    std::ofstream(folder / "real" / "target.txt") << "old";
    fs::create_symlink(folder / "real" / "target.txt", folder / "chosen.txt");
    ASSERT_TRUE(exportDictionary(path("chosen.txt")).complete());
    EXPECT_TRUE(fs::is_symlink(folder / "chosen.txt"));
    EXPECT_EQ(readBytes(folder / "real" / "target.txt"), exported);

    // A link put at the temporary name after it was chosen (the engine then refuses to
    // open it): the refusal is reported, and nothing is read through the link.
    EcEntryPoints table = startup.ec.entryPoints();
    static EcEntryPoints real;
    real = table;
    table.getAllWordsToFile = [](const char* textPath, const char* basePath) {
        std::error_code ec;
        fs::create_symlink("victim", textPath, ec);
        return real.getAllWordsToFile(textPath, basePath);
    };
    const EcBinding racing = EcBinding::fromTable(table);
    std::ofstream(folder / "victim", std::ios::binary) << "victim";
    const TextCommandResult r =
        ExportEcDictionaryToFile(racing, state.ecPath, path("raced.txt"), cp());
    EXPECT_EQ(r.failure, TextFailure::EngineWroteNothing);
    EXPECT_FALSE(fs::exists(folder / "raced.txt"));
}

} // namespace
} // namespace kelvara

// Figures of the access commands through the reference engines: saving 10,000 marked rows of
// each kind, and Find in dictionaries of many entries. Usage: access_bench [entries]
// (default 1,000,000). Everything happens in a temporary installation folder.

#include "access/AccessPrompts.h"
#include "access/DictionaryAccess.h"
#include "editor/EntryEditor.h"
#include "platform/CodePage.h"
#include "startup/StartupState.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kelvara {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class SilentPrompts : public AccessPrompts
{
public:
    std::optional<std::string> chooseEcDictionary(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseCeDictionary(const std::string&) override
    {
        return std::nullopt;
    }
    void showInformation(const std::u16string&, const std::u16string&) override { ++messages; }
    bool querySaveChanges() override { return true; }
    void setCaption(const std::u16string&) override {}
    void setCaptionToPath(const std::string&) override {}
    void setGridVisible(bool) override {}
    void setTypeComboVisible(bool) override {}
    int messages = 0;
};

// Rows the save left marked " ": what the engine accepted.
int storedRows(const EntryEditor& editor)
{
    int n = 0;
    for (int r = kFirstDataRow; r < editor.rowCount(); ++r)
        n += editor.mark(r) == kMarkStored ? 1 : 0;
    return n;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A GBK word of two double-byte characters and a counter, distinct for every n.
std::string ceWord(std::size_t n)
{
    std::string w = EncodeCodePage(u"词条", kCodePageGbk);
    return w + std::to_string(n);
}

struct Session
{
    StartupState startup;
    DictionaryState state;
    SilentPrompts prompts;
    EntryEditor editor{InterfaceLanguage::Simplified, kCodePageGbk};
    DictionaryAccess access{startup, state, editor, prompts};

    explicit Session(const fs::path& folder) : startup(ReadStartupState(folder.string() + "/")) {}
};

void fillRows(EntryEditor& editor, const char* mark, std::size_t count, bool ce)
{
    editor.ResetToPlaceholder();
    const std::string label = editor.partOfSpeechList()[0].cellText;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string source = ce ? ceWord(i) : "word" + std::to_string(i);
        editor.AddEntryRow(mark, source, label, "target " + std::to_string(i));
    }
    editor.setChanged(true);
}

void benchSaves(const fs::path& folder)
{
    constexpr std::size_t kRows = 10000;
    Session s(folder);

    s.access.MenuItemOpenEcClick();
    fillRows(s.editor, "A", kRows, false);
    auto t = Clock::now();
    s.access.MenuItemSaveClick();
    double sec = secondsSince(t);
    std::printf("E-C save, %zu \"A\" rows:            %8.3f s  (%6.1f us/row), %d stored\n", kRows,
                sec, sec * 1e6 / kRows, storedRows(s.editor));
    fillRows(s.editor, "M", kRows, false);
    t = Clock::now();
    s.access.MenuItemSaveClick();
    sec = secondsSince(t);
    std::printf("E-C save, %zu \"M\" rows:            %8.3f s  (%6.1f us/row), %d stored\n", kRows,
                sec, sec * 1e6 / kRows, storedRows(s.editor));
    s.access.MenuItemCloseClick();

    s.access.ActionFileOpenCeExecute();
    fillRows(s.editor, "A", kRows, true);
    t = Clock::now();
    s.access.MenuItemSaveClick();
    sec = secondsSince(t);
    std::printf("C-E save, %zu \"A\" rows (new words): %8.3f s  (%6.1f us/row), %d stored\n", kRows,
                sec, sec * 1e6 / kRows, storedRows(s.editor));

    // Each word now holds one sense; give it two more so "M" deletes and adds three back.
    const CeBinding& ce = s.startup.ce;
    ce.dicOpen(s.startup.engineDirectoryBuffer);
    for (std::size_t i = 0; i < kRows; ++i) {
        Buffer128 word(ceWord(i));
        ce.dicAdd(word, Buffer16("vt"), Buffer128("second"));
        ce.dicAdd(word, Buffer16("adj"), Buffer128("third"));
    }
    ce.dicClose();
    fillRows(s.editor, "M", kRows, true);
    t = Clock::now();
    s.access.MenuItemSaveClick();
    sec = secondsSince(t);
    std::printf("C-E save, %zu \"M\" rows (3 senses):  %8.3f s  (%6.1f us/row), %d stored\n", kRows,
                sec, sec * 1e6 / kRows, storedRows(s.editor));
    std::printf("rows refused: %d messages\n", s.prompts.messages);
}

void benchFinds(const fs::path& folder, std::size_t entries)
{
    Session s(folder);
    const EcBinding& ec = s.startup.ec;
    const CeBinding& ce = s.startup.ce;

    auto t = Clock::now();
    Buffer256 base(s.startup.engineDirectory + "UserS");
    ec.openCstmRw(base);
    for (std::size_t i = 0; i < entries; ++i)
        ec.modifyWord('A', Buffer256("w" + std::to_string(i)), static_cast<unsigned char>(i % 5),
                      Buffer256("t" + std::to_string(i)));
    ec.closeCstmRw();
    std::printf("E-C fill, %zu entries:          %8.3f s\n", entries, secondsSince(t));

    t = Clock::now();
    ce.dicOpen(s.startup.engineDirectoryBuffer);
    for (std::size_t i = 0; i < entries; ++i)
        ce.dicAdd(Buffer128(ceWord(i)), Buffer16("noun"), Buffer128("t" + std::to_string(i)));
    ce.dicClose();
    std::printf("C-E fill, %zu entries:          %8.3f s\n", entries, secondsSince(t));

    constexpr int kFinds = 2000;
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, entries - 1);

    s.access.MenuItemOpenEcClick();
    std::size_t found = 0;
    t = Clock::now();
    for (int i = 0; i < kFinds; ++i) {
        s.access.MenuItemFindClick("w" + std::to_string(pick(random)));
        found += s.editor.isPlaceholder() ? 0 : 1;
    }
    double sec = secondsSince(t);
    std::printf("E-C Find in %zu entries:        %8.1f us/find (%zu of %d found)\n", entries,
                sec * 1e6 / kFinds, found, kFinds);
    s.access.MenuItemCloseClick();

    s.access.ActionFileOpenCeExecute();
    found = 0;
    t = Clock::now();
    for (int i = 0; i < kFinds; ++i) {
        s.access.MenuItemFindClick(ceWord(pick(random)));
        found += s.editor.isPlaceholder() ? 0 : 1;
    }
    sec = secondsSince(t);
    std::printf("C-E Find in %zu entries:        %8.1f us/find (%zu of %d found)\n", entries,
                sec * 1e6 / kFinds, found, kFinds);
}

fs::path install(const std::string& name)
{
    const fs::path folder = fs::temp_directory_path() / name;
    fs::remove_all(folder);
    fs::create_directories(folder / "ArticleS");
    fs::create_directories(folder / "Config");
    fs::copy_file(KELVARA_EC_LIBRARY, folder / "ArticleS" / "Ecbank.dll");
    fs::copy_file(KELVARA_CE_LIBRARY, folder / "ArticleS" / "Hanbank.dll");
    std::ofstream(folder / "Config" / "Kelvara.ini")
        << "[UserInterface]\r\nLanguageFileName=lang_sc.ini\r\n";
    return folder;
}

int run(int argc, char** argv)
{
    const std::size_t entries = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const fs::path saves = install("access-bench-saves");
    benchSaves(saves);
    fs::remove_all(saves);
    if (entries > 0) {
        const fs::path finds = install("access-bench-finds");
        benchFinds(finds, entries);
        fs::remove_all(finds);
    }
    return 0;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}

// Figures of the access commands through the reference engines: saving 10,000 marked rows of
// each kind, and Find in dictionaries of many entries. Each is printed beside its floor,
// measured in the same run: the same engine conversation through the bindings and sessions
// alone (one open, the engine calls the rows need, one close), with no grid, marks or prompts,
// so the ratio is what the command adds to the engine's own work. Usage: access_bench
// [entries] (default 1,000,000). Everything happens in a temporary installation folder.

#include "access/AccessPrompts.h"
#include "access/CeSavePlan.h"
#include "access/DictionaryAccess.h"
#include "editor/EntryEditor.h"
#include "engines/EngineSessions.h"
#include "platform/CodePage.h"
#include "startup/StartupState.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

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

void fillFoundCeRows(Session& s, std::size_t count)
{
    s.editor.ResetToPlaceholder();
    const std::string label = s.editor.partOfSpeechList()[0].cellText;
    std::int32_t mark = 0;
    CeSession session(s.startup.ce, s.startup.engineDirectoryBuffer, mark);
    for (std::size_t i = 0; i < count; ++i) {
        const CeSession::Retrieved found = session.retrieve(Buffer128(ceWord(i)));
        const auto senses = ReadStoredSenses(found.senseList, kCodePageGbk);
        std::string origin;
        for (const StoredSense& sense : senses ? *senses : std::vector<StoredSense>())
            if (sense.translation.starts_with("target "))
                origin = sense.text;
        s.editor.AddEntryRow("M", ceWord(i), label, "changed " + std::to_string(i), origin);
    }
    session.close();
    s.editor.setChanged(true);
}

void reportBeside(const char* what, std::size_t rows, double seconds, double floorSeconds,
                  const char* unit)
{
    std::printf("%-40s %8.3f s  (%7.1f us/%s)\n", what, seconds, seconds * 1e6 / rows, unit);
    std::printf("%-40s %8.3f s  (%7.1f us/%s)  command / floor %.2fx\n",
                "  floor: the engine calls alone", floorSeconds, floorSeconds * 1e6 / rows, unit,
                seconds / floorSeconds);
}

// Per-call figures of a command and its floor as medians, which a busy machine's spikes move
// least.
void reportMedians(const char* what, std::vector<double> command, std::vector<double> floor)
{
    auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    const double c = median(command) * 1e6;
    const double f = median(floor) * 1e6;
    std::printf("%-40s %8.1f us median of %zu\n", what, c, command.size());
    std::printf("%-40s %8.1f us median        command / floor %.2fx\n",
                "  floor: the engine calls alone", f, c / f);
}

// The E-C save's engine work: one session, modify_word with the mark's operation per row.
double ecWritesFloor(const Session& s, char op, const std::string& prefix, std::size_t rows)
{
    const auto t = Clock::now();
    EcSession session(s.startup.ec, Buffer256(s.state.ecPath));
    for (std::size_t i = 0; i < rows; ++i)
        s.startup.ec.modifyWord(op, Buffer256(prefix + std::to_string(i)), 0,
                                Buffer256("target " + std::to_string(i)));
    session.close();
    return secondsSince(t);
}

// The C-E save's engine work per word: the retrieve that reads what is stored, then for a
// changed word the delete and the adds of every sense it keeps (senses = 0 adds one new one).
double ceWritesFloor(Session& s, std::size_t from, std::size_t rows, int senses)
{
    std::int32_t mark = 0;
    const auto t = Clock::now();
    CeSession session(s.startup.ce, s.startup.engineDirectoryBuffer, mark);
    for (std::size_t i = from; i < from + rows; ++i) {
        const Buffer128 word(ceWord(i));
        (void)session.retrieve(word);
        if (senses == 0) {
            session.add(word, Buffer16("noun"), Buffer128("target " + std::to_string(i)));
            continue;
        }
        session.remove(word);
        session.add(word, Buffer16("noun"), Buffer128("target " + std::to_string(i)));
        for (int k = 1; k < senses; ++k)
            session.add(word, Buffer16(k == 1 ? "vt" : "adj"),
                        Buffer128(k == 1 ? "second" : "third"));
    }
    session.close();
    return secondsSince(t);
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
    std::printf("E-C save, %zu \"A\" rows: %d stored\n", kRows, storedRows(s.editor));
    reportBeside("E-C save of \"A\" rows", kRows, sec, ecWritesFloor(s, 'A', "floor", kRows),
                 "row");
    fillRows(s.editor, "M", kRows, false);
    t = Clock::now();
    s.access.MenuItemSaveClick();
    sec = secondsSince(t);
    std::printf("E-C save, %zu \"M\" rows: %d stored\n", kRows, storedRows(s.editor));
    reportBeside("E-C save of \"M\" rows", kRows, sec, ecWritesFloor(s, 'M', "floor", kRows),
                 "row");
    s.access.MenuItemCloseClick();

    s.access.ActionFileOpenCeExecute();
    fillRows(s.editor, "A", kRows, true);
    t = Clock::now();
    s.access.MenuItemSaveClick();
    sec = secondsSince(t);
    std::printf("C-E save, %zu \"A\" rows (new words): %d stored\n", kRows, storedRows(s.editor));
    // The floor's words come after the command's, so both add new words.
    reportBeside("C-E save of \"A\" rows (new words)", kRows, sec,
                 ceWritesFloor(s, kRows, kRows, 0), "row");

    // Each word now holds one sense; give it two more so "M" deletes and adds three back.
    const CeBinding& ce = s.startup.ce;
    ce.dicOpen(s.startup.engineDirectoryBuffer);
    for (std::size_t i = 0; i < kRows; ++i) {
        Buffer128 word(ceWord(i));
        ce.dicAdd(word, Buffer16("vt"), Buffer128("second"));
        ce.dicAdd(word, Buffer16("adj"), Buffer128("third"));
    }
    ce.dicClose();
    // "M" rows as Find shows them: each knows the stored sense it was found as, so the save
    // replaces exactly that one (a row without it is refused, not guessed at).
    fillFoundCeRows(s, kRows);
    t = Clock::now();
    s.access.MenuItemSaveClick();
    sec = secondsSince(t);
    std::printf("C-E save, %zu \"M\" rows (3 senses): %d stored\n", kRows, storedRows(s.editor));
    reportBeside("C-E save of \"M\" rows (3 senses)", kRows, sec, ceWritesFloor(s, 0, kRows, 3),
                 "row");
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

    // Command and floor in turns, each on its own random word, so load weighs on both alike.
    s.access.MenuItemOpenEcClick();
    std::size_t found = 0;
    std::vector<double> command;
    std::vector<double> floor;
    for (int i = 0; i < kFinds; ++i) {
        t = Clock::now();
        s.access.MenuItemFindClick("w" + std::to_string(pick(random)));
        command.push_back(secondsSince(t));
        found += s.editor.isPlaceholder() ? 0 : 1;

        t = Clock::now();
        {
            EcSession session(ec, Buffer256(s.state.ecPath));
            Buffer256 word("w" + std::to_string(pick(random)));
            Buffer256 translation;
            unsigned char code = 0;
            if (ec.searchWord(word, code, translation) == 1) {
                while (ec.getNextWord(word, code, translation) != 0) {
                }
            }
        }
        floor.push_back(secondsSince(t));
    }
    std::printf("E-C Find in %zu entries: %zu of %d found\n", entries, found, kFinds);
    reportMedians("E-C Find", command, floor);
    s.access.MenuItemCloseClick();

    s.access.ActionFileOpenCeExecute();
    found = 0;
    command.clear();
    floor.clear();
    std::int32_t mark = 0;
    for (int i = 0; i < kFinds; ++i) {
        t = Clock::now();
        s.access.MenuItemFindClick(ceWord(pick(random)));
        command.push_back(secondsSince(t));
        found += s.editor.isPlaceholder() ? 0 : 1;

        t = Clock::now();
        {
            CeSession session(ce, s.startup.engineDirectoryBuffer, mark);
            (void)session.retrieve(Buffer128(ceWord(pick(random))));
        }
        floor.push_back(secondsSince(t));
    }
    std::printf("C-E Find in %zu entries: %zu of %d found\n", entries, found, kFinds);
    reportMedians("C-E Find", command, floor);
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

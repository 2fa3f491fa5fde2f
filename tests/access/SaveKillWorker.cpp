// The program side of the save kill campaign: the access layer over the reference engines of
// an installation folder, doing what a user does with the window, in a process of its own that
// the campaign kills.
//
//   kelvara_save_kill_worker seed ROOT ec|ce        fills the kind's dictionary: 400 words of
//                                                   5 senses
//   kelvara_save_kill_worker save ROOT ec|ce SEED   Find, Modify, Delete, Add and Save, word by
//                                                   word for all 400 words (2,000 found rows),
//                                                   then one Save of 2,000 added rows; prints
//                                                   "go" before the first Find and "done"
//                                                   after the last Save
//
// The same SEED does the same edits on the same dictionary, so a run that is not killed shows
// what every word must hold after its save.

#include "access/AccessPrompts.h"
#include "access/DictionaryAccess.h"
#include "editor/EntryEditor.h"
#include "engines/EngineSessions.h"
#include "startup/StartupState.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace kelvara {
namespace {

constexpr int kWords = 400;
constexpr int kSensesPerWord = 5;
constexpr int kWordsSavedOneByOne = 400;
constexpr int kRowsOfTheLargeSave = 2000;
const char* const kCeWords[] = {"noun", "vt", "vi", "adj", "adv", "prep"};

/// A user who answers every question with Yes and reads no message.
class DropRefusedPrompts : public AccessPrompts
{
public:
    DictionaryAccess* access = nullptr;
    int messages = 0;

    std::optional<std::string> chooseEcDictionary(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseCeDictionary(const std::string&) override
    {
        return std::nullopt;
    }
    void showInformation(const std::u16string&, const std::u16string&) override { ++messages; }
    // Each word's edits were saved before the next Find; what is left are rows the engine
    // refused ("E", an E-C add of a part of speech the word holds). Dropping them lets the
    // Find go on: answering Yes would keep the grid, and the next word's edits would land on
    // the last word's rows, saving that word twice.
    bool querySaveChanges() override
    {
        return access->QuerySaveChanges([] { return SavePromptAnswer::No; });
    }
    void setCaption(const std::u16string&) override {}
    void setCaptionToPath(const std::string&) override {}
    void setGridVisible(bool) override {}
    void setTypeComboVisible(bool) override {}
};

// C-E words are GBK (书 and a number); E-C words English.
std::string wordOf(bool ce, int i)
{
    return (ce ? std::string("\xCA\xE9") : std::string("word")) + std::to_string(i);
}

int seedDictionary(StartupState& startup, bool ce)
{
    if (ce) {
        std::int32_t mark = 0;
        CeSession session(startup.ce, startup.engineDirectoryBuffer, mark);
        if (!session.isOpen())
            return 1;
        for (int i = 0; i < kWords; ++i)
            for (int k = 0; k < kSensesPerWord; ++k)
                session.add(Buffer128(wordOf(true, i)), Buffer16(kCeWords[k]),
                            Buffer128("sense " + std::to_string(k) + " of " + std::to_string(i)));
        return session.close() ? 0 : 1;
    }
    // The E-C dictionary Open E-C opens on the Simplified platform.
    EcSession session(startup.ec, Buffer256(startup.engineDirectory + "UserS"));
    if (!session.isOpen())
        return 1;
    for (int i = 0; i < kWords; ++i)
        for (int k = 0; k < kSensesPerWord; ++k)
            if (startup.ec.modifyWord(
                    'A', Buffer256(wordOf(false, i)), static_cast<unsigned char>(k),
                    Buffer256("target " + std::to_string(k) + " of " + std::to_string(i))) != 1)
                return 1;
    return session.close() ? 0 : 1;
}

class Session
{
public:
    Session(StartupState& startup, bool ce, unsigned seed)
        : m_ce(ce), m_rng(seed), m_seed(std::to_string(seed)),
          m_editor(startup.language, startup.codePage()),
          m_access(startup, m_state, m_editor, m_prompts)
    {
        m_prompts.access = &m_access;
    }

    bool open()
    {
        if (m_ce)
            m_access.ActionFileOpenCeExecute();
        else
            m_access.MenuItemOpenEcClick();
        return m_state.open;
    }

    void run()
    {
        std::vector<int> order(kWords);
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), m_rng);
        std::puts("go");
        std::fflush(stdout);
        // Each word is saved once, so that after a kill it holds its state before or after.
        for (int n = 0; n < kWordsSavedOneByOne; ++n)
            editAndSaveWord(order[static_cast<std::size_t>(n)]);
        largeSave();
        std::puts("done");
        std::fflush(stdout);
    }

private:
    std::size_t pick(std::size_t n)
    {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng);
    }

    void type(int row, const std::string& text)
    {
        if (m_editor.selectCell(kColTarget, row) && m_editor.MenuItemModifyClick())
            m_editor.StringGridDictSetEditText(kColTarget, row, text);
    }

    void addRow(const std::string& word, const std::string& target)
    {
        if (!m_editor.MenuItemAddClick(word))
            return;
        const int row = m_editor.currentRow();
        if (m_editor.selectCell(kColPartOfSpeech, row) && m_editor.MenuItemModifyClick())
            m_editor.ComboBoxTypeChange(static_cast<int>(pick(m_ce ? 6 : 5)));
        type(row, target);
    }

    void editAndSaveWord(int i)
    {
        const std::string word = wordOf(m_ce, i);
        m_access.MenuItemFindClick(word);
        const int rows = m_editor.isPlaceholder() ? 0 : m_editor.dataRowCount();
        if (rows >= 2) {
            const int modified = 1 + static_cast<int>(pick(static_cast<std::size_t>(rows)));
            int deleted = 1 + static_cast<int>(pick(static_cast<std::size_t>(rows - 1)));
            if (deleted >= modified)
                ++deleted;
            type(modified, "changed " + m_seed + " " + std::to_string(i));
            if (m_editor.selectCell(kColTarget, deleted))
                m_editor.MenuItemDeleteClick();
        }
        addRow(word, "added " + m_seed + " " + std::to_string(i));
        m_access.MenuItemSaveClick();
    }

    void largeSave()
    {
        // Find of a word nobody has: an empty grid to add to.
        m_access.MenuItemFindClick(m_ce ? "\xCA\xE9-" : "none");
        for (int j = 0; j < kRowsOfTheLargeSave; ++j)
            addRow(wordOf(m_ce, kWords + static_cast<int>(pick(kRowsOfTheLargeSave / 2))),
                   "new " + m_seed + " " + std::to_string(j));
        m_access.MenuItemSaveClick();
    }

    bool m_ce;
    std::mt19937 m_rng;
    std::string m_seed;
    DropRefusedPrompts m_prompts;
    DictionaryState m_state;
    EntryEditor m_editor;
    DictionaryAccess m_access;
};

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    using namespace kelvara;
    if (argc < 4)
        return 2;
    const std::string mode = argv[1];
    const bool ce = std::string(argv[3]) == "ce";
    StartupState startup = ReadStartupState(std::string(argv[2]) + "/");
    if (!startup.ec.available() || !startup.ce.available())
        return 3;
    int rc = 0;
    if (mode == "seed") {
        rc = seedDictionary(startup, ce);
    } else if (mode == "save" && argc >= 5) {
        Session session(startup, ce, static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)));
        if (!session.open())
            return 4;
        session.run();
    } else {
        rc = 2;
    }
    UnloadEngines(startup);
    return rc;
}

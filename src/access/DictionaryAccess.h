#pragma once

#include "access/AccessPrompts.h"
#include "access/DictionaryState.h"
#include "lang/Language.h"
#include "platform/FixedBuffer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

class CeSession;
class EntryEditor;
struct CeRowEdit;
struct CeWordPlan;
struct StartupState;

/// The dictionary access commands of the main window: opening and creating a dictionary,
/// Find, Save and Close, through the engine of the open kind. It drives the entry grid
/// model and talks to the user only through AccessPrompts. No engine keeps a dictionary
/// open between two of these calls.
class DictionaryAccess
{
public:
    DictionaryAccess(const StartupState& startup, DictionaryState& state, EntryEditor& editor,
                     AccessPrompts& prompts);

    const DictionaryState& state() const { return m_state; }

    /// Open E-C: probes the fixed E-C dictionary of the engine directory.
    void MenuItemOpenEcClick();
    /// Open C-E: opens the editor without asking the engine.
    void ActionFileOpenCeExecute();
    /// New E-C: a dictionary named in OpenDialogDictEc, created by the engine's open.
    void ActionFileNewEcExecute();
    /// New C-E: a free name chosen in OpenDialogDictCe, created through the engine.
    void ActionFileNewCeExecute();
    /// Shows the empty grid in browsing mode and sets the dictionary-open flag.
    void OpenEditor();
    /// Fills the part-of-speech list of the kind in the interface language.
    void FillPartOfSpeechList(DictionaryKind kind);

    /// Find: the senses of the word (bytes in the platform code page, as typed) as stored
    /// rows. A word longer than the engine's word buffer is refused with a message and
    /// leaves the grid as it was.
    void MenuItemFindClick(std::string_view searchTerm);

    /// Save: SaveEcEdits or SaveCeEdits by the open kind.
    void MenuItemSaveClick();
    void SaveEcEdits();
    void SaveCeEdits();

    /// Close, after the save prompt.
    void MenuItemCloseClick();

    /// The save prompt QuerySaveChanges, the one decision for everything that would drop
    /// unsaved rows: with the changed flag clear it goes on (true) without asking; otherwise
    /// it asks. Yes runs the save (the save of the open kind unless the caller names its own)
    /// and goes on unless the save left edits pending or rows refused (then it stops, so the
    /// caller does not drop what the save just reported); No goes on; Cancel stops (false).
    bool QuerySaveChanges(const std::function<SavePromptAnswer()>& ask,
                          const std::function<void()>& save = {});

    /// The byte limits of the engines' buffers, text without the terminator: E-C source and
    /// translation; C-E word and translation; C-E part-of-speech word.
    static constexpr std::size_t kEcTextLimit = Buffer256::kMaxText;
    static constexpr std::size_t kCeTextLimit = Buffer128::kMaxText;
    static constexpr std::size_t kCeLabelLimit = Buffer16::kMaxText;

    /// Checks a text typed into a cell for the open kind before the grid takes it: empty
    /// when it can be written as shown, otherwise the hint to show in the interface
    /// language. The in-place editor applies it.
    std::u16string checkCellInput(int column, std::string_view text) const;

private:
    struct RowOutcome;
    std::string labelOfEcCode(unsigned char code) const;
    int ecCodeOfLabel(std::string_view label) const;
    bool findEc(std::string_view searchTerm);
    bool findCe(std::string_view searchTerm);
    std::vector<RowOutcome> currentOutcomes() const;
    void applyOutcomes(const std::vector<RowOutcome>& outcomes);
    bool canWriteCeRow(const std::string& source, const CeRowEdit& edit) const;
    /// What the save of one C-E word came to.
    enum class CeWordResult {
        Written, ///< every row as asked
        Refused, ///< nothing of the word written (or put back exactly as it was)
        Broken,  ///< a write was refused and the word could not be put back
    };
    CeWordResult saveCeWord(CeSession& session, const std::string& source,
                            const std::vector<int>& rows, const std::vector<CeRowEdit>& edits,
                            std::vector<RowOutcome>& outcomes);
    /// The sense each edit's row shows after the word was written, read from the word's sense
    /// list; nothing when the list is not what the plan wrote.
    static std::optional<std::vector<std::string>>
    writtenOrigins(const std::string& after, const CeWordPlan& plan,
                   const std::vector<CeRowEdit>& edits, int codePage);
    /// Writes the word's stored senses back; true when it reads exactly as `stored` again.
    static bool restoreCeWord(CeSession& session, const Buffer128& word, const std::string& stored,
                              int codePage);
    void dropMergedRows(std::vector<RowOutcome>& outcomes) const;
    void reportUnwritten(std::size_t count);

    const StartupState& m_startup;
    DictionaryState& m_state;
    EntryEditor& m_editor;
    AccessPrompts& m_prompts;
    std::int32_t m_stackMark = 0; ///< the program's C-E stack mark
};

} // namespace kelvara

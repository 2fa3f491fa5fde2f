// Find: the one way dictionary content reaches the entry grid.

#include "access/DictionaryAccess.h"
#include "access/SenseList.h"
#include "app/StartupState.h"
#include "editor/EntryEditor.h"
#include "lang/AccessMessages.h"
#include "platform/FixedBuffer.h"

namespace kelvara {

namespace {

// E-C labels for codes outside the part-of-speech list: "#" and the code, which a save
// turns back into the same code, so an entry of an unknown part of speech keeps it.
constexpr char kUnknownCodePrefix = '#';

} // namespace

std::string DictionaryAccess::labelOfEcCode(unsigned char code) const
{
    const auto& list = m_editor.partOfSpeechList();
    if (code < list.size())
        return list[code].cellText;
    return kUnknownCodePrefix + std::to_string(code);
}

int DictionaryAccess::ecCodeOfLabel(std::string_view label) const
{
    const int index = m_editor.partOfSpeechIndexOf(label);
    if (index >= 0)
        return index;
    if (label.size() >= 2 && label.size() <= 4 && label.front() == kUnknownCodePrefix) {
        int code = 0;
        for (const char c : label.substr(1)) {
            if (c < '0' || c > '9')
                return 255;
            code = code * 10 + (c - '0');
        }
        if (code <= 255 && std::to_string(code) == label.substr(1))
            return code;
    }
    return 255; // the low byte of -1: not a label of the list
}

void DictionaryAccess::MenuItemFindClick(std::string_view searchTerm)
{
    const std::size_t limit = m_state.kind == DictionaryKind::EC ? kEcTextLimit : kCeTextLimit;
    if (searchTerm.size() > limit) {
        // A cut term would look up another word, and nothing this long can be stored: refuse
        // before the grid is emptied, so pending rows survive.
        m_prompts.showInformation(SearchTermTooLongMessage(m_startup.language, limit), {});
        return;
    }
    // Find replaces every row of the grid. Unsaved edits pass the save prompt first rather
    // than vanishing without a word: Yes writes them, No drops them, Cancel keeps the grid.
    if (!m_prompts.querySaveChanges())
        return;
    // An edit still open belongs to a row that goes now; left open it would land on the row
    // that takes its place, where Modify may not be available (the source of a stored row).
    m_editor.setMode(EditMode::Browsing);
    m_editor.hideTypeCombo();
    m_editor.ResetToPlaceholder();
    if (m_state.kind == DictionaryKind::EC)
        findEc(searchTerm);
    else
        findCe(searchTerm);
    m_editor.setChanged(false);
}

void DictionaryAccess::findEc(std::string_view searchTerm)
{
    const EcBinding& ec = m_startup.ec;
    Buffer256 path;
    if (path.assign(m_state.ecPath) && ec.openCstmRw(path) == 1) {
        Buffer256 word;
        Buffer256 translation;
        unsigned char code = 0;
        (void)word.assign(searchTerm); // fits: checked by the caller
        if (ec.searchWord(word, code, translation) == 1) {
            do {
                m_editor.AddEntryRow(kMarkStored, word.view(), labelOfEcCode(code), translation.view());
            } while (ec.getNextWord(word, code, translation) != 0);
        }
    }
    ec.closeCstmRw();
}

void DictionaryAccess::findCe(std::string_view searchTerm)
{
    const CeBinding& ce = m_startup.ce;
    if (ce.dicOpen(m_startup.engineDirectoryBuffer) == 0)
        return;
    Buffer128 word;
    (void)word.assign(searchTerm); // fits: checked by the caller
    const char* senseList = nullptr;
    ce.markGStack(m_stackMark);
    const int found = ce.dicRetrieve(word, senseList);
    ce.releaseGStack(m_stackMark);
    // The engine keeps the text readable only until its next call.
    const std::string text = senseList ? senseList : "";
    if (found == abi::kRetrieveFound)
        for (const Sense& sense : SplitSenseList(text))
            m_editor.AddEntryRow(kMarkStored, word.view(), sense.label, sense.target);
    ce.dicClose();
}

} // namespace kelvara

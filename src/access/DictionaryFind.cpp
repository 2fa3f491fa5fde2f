// Find: the one way dictionary content reaches the entry grid.

#include "access/CeSavePlan.h"
#include "access/DictionaryAccess.h"
#include "access/SenseList.h"
#include "editor/EntryEditor.h"
#include "engines/EngineSessions.h"
#include "lang/AccessMessages.h"
#include "lang/PartOfSpeech.h"
#include "platform/FixedBuffer.h"
#include "startup/StartupState.h"

namespace kelvara {

std::string DictionaryAccess::labelOfEcCode(unsigned char code) const
{
    return LabelOfEcCode(code, m_editor.partOfSpeechList(), &PartOfSpeechItem::cellText);
}

int DictionaryAccess::ecCodeOfLabel(std::string_view label) const
{
    return EcCodeOfLabel(label, m_editor.partOfSpeechIndexOf(label));
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
    m_editor.endEditing();
    m_editor.ResetToPlaceholder();
    const bool opened =
        m_state.kind == DictionaryKind::EC ? findEc(searchTerm) : findCe(searchTerm);
    m_editor.setChanged(false);
    // An empty grid would read as "not in the dictionary" when the dictionary was not even
    // read (another program holding it past the wait, an unreadable file).
    if (!opened)
        m_prompts.showInformation(OpenFailedMessage(m_startup.language), {});
}

bool DictionaryAccess::findEc(std::string_view searchTerm)
{
    Buffer256 path;
    if (!path.assign(m_state.ecPath)) {
        m_startup.ec.closeCstmRw();
        return false;
    }
    EcSession session(m_startup.ec, path);
    if (!session.isOpen())
        return false;
    Buffer256 word;
    Buffer256 translation;
    unsigned char code = 0;
    (void)word.assign(searchTerm); // fits: checked by the caller
    if (m_startup.ec.searchWord(word, code, translation) == 1) {
        do {
            m_editor.AddEntryRow(kMarkStored, word.view(), labelOfEcCode(code), translation.view());
        } while (m_startup.ec.getNextWord(word, code, translation) != 0);
    }
    return true;
}

bool DictionaryAccess::findCe(std::string_view searchTerm)
{
    CeSession session(m_startup.ce, m_startup.engineDirectoryBuffer, m_stackMark);
    if (!session.isOpen())
        return false;
    Buffer128 word;
    (void)word.assign(searchTerm); // fits: checked by the caller
    const CeSession::Retrieved retrieved = session.retrieve(word);
    session.close();
    if (!retrieved.found())
        return true;
    const std::vector<Sense> rows = SplitSenseList(retrieved.senseList);
    // Where the list reads one way, each row is one stored sense (the last one first): the row
    // keeps that sense's text, so a save replaces or deletes exactly it.
    const auto stored = ReadStoredSenses(retrieved.senseList, m_editor.codePage());
    const bool origins = stored && stored->size() == rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i)
        m_editor.AddEntryRow(kMarkStored, word.view(), rows[i].label, rows[i].target,
                             origins ? (*stored)[rows.size() - 1 - i].text : std::string());
    return true;
}

} // namespace kelvara

#include "access/DictionaryAccess.h"

#include "access/CellInputCheck.h"
#include "access/DictionaryNaming.h"
#include "editor/EntryEditor.h"
#include "lang/AccessMessages.h"
#include "platform/FixedBuffer.h"
#include "platform/Paths.h"
#include "startup/StartupState.h"

namespace kelvara {

DictionaryAccess::DictionaryAccess(const StartupState& startup, DictionaryState& state,
                                   EntryEditor& editor, AccessPrompts& prompts)
    : m_startup(startup), m_state(state), m_editor(editor), m_prompts(prompts)
{
    // Both dictionary dialogs start in the engine directory.
    if (m_state.ecDialogFolder.empty())
        m_state.ecDialogFolder = DialogFolderOf(m_startup.engineDirectory);
    if (m_state.ceDialogFolder.empty())
        m_state.ceDialogFolder = DialogFolderOf(m_startup.engineDirectory);
}

void DictionaryAccess::MenuItemOpenEcClick()
{
    m_state.kind = DictionaryKind::EC;
    const bool traditional = m_startup.chineseVariant == ChineseVariant::Traditional;
    m_state.ecPath = m_startup.engineDirectory + (traditional ? "UserT" : "UserS");

    // A path cut to the buffer would name another dictionary: it is refused as not opening.
    Buffer256 path;
    if (path.assign(m_state.ecPath) && m_startup.ec.openCstmRw(path) == 1) {
        m_startup.ec.closeCstmRw();
        OpenEditor();
        FillPartOfSpeechList(DictionaryKind::EC);
        return;
    }
    m_prompts.showInformation(OpenFailedMessage(m_startup.language), {});
}

void DictionaryAccess::ActionFileOpenCeExecute()
{
    m_state.open = true;
    m_state.kind = DictionaryKind::CE;
    FillPartOfSpeechList(DictionaryKind::CE);
    OpenEditor();
}

void DictionaryAccess::ActionFileNewEcExecute()
{
    m_state.kind = DictionaryKind::EC;
    const std::optional<std::string> chosen =
        m_prompts.chooseEcDictionary(m_state.ecDialogFolder, m_state.ecDialogFileName);
    if (!chosen)
        return;
    if (!m_prompts.querySaveChanges())
        return;

    const NewEcName name = NewEcDictionaryName(*chosen);
    m_state.ecDialogFolder = name.dialogFolder;
    Buffer256 path;
    if (!path.assign(name.path)) {
        m_prompts.showInformation(PathTooLongMessage(), {});
        return;
    }
    m_state.ecPath = name.path;
    if (m_startup.ec.openCstmRw(path) != 1) {
        m_prompts.showInformation(NewOpenFailedMessage(), {});
        return;
    }
    m_startup.ec.closeCstmRw();
    m_state.ecDialogFileName = EcDictionaryFileOf(name.path);
    m_prompts.setCaptionToPath(name.path);
    OpenEditor();
    FillPartOfSpeechList(DictionaryKind::EC);
}

void DictionaryAccess::ActionFileNewCeExecute()
{
    std::string path;
    for (;;) {
        const std::optional<std::string> chosen =
            m_prompts.chooseCeDictionary(m_state.ceDialogFolder);
        if (!chosen)
            return;
        path = NewCeDictionaryPath(*chosen);
        if (!FileExists(path))
            break;
        m_prompts.showInformation(NameClashMessage(), PlatformTitle());
    }
    m_state.newCePath = path;

    Buffer256 pathBuffer;
    if (!pathBuffer.assign(path)) {
        m_prompts.showInformation(PathTooLongMessage(), {});
        return;
    }
    if (m_startup.ce.dicCreate(m_startup.engineDirectoryBuffer, pathBuffer) == 0)
        return;
    m_state.open = true;
    m_state.kind = DictionaryKind::CE;
    FillPartOfSpeechList(DictionaryKind::CE);
    m_prompts.setCaptionToPath(path);
    OpenEditor();
}

void DictionaryAccess::OpenEditor()
{
    m_state.open = true;
    m_prompts.setGridVisible(true);
    m_editor.ResetToPlaceholder();
    m_editor.selectCell(kColSource, kFirstDataRow);
    m_editor.setMode(EditMode::Browsing);
}

void DictionaryAccess::FillPartOfSpeechList(DictionaryKind kind)
{
    m_editor.FillPartOfSpeechList(kind);
}

void DictionaryAccess::MenuItemCloseClick()
{
    if (!m_prompts.querySaveChanges())
        return;
    m_state.open = false;
    m_state.ecPath.clear();
    // A dictionary made by New C-E is the engine's only while it is open here: the next Open
    // C-E must work on the engine directory's own dictionary again.
    if (!m_state.newCePath.empty()) {
        m_startup.ce.dicReset(m_startup.engineDirectoryBuffer);
        m_state.newCePath.clear();
    }
    m_editor.setMode(EditMode::Browsing);
    m_prompts.setGridVisible(false);
    m_editor.hideTypeCombo();
    m_prompts.setTypeComboVisible(false);
    m_editor.setChanged(false);
    m_prompts.setCaption(CaptionAfterClose(m_startup.language));
}

bool DictionaryAccess::QuerySaveChanges(const std::function<SavePromptAnswer()>& ask,
                                        const std::function<void()>& save)
{
    if (!m_editor.changed())
        return true;
    switch (ask()) {
    case SavePromptAnswer::Yes: {
        const int failedBefore = m_editor.countRowsMarked(kMarkFailed);
        if (save)
            save();
        else
            MenuItemSaveClick();
        return !m_editor.changed() && m_editor.countRowsMarked(kMarkFailed) <= failedBefore;
    }
    case SavePromptAnswer::Cancel:
        return false;
    case SavePromptAnswer::No:
        break;
    }
    return true;
}

void DictionaryAccess::MenuItemSaveClick()
{
    if (m_state.kind == DictionaryKind::EC)
        SaveEcEdits();
    else
        SaveCeEdits();
}

std::u16string DictionaryAccess::checkCellInput(int column, std::string_view text) const
{
    return CheckCellInput(m_state.kind, m_startup.language, column, text);
}

void DictionaryAccess::reportUnwritten(std::size_t count)
{
    if (count > 0)
        m_prompts.showInformation(RowsNotWrittenMessage(m_startup.language, count), {});
}

} // namespace kelvara

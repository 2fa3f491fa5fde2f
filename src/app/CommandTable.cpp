#include "app/CommandTable.h"

#include "app/CSMain.h"
#include "app/ImageList.h"

namespace kelvara {

namespace {

using F = TCustomDictForm;
using A = CommandAvailability;

// The import and export entries follow their submenus, through which alone they are reached.
constexpr CommandRow kCommandTable[] = {
    {Command::FileNewEc, "ActionFileNewEc", "File", -1, &F::ActionFileNewEcExecute, &A::newEc},
    {Command::FileNewCe, "ActionFileNewCe", "File", -1, &F::ActionFileNewCeExecute, &A::newCe},
    {Command::FileOpenEc, "ActionFileOpenEc", "File", -1, &F::MenuItemOpenEcClick, &A::openEc},
    {Command::FileOpenCe, "ActionFileOpenCe", "File", -1, &F::ActionFileOpenCeExecute, &A::openCe},
    {Command::FileSave, "ActionFileSave", "File", ImageList::Save, &F::MenuItemSaveClick,
     &A::fileSave},
    {Command::FileClose, "ActionFileClose", "File", -1, &F::MenuItemCloseClick, &A::fileClose},
    {Command::WordFind, "ActionWordFind", "word", ImageList::Find, &F::MenuItemFindClick,
     &A::wordFind},
    {Command::WordAdd, "ActionWordAdd", "word", ImageList::Add, &F::MenuItemAddClick, &A::wordAdd},
    {Command::WordModify, "ActionWordModify", "word", -1, &F::MenuItemModifyClick, &A::wordModify},
    {Command::WordDelete, "ActionWordDelete", "word", ImageList::Delete, &F::MenuItemDeleteClick,
     &A::wordDelete},
    {Command::WordWidth, "ActionWordWidth", "word", -1, &F::MenuItemWidthClick, &A::wordWidth},
    {Command::WordCopy, "ActionWordCopy", "word", -1, &F::MenuItemCopyClick, &A::wordCopy},
    {Command::ImportToEditor, "MenuItemToEditor", nullptr, -1, &F::MenuItemToEditorClick,
     &A::importMenu},
    {Command::ImportToDict, "MenuItemToDict", nullptr, -1, &F::MenuItemToDictClick, &A::importMenu},
    {Command::ExportFromEditor, "MenuItemFromEditor", nullptr, -1, &F::MenuItemFromEditorClick,
     &A::exportMenu},
    {Command::ExportFromDict, "MenuItemFromDict", nullptr, -1, &F::MenuItemFromDictClick,
     &A::exportMenu},
};

static_assert(std::size(kCommandTable) == kCommandCount, "one row per command");

constexpr bool rowsInCommandOrder()
{
    for (std::size_t i = 0; i < std::size(kCommandTable); ++i) {
        if (static_cast<std::size_t>(kCommandTable[i].command) != i)
            return false;
    }
    return true;
}
static_assert(rowsInCommandOrder(), "the rows follow the order of Command");

} // namespace

std::span<const CommandRow> CommandTable()
{
    return kCommandTable;
}

const CommandRow& CommandRowOf(Command command)
{
    return kCommandTable[static_cast<std::size_t>(command)];
}

} // namespace kelvara

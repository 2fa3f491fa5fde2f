#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelvara {

/// The commands whose availability the idle-time rules decide.
enum class Command {
    FileNewEc,
    FileNewCe,
    FileOpenEc,
    FileOpenCe,
    FileSave,
    FileClose,
    WordFind,
    WordAdd,
    WordModify,
    WordDelete,
    WordWidth,
    WordCopy,
    ImportToEditor,
    ImportToDict,
    ExportFromEditor,
    ExportFromDict,
};

/// How many commands there are.
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::ExportFromDict) + 1;

/// What the availability rules read: the main window's state at the moment they run.
struct CommandState
{
    bool open = false;            ///< the dictionary-open flag
    bool changed = false;         ///< the changed flag
    bool ecLibraryLoaded = false; ///< the E-C library handle is not null
    bool ceLibraryLoaded = false; ///< the C-E library handle is not null
    std::string currentMark;      ///< column 0 of the grid's current row
    int currentColumn = 1;        ///< the grid's current column, 0 to 3
    bool inputEmpty = true;       ///< the input box holds no text
    bool gridFocused = false;     ///< the grid has the keyboard focus
    bool firstSourceEmpty = true; ///< the source cell of row 1 is empty
};

/// The enabled and visible states the rules give, one field per rule target.
struct CommandAvailability
{
    bool newEc = false;
    bool newCe = false;
    bool openEc = false;
    bool openCe = false;
    bool wordDelete = false;
    bool wordModify = false;
    bool fileSave = false;
    bool wordFind = false;
    bool wordAdd = false;
    bool fileClose = false;
    bool importMenu = false;      ///< MenuItemImport enabled
    bool exportMenu = false;      ///< MenuItemExport enabled
    bool editMenuVisible = false; ///< MenuItemEdit visible
    bool wordCopy = false;
    bool newMenu = false;      ///< MenuItemNew enabled
    bool openMenu = false;     ///< MenuItemOpen enabled
    bool inputEnabled = false; ///< EditWordInput enabled
    bool wordWidth = true;     ///< no rule: always enabled

    bool operator==(const CommandAvailability&) const = default;
};

/// The update handler of the action list: the availability rules, in their order, over one
/// state. Marks compare as whole, case-sensitive strings.
CommandAvailability ActionListMenuUpdate(const CommandState& state);

/// One entry of a menu as the separator rule sees it.
struct MenuSlot
{
    bool separator = false;
    bool visible = true; ///< for items; a separator's own visibility is what is computed
};

/// Which separators of a menu are shown: none at the top or the bottom, and none directly
/// after another shown separator, counting only the items that are visible. The answer has
/// one flag per slot (items keep their own visibility).
std::vector<bool> ShownSlots(const std::vector<MenuSlot>& entries);

} // namespace kelvara

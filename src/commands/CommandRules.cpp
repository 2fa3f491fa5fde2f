#include "commands/CommandRules.h"

namespace kelvara {

CommandAvailability ActionListMenuUpdate(const CommandState& s)
{
    CommandAvailability a;
    const std::string& mark = s.currentMark;

    a.newEc = s.ecLibraryLoaded && !s.open;                               // rule 1
    a.newCe = s.ceLibraryLoaded && !s.open;                               // rule 2
    a.openEc = a.newEc;                                                   // rule 3
    a.openCe = a.newCe;                                                   // rule 4
    a.wordDelete = s.open && !mark.empty() && mark != "D" && mark != "d"; // rule 5
    // Rule 6 does not look at the open flag: Modify is reachable only through the Edit menu
    // and the grid's pop-up, and neither can be reached while no dictionary is open.
    if (mark == "A")
        a.wordModify = true;
    else if (mark == " " || mark == "M")
        a.wordModify = s.currentColumn == 3;
    else
        a.wordModify = false;
    a.fileSave = s.changed;               // rule 7
    a.wordFind = s.open && !s.inputEmpty; // rule 8
    a.wordAdd = s.open && !s.inputEmpty;  // rule 9
    a.fileClose = s.open;                 // rule 10
    a.importMenu = s.open;                // rule 11
    a.exportMenu = s.open;
    a.editMenuVisible = s.open;                        // rule 12
    a.wordCopy = s.gridFocused && !s.firstSourceEmpty; // rule 13
    a.newMenu = a.newEc || a.newCe;                    // rule 14
    a.openMenu = a.openEc || a.openCe;
    a.inputEnabled = s.open; // rule 15
    a.wordWidth = true;
    return a;
}

std::vector<bool> ShownSlots(const std::vector<MenuSlot>& entries)
{
    std::vector<bool> shown(entries.size(), false);
    bool itemSinceSeparator = false; // a visible item since the last shown separator (or the top)
    std::size_t pendingSeparator = entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].separator) {
            shown[i] = entries[i].visible;
            if (!entries[i].visible)
                continue;
            // A separator is shown only once a visible item follows it.
            if (pendingSeparator != entries.size())
                shown[pendingSeparator] = true;
            pendingSeparator = entries.size();
            itemSinceSeparator = true;
            continue;
        }
        if (itemSinceSeparator && pendingSeparator == entries.size())
            pendingSeparator = i;
        itemSinceSeparator = false;
    }
    return shown;
}

} // namespace kelvara

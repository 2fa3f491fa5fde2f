#pragma once

#include "commands/CommandRules.h"

#include <span>

namespace kelvara {

class TCustomDictForm;

/// One row of the command table: everything the window knows of a command. Adding a command
/// is a value of Command, a row here and its handler on the window.
struct CommandRow
{
    Command command;
    /// The object name of the action of ActionListMenu, or of the menu item that stands for
    /// the command when it has no action (the import and export entries).
    const char* name;
    /// The action's category; nullptr for a command that is a menu item of its own.
    const char* category;
    int image; ///< the index in ImageList1, -1 for none
    void (TCustomDictForm::*handler)();
    /// The field of the availability rules that enables the command.
    bool CommandAvailability::*enabledBy;

    bool isAction() const { return category != nullptr; }
};

/// Every command, in the order of Command.
std::span<const CommandRow> CommandTable();

/// The row of one command.
const CommandRow& CommandRowOf(Command command);

} // namespace kelvara

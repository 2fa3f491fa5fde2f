#include "app/CommandTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kelvara {
namespace {

TEST(CommandTableTest, EveryCommandHasOneRowWithAHandlerAndARule)
{
    std::set<std::string> names;
    for (const CommandRow& row : CommandTable()) {
        EXPECT_EQ(&CommandRowOf(row.command), &row);
        EXPECT_NE(row.handler, nullptr) << row.name;
        EXPECT_NE(row.enabledBy, nullptr) << row.name;
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
    }
    EXPECT_EQ(names.size(), kCommandCount);
}

TEST(CommandTableTest, ImportAndExportEntriesFollowTheirSubmenus)
{
    CommandState openState;
    openState.open = true;
    const CommandAvailability closed = ActionListMenuUpdate(CommandState{});
    const CommandAvailability open = ActionListMenuUpdate(openState);
    for (Command c : {Command::ImportToEditor, Command::ImportToDict, Command::ExportFromEditor,
                      Command::ExportFromDict}) {
        const CommandRow& row = CommandRowOf(c);
        EXPECT_FALSE(row.isAction()) << row.name; // menu items of their own
        EXPECT_FALSE(closed.*row.enabledBy) << row.name;
        EXPECT_TRUE(open.*row.enabledBy) << row.name;
    }
    EXPECT_EQ(CommandRowOf(Command::ImportToDict).enabledBy, &CommandAvailability::importMenu);
    EXPECT_EQ(CommandRowOf(Command::ExportFromDict).enabledBy, &CommandAvailability::exportMenu);
}

} // namespace
} // namespace kelvara

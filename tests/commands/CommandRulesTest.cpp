#include "commands/CommandRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvara {
namespace {

CommandState openDictionary()
{
    CommandState s;
    s.open = true;
    s.ecLibraryLoaded = true;
    s.ceLibraryLoaded = true;
    return s;
}

TEST(CommandRulesTest, NothingOpenLeavesOnlyOpenAndNewPerLoadedEngine)
{
    struct Case
    {
        bool ec, ce;
        bool openEc, openCe, openMenu;
    };
    const Case cases[] = {
        {true, true, true, true, true},
        {true, false, true, false, true},
        {false, true, false, true, true},
        {false, false, false, false, false},
    };
    for (const Case& c : cases) {
        CommandState s;
        s.ecLibraryLoaded = c.ec;
        s.ceLibraryLoaded = c.ce;
        s.inputEmpty = false; // text left in the input box changes nothing while closed
        s.currentMark = " ";
        const CommandAvailability a = ActionListMenuUpdate(s);
        SCOPED_TRACE(testing::Message() << "ec " << c.ec << " ce " << c.ce);
        EXPECT_EQ(a.openEc, c.openEc);
        EXPECT_EQ(a.newEc, c.openEc);
        EXPECT_EQ(a.openCe, c.openCe);
        EXPECT_EQ(a.newCe, c.openCe);
        EXPECT_EQ(a.openMenu, c.openMenu);
        EXPECT_EQ(a.newMenu, c.openMenu);
        EXPECT_FALSE(a.fileSave);
        EXPECT_FALSE(a.fileClose);
        EXPECT_FALSE(a.wordFind);
        EXPECT_FALSE(a.wordAdd);
        EXPECT_FALSE(a.wordDelete);
        EXPECT_FALSE(a.importMenu);
        EXPECT_FALSE(a.exportMenu);
        EXPECT_FALSE(a.editMenuVisible);
        EXPECT_FALSE(a.inputEnabled);
        EXPECT_TRUE(a.wordWidth);
    }
}

TEST(CommandRulesTest, OpenDictionaryDisablesNewAndOpenAndEnablesTheRest)
{
    const CommandAvailability a = ActionListMenuUpdate(openDictionary());
    EXPECT_FALSE(a.newEc);
    EXPECT_FALSE(a.newCe);
    EXPECT_FALSE(a.openEc);
    EXPECT_FALSE(a.openCe);
    EXPECT_FALSE(a.newMenu);
    EXPECT_FALSE(a.openMenu);
    EXPECT_TRUE(a.fileClose);
    EXPECT_TRUE(a.importMenu);
    EXPECT_TRUE(a.exportMenu);
    EXPECT_TRUE(a.editMenuVisible);
    EXPECT_TRUE(a.inputEnabled);
    EXPECT_TRUE(a.wordWidth);
}

TEST(CommandRulesTest, FindAndAddFollowTheInputBox)
{
    CommandState s = openDictionary();
    s.inputEmpty = true;
    EXPECT_FALSE(ActionListMenuUpdate(s).wordFind);
    EXPECT_FALSE(ActionListMenuUpdate(s).wordAdd);
    s.inputEmpty = false;
    EXPECT_TRUE(ActionListMenuUpdate(s).wordFind);
    EXPECT_TRUE(ActionListMenuUpdate(s).wordAdd);
    s.open = false; // after Close the input box may still hold text
    EXPECT_FALSE(ActionListMenuUpdate(s).wordFind);
    EXPECT_FALSE(ActionListMenuUpdate(s).wordAdd);
}

TEST(CommandRulesTest, DeleteAndModifyFollowTheMarkAndColumn)
{
    struct Case
    {
        const char* mark;
        int column;
        bool remove, modify;
    };
    const Case cases[] = {
        {"", 1, false, false},  {"", 3, false, false}, // the placeholder row
        {"A", 1, true, true},   {"A", 2, true, true},
        {"A", 3, true, true},   {" ", 1, true, false},
        {" ", 2, true, false},  {" ", 3, true, true},
        {"M", 2, true, false},  {"M", 3, true, true},
        {"D", 3, false, false}, {"d", 3, false, false},
        {"E", 3, true, false},  {"a", 3, true, false},  // marks are case-sensitive
        {"m", 3, true, false},  {"AA", 1, true, false}, // and compared whole
    };
    for (const Case& c : cases) {
        CommandState s = openDictionary();
        s.currentMark = c.mark;
        s.currentColumn = c.column;
        const CommandAvailability a = ActionListMenuUpdate(s);
        SCOPED_TRACE(testing::Message() << "mark '" << c.mark << "' column " << c.column);
        EXPECT_EQ(a.wordDelete, c.remove);
        EXPECT_EQ(a.wordModify, c.modify);
    }
}

TEST(CommandRulesTest, DeleteNeedsAnOpenDictionaryButModifyDoesNot)
{
    // After Close the hidden grid keeps its rows: Delete must stay disabled. Modify has no
    // open-flag rule; its menus cannot be reached while nothing is open.
    CommandState s;
    s.currentMark = "A";
    s.currentColumn = 3;
    const CommandAvailability a = ActionListMenuUpdate(s);
    EXPECT_FALSE(a.wordDelete);
    EXPECT_TRUE(a.wordModify);
    EXPECT_FALSE(a.editMenuVisible);
}

TEST(CommandRulesTest, SaveFollowsTheChangedFlagAlone)
{
    CommandState s;
    s.changed = true;
    EXPECT_TRUE(ActionListMenuUpdate(s).fileSave);
    s = openDictionary();
    s.currentMark = " ";
    EXPECT_FALSE(ActionListMenuUpdate(s).fileSave);
    s.changed = true;
    EXPECT_TRUE(ActionListMenuUpdate(s).fileSave);
}

TEST(CommandRulesTest, CopyNeedsGridFocusAndASourceInRowOne)
{
    struct Case
    {
        bool focused, firstSourceEmpty, copy;
    };
    const Case cases[] = {
        {true, false, true}, {false, false, false}, {true, true, false}, {false, true, false}};
    for (const Case& c : cases) {
        CommandState s = openDictionary();
        s.gridFocused = c.focused;
        s.firstSourceEmpty = c.firstSourceEmpty;
        s.currentMark = "d"; // Copy copies the current row whatever its mark
        EXPECT_EQ(ActionListMenuUpdate(s).wordCopy, c.copy)
            << "focused " << c.focused << " empty " << c.firstSourceEmpty;
    }
}

std::vector<MenuSlot> menu(const std::string& layout)
{
    // '-' a separator, 'x' a visible item, 'h' a hidden item.
    std::vector<MenuSlot> slotsOf;
    for (char c : layout)
        slotsOf.push_back({c == '-', c != 'h'});
    return slotsOf;
}

std::string shown(const std::string& layout)
{
    const std::vector<bool> flags = ShownSlots(menu(layout));
    std::string out;
    for (std::size_t i = 0; i < layout.size(); ++i)
        out += flags[i] ? layout[i] : '.';
    return out;
}

TEST(CommandRulesTest, RedundantSeparatorsAreNotShown)
{
    // The File menu: hidden New, separator, Open, Save, Close, separator, hidden Import and
    // Export, separator, Exit.
    EXPECT_EQ(shown("h-xxx-hh-x"), "..xxx-...x");
    EXPECT_EQ(shown("x-x-x"), "x-x-x");
    EXPECT_EQ(shown("-x"), ".x");
    EXPECT_EQ(shown("x-"), "x.");
    EXPECT_EQ(shown("x--x"), "x-.x");
    EXPECT_EQ(shown("x-h-x"), "x-..x");
    EXPECT_EQ(shown("hh"), "..");
    EXPECT_EQ(shown(""), "");
}

} // namespace
} // namespace kelvara

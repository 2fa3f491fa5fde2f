#include "platform/Components.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(ComponentListTest, KeepsDeclarationOrderAndTags)
{
    int a = 0, b = 0, c = 0;
    ComponentList list("TCustomDictForm");
    EXPECT_TRUE(list.add("ToolBar1", &a));
    EXPECT_TRUE(list.add("PanelDisplay", &b, 999));
    EXPECT_TRUE(list.insert(1, "FlatPainter1", &c));
    ASSERT_EQ(list.count(), 3u);
    EXPECT_EQ(list.at(0).name, "ToolBar1");
    EXPECT_EQ(list.at(1).name, "FlatPainter1");
    EXPECT_EQ(list.at(2).name, "PanelDisplay");
    EXPECT_EQ(list.indexOfObject(&b), 2);
    EXPECT_EQ(list.indexOf("PanelDisplay"), 2);
    EXPECT_EQ(list.tag("PanelDisplay"), 999);
    EXPECT_EQ(list.tag("ToolBar1"), 0);
    EXPECT_TRUE(list.setTag("ToolBar1", 1000));
    EXPECT_EQ(list.find("ToolBar1")->tag, 1000);
}

TEST(ComponentListTest, RefusesDuplicateEmptyAndNullError)
{
    int a = 0, b = 0;
    ComponentList list;
    ASSERT_TRUE(list.add("EditWordInput", &a));
    EXPECT_FALSE(list.add("EditWordInput", &b));
    EXPECT_FALSE(list.add("SameObjectAgain", &a));
    EXPECT_FALSE(list.add("", &b));
    EXPECT_FALSE(list.add("ComboBoxType", nullptr));
    EXPECT_FALSE(list.setTag("Missing", 1));
    EXPECT_EQ(list.indexOf("Missing"), -1);
    EXPECT_EQ(list.count(), 1u);
}

TEST(ComponentListTest, RemoveTakesOutOnlyThatComponent)
{
    int a = 0, b = 0, c = 0;
    ComponentList list;
    list.add("A", &a);
    list.add("B", &b);
    list.insert(99, "C", &c); // past the end appends
    EXPECT_TRUE(list.remove(&b));
    EXPECT_FALSE(list.remove(&b));
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.at(1).name, "C");
    EXPECT_EQ(list.indexOfObject(&c), 1);
}

} // namespace
} // namespace kelvara

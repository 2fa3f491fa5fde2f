#include "lang/WindowTexts.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

// The Chinese texts are kept as code-page bytes: a wrong or split byte shows here as a
// different character or U+FFFD.
TEST(WindowTextsTest, ChineseTextsDecodeToTheirCharactersInBothCodePages)
{
    EXPECT_EQ(ProgressCancelCaption(InterfaceLanguage::Simplified), u"取消");
    EXPECT_EQ(ProgressCancelCaption(InterfaceLanguage::Traditional), u"取消");
    EXPECT_EQ(ProgressCancelCaption(InterfaceLanguage::English), u"Cancel");
    EXPECT_EQ(RecordsDoneLabel(InterfaceLanguage::Simplified, 1200), u"已处理 1200 条记录");
    EXPECT_EQ(RecordsDoneLabel(InterfaceLanguage::Traditional, 7), u"已處理 7 筆記錄");
    EXPECT_EQ(RecordsDoneLabel(InterfaceLanguage::English, 0), u"0 records done");
    EXPECT_EQ(MissingFolderMessage(InterfaceLanguage::Simplified, u"/tmp/无"),
              u"文件夹不存在：/tmp/无\n请选择一个已有的文件夹。");
    EXPECT_EQ(MissingFolderMessage(InterfaceLanguage::Traditional, u"/tmp/%1"),
              u"資料夾不存在：/tmp/%1\n請選擇一個已有的資料夾。");
    EXPECT_EQ(MissingFolderMessage(InterfaceLanguage::English, u"/x"),
              u"The folder does not exist: /x\nPlease choose an existing folder.");
}

} // namespace
} // namespace kelvara

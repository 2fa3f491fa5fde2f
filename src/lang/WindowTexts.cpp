#include "lang/WindowTexts.h"

#include "lang/Localized.h"

namespace kelvara {

std::u16string ProgressCancelCaption(InterfaceLanguage language)
{
    return Localized(language, {"取消", "取消", u"Cancel"});
}

std::u16string RecordsDoneLabel(InterfaceLanguage language, std::size_t records)
{
    return WithNumber(
        Localized(language, {"已处理 %1 条记录", "已處理 %1 筆記錄", u"%1 records done"}), records);
}

std::u16string MissingFolderMessage(InterfaceLanguage language, std::u16string_view folder)
{
    return WithText(
        Localized(language, {"文件夹不存在：%1\n请选择一个已有的文件夹。",
                             "資料夾不存在：%1\n請選擇一個已有的資料夾。",
                             u"The folder does not exist: %1\nPlease choose an existing folder."}),
        folder);
}

} // namespace kelvara

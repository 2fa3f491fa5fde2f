#include "lang/WindowTexts.h"

#include "lang/Localized.h"

namespace kelvara {

std::u16string ProgressCancelCaption(InterfaceLanguage language)
{
    return Localized(language,
                     "\xC8\xA1\xCF\xFB", // 取消
                     "\xA8\xFA\xAE\xF8", // 取消
                     u"Cancel");
}

std::u16string RecordsDoneLabel(InterfaceLanguage language, std::size_t records)
{
    return WithNumber(
        Localized(language,
                  "\xD2\xD1\xB4\xA6\xC0\xED %1 \xCC\xF5\xBC\xC7\xC2\xBC", // 已处理 %1 条记录
                  "\xA4w\xB3"
                  "B\xB2z %1 \xB5\xA7\xB0O\xBF\xFD", // 已處理 %1 筆記錄
                  u"%1 records done"),
        records);
}

std::u16string MissingFolderMessage(InterfaceLanguage language, std::u16string_view folder)
{
    return WithText(
        Localized(
            language,
            // 文件夹不存在：%1 / 请选择一个已有的文件夹。
            "\xCE\xC4\xBC\xFE\xBC\xD0\xB2\xBB\xB4\xE6\xD4\xDA\xA3\xBA%1\n"
            "\xC7\xEB\xD1\xA1\xD4\xF1\xD2\xBB\xB8\xF6\xD2\xD1\xD3\xD0\xB5\xC4\xCE\xC4\xBC\xFE"
            "\xBC\xD0\xA1\xA3",
            // 資料夾不存在：%1 / 請選擇一個已有的資料夾。
            "\xB8\xEA\xAE\xC6\xA7\xA8\xA4\xA3\xA6s\xA6"
            "b\xA1G%1\n"
            "\xBD\xD0\xBF\xEF\xBE\xDC\xA4@\xAD\xD3\xA4w\xA6\xB3\xAA\xBA\xB8\xEA\xAE\xC6\xA7\xA8"
            "\xA1"
            "C",
            u"The folder does not exist: %1\nPlease choose an existing folder."),
        folder);
}

} // namespace kelvara

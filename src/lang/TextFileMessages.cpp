#include "lang/TextFileMessages.h"

#include "lang/Localized.h"

namespace kelvara {

std::u16string ChosenFileIsDictionaryMessage(InterfaceLanguage language)
{
    return Localized(language,
                     {"所选文件是打开的词典或其附属文件，未读取或写入任何内容。",
                      "所選檔案是開啟的詞典或其附屬檔案，未讀取或寫入任何內容。",
                      u"The chosen file is an open dictionary or one of its side files; nothing "
                      u"was read or written."});
}

std::u16string ChosenFileNotRegularMessage(InterfaceLanguage language)
{
    return Localized(language,
                     {"所选文件不是普通文件（文件夹、管道或设备），未写入任何内容。",
                      "所選檔案不是一般檔案（資料夾、管道或裝置），未寫入任何內容。",
                      u"The chosen file is a folder, FIFO or device, not a regular file; nothing "
                      u"was written."});
}

std::u16string ExportNotWrittenMessage(InterfaceLanguage language)
{
    return Localized(language, {"导出未写入，所选文件保持原样。", "匯出未寫入，所選檔案保持原樣。",
                                u"The export was not written; the chosen file is as it was."});
}

std::u16string PasteFirstLineOnlyHint(InterfaceLanguage language)
{
    return Localized(language,
                     {"只粘贴了第一行，其余各行已舍去。", "只貼上了第一行，其餘各行已捨棄。",
                      u"Only the first line was pasted; the other lines were dropped."});
}

} // namespace kelvara

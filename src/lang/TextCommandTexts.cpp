#include "lang/TextCommandTexts.h"

namespace kelvara::texts {

const LocalizedText kFileNotOpened{"无法打开文本文件。", "無法開啟文字檔。",
                                   u"The text file could not be opened."};
const LocalizedText kFileNotCreated{"无法创建导出文件。", "無法建立匯出檔。",
                                    u"The export file could not be created."};
const LocalizedText kFileReadFailed{"读取文本文件时出错，其余部分未读取。",
                                    "讀取文字檔時出錯，其餘部分未讀取。",
                                    u"Reading the text file failed; the rest of it was not read."};
const LocalizedText kFileWriteFailed{"导出文件未能完整写入。", "匯出檔未能完整寫入。",
                                     u"The export file could not be written completely."};
const LocalizedText kEngineNotOpened{
    "打开词典失败！未导入或导出任何词条。", "打開詞典失敗﹗未匯入或匯出任何詞條。",
    u"Fail to open custom dictionary! Nothing was imported or exported."};
const LocalizedText kEngineStopped{
    "词典无法再次打开，导入在第 %1 条记录处停止。", "詞典無法再次開啟，匯入在第 %1 筆記錄處停止。",
    u"The dictionary could not be opened again: the import stopped at record %1."};
const LocalizedText kNotCommitted{
    "词典未能保存导入的词条，未写入任何词条。", "詞典未能儲存匯入的詞條，未寫入任何詞條。",
    u"The dictionary did not store the import: none of its entries was written."};
const LocalizedText kEngineWroteNothing{
    "词典未输出任何内容，所选文件未被改动。", "詞典未輸出任何內容，所選檔案未被變更。",
    u"The dictionary wrote no export; the chosen file was not touched."};
const LocalizedText kNoTemporaryFile{"无法在所选文件旁建立临时文件。",
                                     "無法在所選檔案旁建立暫存檔。",
                                     u"No temporary file could be made beside the chosen file."};
const LocalizedText kStoppedByUser{"已按用户要求停止。", "已依使用者要求停止。",
                                   u"Stopped at the user's request."};
const LocalizedText kCheckOnly{"仅作检查，未写入任何词条；以下为导入时的结果。",
                               "僅作檢查，未寫入任何詞條；以下為匯入時的結果。",
                               u"Checked only, nothing was written; an import would give:"};

const LocalizedText kWritten{"已写入：%1", "已寫入：%1", u"Written: %1"};
const LocalizedText kReplaced{"已替换词典中同词同词性的释义：%1",
                              "已替換詞典中同詞同詞性的釋義：%1",
                              u"Replaced the held sense of that word and part of speech: %1"};
const LocalizedText kAlreadyHeld{"词典中已有相同释义：%1", "詞典中已有相同釋義：%1",
                                 u"Already in the dictionary: %1"};
const LocalizedText kRefused{"被词典拒绝：%1", "被詞典拒絕：%1", u"Refused by the dictionary: %1"};
const LocalizedText kHeldOtherSense{
    "被词典拒绝（已有该词同一词性的另一释义）：%1", "被詞典拒絕（已有該詞同一詞性的另一釋義）：%1",
    u"Refused: the dictionary holds another sense of that word and part of speech: %1"};
const LocalizedText kTooLong{"因过长而跳过：%1", "因過長而跳過：%1", u"Skipped as too long: %1"};
const LocalizedText kUnrepresentable{"因含有代码页无法表示的字符而跳过：%1",
                                     "因含有字碼頁無法表示的字元而跳過：%1",
                                     u"Skipped for characters the code page lacks: %1"};
const LocalizedText kControlByte{"因含有控制字符而跳过：%1", "因含有控制字元而跳過：%1",
                                 u"Skipped for a NUL or another control character: %1"};
const LocalizedText kKeptBack{
    "因词语含反斜杠或译文含括号而未导入：%1", "因詞語含反斜線或譯文含括號而未匯入：%1",
    u"Kept back for a backslash in the word or a parenthesis in the translation: %1"};
const LocalizedText kNotOpened{"因词典未能打开而未导入：%1", "因詞典未能開啟而未匯入：%1",
                               u"Not imported because the dictionary did not open: %1"};
const LocalizedText kMalformed{"无词条的引擎输出行：%1", "無詞條的引擎輸出列：%1",
                               u"Engine export lines without an entry: %1"};
const LocalizedText kNotStored{"因保存失败而未存入：%1", "因儲存失敗而未存入：%1",
                               u"Not stored because the commit failed: %1"};
const LocalizedText kFullWidth{"其中译文括号改存为全角：%1", "其中譯文括號改存為全形：%1",
                               u"Of these, stored with full-width parentheses: %1"};

const LocalizedText kSaveRejects{"保存未导入的记录…", "儲存未匯入的記錄…",
                                 u"Save the records not imported…"};
const LocalizedText kRejectsNotSaved{"未导入的记录未能保存。", "未匯入的記錄未能儲存。",
                                     u"The records not imported could not be saved."};

} // namespace kelvara::texts

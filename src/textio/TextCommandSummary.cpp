#include "textio/TextCommandSummary.h"

#include <array>

namespace kelvara {

namespace {

// One text in the three interface languages; "%1" stands for a number.
struct Text
{
    std::u16string_view simplified;
    std::u16string_view traditional;
    std::u16string_view english;
};

std::u16string say(const Text& text, InterfaceLanguage language, std::size_t n = 0)
{
    std::u16string out(language == InterfaceLanguage::Simplified    ? text.simplified
                       : language == InterfaceLanguage::Traditional ? text.traditional
                                                                    : text.english);
    const std::size_t at = out.find(u"%1");
    if (at != std::u16string::npos) {
        const std::string digits = std::to_string(n);
        out.replace(at, 2, std::u16string(digits.begin(), digits.end()));
    }
    return out;
}

Text failureText(TextFailure failure)
{
    switch (failure) {
    case TextFailure::None:
        break;
    case TextFailure::FileNotOpened:
        return {u"无法打开文本文件。", u"無法開啟文字檔。", u"The text file could not be opened."};
    case TextFailure::FileNotCreated:
        return {u"无法创建导出文件。", u"無法建立匯出檔。",
                u"The export file could not be created."};
    case TextFailure::FileReadFailed:
        return {u"读取文本文件时出错，其余部分未读取。", u"讀取文字檔時出錯，其餘部分未讀取。",
                u"Reading the text file failed; the rest of it was not read."};
    case TextFailure::FileWriteFailed:
        return {u"导出文件未能完整写入。", u"匯出檔未能完整寫入。",
                u"The export file could not be written completely."};
    case TextFailure::EngineNotOpened:
        return {u"打开词典失败！未导入或导出任何词条。", u"打開詞典失敗﹗未匯入或匯出任何詞條。",
                u"Fail to open custom dictionary! Nothing was imported or exported."};
    case TextFailure::EngineStopped:
        return {u"词典无法再次打开，导入在第 %1 条记录处停止。",
                u"詞典無法再次開啟，匯入在第 %1 筆記錄處停止。",
                u"The dictionary could not be opened again: the import stopped at record %1."};
    case TextFailure::NotCommitted:
        return {u"词典未能保存导入的词条，未写入任何词条。",
                u"詞典未能儲存匯入的詞條，未寫入任何詞條。",
                u"The dictionary did not store the import: none of its entries was written."};
    case TextFailure::EngineWroteNothing:
        return {u"词典未输出任何内容，所选文件未被改动。",
                u"詞典未輸出任何內容，所選檔案未被變更。",
                u"The dictionary wrote no export; the chosen file was not touched."};
    case TextFailure::NoTemporaryFile:
        return {u"无法在所选文件旁建立临时文件。", u"無法在所選檔案旁建立暫存檔。",
                u"No temporary file could be made beside the chosen file."};
    }
    return {};
}

} // namespace

std::u16string TextCommandSummary(const TextCommandResult& result, InterfaceLanguage language)
{
    if (!result.ran || result.complete())
        return {};
    std::u16string text;
    const auto line = [&](const Text& t, std::size_t n) {
        if (!text.empty())
            text += u'\n';
        text += say(t, language, n);
    };
    if (result.failure != TextFailure::None)
        line(failureText(result.failure), result.records);
    if (result.cancelled)
        line({u"已按用户要求停止。", u"已依使用者要求停止。", u"Stopped at the user's request."},
             0);
    line({u"已写入：%1", u"已寫入：%1", u"Written: %1"}, result.written);
    const std::array<std::pair<Text, std::size_t>, 5> counts{{
        {{u"被词典拒绝：%1", u"被詞典拒絕：%1", u"Refused by the dictionary: %1"}, result.refused},
        {{u"因过长而跳过：%1", u"因過長而跳過：%1", u"Skipped as too long: %1"}, result.tooLong},
        {{u"因含有代码页无法表示的字符而跳过：%1", u"因含有字碼頁無法表示的字元而跳過：%1",
          u"Skipped for characters the code page lacks: %1"},
         result.unrepresentable},
        {{u"无词条的引擎输出行：%1", u"無詞條的引擎輸出列：%1",
          u"Engine export lines without an entry: %1"},
         result.malformed},
        {{u"因保存失败而未存入：%1", u"因儲存失敗而未存入：%1",
          u"Not stored because the commit failed: %1"},
         result.notStored},
    }};
    for (const auto& [t, n] : counts) {
        if (n > 0)
            line(t, n);
    }
    return text;
}

std::string TextCommandCounts(const TextCommandResult& result)
{
    return "records " + std::to_string(result.records) + ", written " +
           std::to_string(result.written) + ", refused " + std::to_string(result.refused) +
           ", too long " + std::to_string(result.tooLong) + ", unrepresentable " +
           std::to_string(result.unrepresentable) + ", malformed " +
           std::to_string(result.malformed) + ", blank " + std::to_string(result.blank) +
           ", not stored " + std::to_string(result.notStored);
}

} // namespace kelvara

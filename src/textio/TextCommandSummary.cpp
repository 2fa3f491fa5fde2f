#include "textio/TextCommandSummary.h"

#include "lang/Localized.h"
#include "lang/TextFileMessages.h"

#include <array>

namespace kelvara {

namespace {

// One text in the three interface languages: the Chinese ones as the platform's bytes (GBK,
// Big5); "%1" stands for a number.
struct Text
{
    std::string_view simplifiedGbk;
    std::string_view traditionalBig5;
    std::u16string_view english;
};

std::u16string say(const Text& text, InterfaceLanguage language, std::size_t n = 0)
{
    return WithNumber(Localized(language, text.simplifiedGbk, text.traditionalBig5, text.english),
                      n);
}

Text failureText(TextFailure failure)
{
    switch (failure) {
    case TextFailure::None:
    case TextFailure::ChosenFileIsDictionary: // worded in lang/TextFileMessages
    case TextFailure::ChosenFileNotRegular:
        break;
    case TextFailure::FileNotOpened:
        return {
            "\xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xA1\xA3", // 无法打开文本文件。
            "\xB5L\xAAk\xB6}\xB1\xD2\xA4\xE5\xA6r\xC0\xC9\xA1"
            "C", // 無法開啟文字檔。
            u"The text file could not be opened."};
    case TextFailure::FileNotCreated:
        return {
            "\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8\xB5\xBC\xB3\xF6\xCE\xC4\xBC\xFE\xA1\xA3", // 无法创建导出文件。
            "\xB5L\xAAk\xAB\xD8\xA5\xDF\xB6\xD7\xA5X\xC0\xC9\xA1"
            "C", // 無法建立匯出檔。
            u"The export file could not be created."};
    case TextFailure::FileReadFailed:
        return {
            "\xB6\xC1\xC8\xA1\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xCA\xB1\xB3\xF6\xB4\xED\xA3\xAC\xC6"
            "\xE4\xD3\xE0\xB2\xBF\xB7\xD6\xCE\xB4\xB6\xC1\xC8\xA1\xA1\xA3", // 读取文本文件时出错，其余部分未读取。
            "\xC5\xAA\xA8\xFA\xA4\xE5\xA6r\xC0\xC9\xAE\xC9\xA5X\xBF\xF9\xA1"
            "A\xA8\xE4\xBEl\xB3\xA1\xA4\xC0\xA5\xBC\xC5\xAA\xA8\xFA\xA1"
            "C", // 讀取文字檔時出錯，其餘部分未讀取。
            u"Reading the text file failed; the rest of it was not read."};
    case TextFailure::FileWriteFailed:
        return {"\xB5\xBC\xB3\xF6\xCE\xC4\xBC\xFE\xCE\xB4\xC4\xDC\xCD\xEA\xD5\xFB\xD0\xB4\xC8\xEB"
                "\xA1\xA3", // 导出文件未能完整写入。
                "\xB6\xD7\xA5X\xC0\xC9\xA5\xBC\xAF\xE0\xA7\xB9\xBE\xE3\xBCg\xA4J\xA1"
                "C", // 匯出檔未能完整寫入。
                u"The export file could not be written completely."};
    case TextFailure::EngineNotOpened:
        return {
            "\xB4\xF2\xBF\xAA\xB4\xCA\xB5\xE4\xCA\xA7\xB0\xDC\xA3\xA1\xCE\xB4\xB5\xBC\xC8\xEB\xBB"
            "\xF2\xB5\xBC\xB3\xF6\xC8\xCE\xBA\xCE\xB4\xCA\xCC\xF5\xA1\xA3", // 打开词典失败！未导入或导出任何词条。
            "\xA5\xB4\xB6}"
            "\xB5\xFC\xA8\xE5\xA5\xA2\xB1\xD1\xA1T\xA5\xBC\xB6\xD7\xA4J\xA9\xCE\xB6\xD7\xA5X\xA5"
            "\xF4\xA6\xF3\xB5\xFC\xB1\xF8\xA1"
            "C", // 打開詞典失敗﹗未匯入或匯出任何詞條。
            u"Fail to open custom dictionary! Nothing was imported or exported."};
    case TextFailure::EngineStopped:
        return {
            "\xB4\xCA\xB5\xE4\xCE\xDE\xB7\xA8\xD4\xD9\xB4\xCE\xB4\xF2\xBF\xAA\xA3\xAC\xB5\xBC"
            "\xC8\xEB\xD4\xDA\xB5\xDA %1 "
            "\xCC\xF5\xBC\xC7\xC2\xBC\xB4\xA6\xCD\xA3\xD6\xB9\xA1\xA3", // 词典无法再次打开，导入在第
                                                                        // %1 条记录处停止。
            "\xB5\xFC\xA8\xE5\xB5L\xAAk\xA6"
            "A\xA6\xB8\xB6}\xB1\xD2\xA1"
            "A\xB6\xD7\xA4J\xA6"
            "b\xB2\xC4 %1 \xB5\xA7\xB0O\xBF\xFD\xB3"
            "B\xB0\xB1\xA4\xEE\xA1"
            "C", // 詞典無法再次開啟，匯入在第 %1 筆記錄處停止。
            u"The dictionary could not be opened again: the import stopped at record %1."};
    case TextFailure::NotCommitted:
        return {
            "\xB4\xCA\xB5\xE4\xCE\xB4\xC4\xDC\xB1\xA3\xB4\xE6\xB5\xBC\xC8\xEB\xB5\xC4\xB4\xCA\xCC"
            "\xF5\xA3\xAC\xCE\xB4\xD0\xB4\xC8\xEB\xC8\xCE\xBA\xCE\xB4\xCA\xCC\xF5\xA1\xA3", // 词典未能保存导入的词条，未写入任何词条。
            "\xB5\xFC\xA8\xE5\xA5\xBC\xAF\xE0\xC0x\xA6s\xB6\xD7\xA4J\xAA\xBA\xB5\xFC\xB1\xF8\xA1"
            "A\xA5\xBC\xBCg\xA4J\xA5\xF4\xA6\xF3\xB5\xFC\xB1\xF8\xA1"
            "C", // 詞典未能儲存匯入的詞條，未寫入任何詞條。
            u"The dictionary did not store the import: none of its entries was written."};
    case TextFailure::EngineWroteNothing:
        return {
            "\xB4\xCA\xB5\xE4\xCE\xB4\xCA\xE4\xB3\xF6\xC8\xCE\xBA\xCE\xC4\xDA\xC8\xDD\xA3\xAC\xCB"
            "\xF9\xD1\xA1\xCE\xC4\xBC\xFE\xCE\xB4\xB1\xBB\xB8\xC4\xB6\xAF\xA1\xA3", // 词典未输出任何内容，所选文件未被改动。
            "\xB5\xFC\xA8\xE5\xA5\xBC\xBF\xE9\xA5X\xA5\xF4\xA6\xF3\xA4\xBA\xAE"
            "e\xA1"
            "A\xA9\xD2\xBF\xEF\xC0\xC9\xAE\xD7\xA5\xBC\xB3Q\xC5\xDC\xA7\xF3\xA1"
            "C", // 詞典未輸出任何內容，所選檔案未被變更。
            u"The dictionary wrote no export; the chosen file was not touched."};
    case TextFailure::NoTemporaryFile:
        return {"\xCE\xDE\xB7\xA8\xD4\xDA\xCB\xF9\xD1\xA1\xCE\xC4\xBC\xFE\xC5\xD4\xBD\xA8\xC1\xA2"
                "\xC1\xD9\xCA\xB1\xCE\xC4\xBC\xFE\xA1\xA3", // 无法在所选文件旁建立临时文件。
                "\xB5L\xAAk\xA6"
                "b\xA9\xD2\xBF\xEF\xC0\xC9\xAE\xD7\xAE\xC7\xAB\xD8\xA5\xDF\xBC\xC8\xA6s\xC0\xC9\xA1"
                "C", // 無法在所選檔案旁建立暫存檔。
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
    if (result.failure == TextFailure::ChosenFileIsDictionary)
        text = ChosenFileIsDictionaryMessage(language);
    else if (result.failure == TextFailure::ChosenFileNotRegular)
        text = ChosenFileNotRegularMessage(language);
    else if (result.failure != TextFailure::None)
        line(failureText(result.failure), result.records);
    if (result.notWritten)
        text += (text.empty() ? u"" : u"\n") + ExportNotWrittenMessage(language);
    if (result.cancelled)
        line(
            {"\xD2\xD1\xB0\xB4\xD3\xC3\xBB\xA7\xD2\xAA\xC7\xF3\xCD\xA3\xD6\xB9\xA1\xA3", // 已按用户要求停止。
             "\xA4w\xA8\xCC\xA8\xCF\xA5\xCE\xAA\xCC\xADn\xA8"
             "D\xB0\xB1\xA4\xEE\xA1"
             "C", // 已依使用者要求停止。
             u"Stopped at the user's request."},
            0);
    line({"\xD2\xD1\xD0\xB4\xC8\xEB\xA3\xBA%1", // 已写入：%1
          "\xA4w\xBCg\xA4J\xA1G%1",             // 已寫入：%1
          u"Written: %1"},
         result.written);
    const std::array<std::pair<Text, std::size_t>, 5> counts{{
        {{"\xB1\xBB\xB4\xCA\xB5\xE4\xBE\xDC\xBE\xF8\xA3\xBA%1", // 被词典拒绝：%1
          "\xB3Q\xB5\xFC\xA8\xE5\xA9\xDA\xB5\xB4\xA1G%1",       // 被詞典拒絕：%1
          u"Refused by the dictionary: %1"},
         result.refused},
        {{"\xD2\xF2\xB9\xFD\xB3\xA4\xB6\xF8\xCC\xF8\xB9\xFD\xA3\xBA%1", // 因过长而跳过：%1
          "\xA6]\xB9L\xAA\xF8\xA6\xD3\xB8\xF5\xB9L\xA1G%1",             // 因過長而跳過：%1
          u"Skipped as too long: %1"},
         result.tooLong},
        {{"\xD2\xF2\xBA\xAC\xD3\xD0\xB4\xFA\xC2\xEB\xD2\xB3\xCE\xDE\xB7\xA8\xB1\xED\xCA\xBE"
          "\xB5\xC4\xD7\xD6\xB7\xFB\xB6\xF8\xCC\xF8\xB9\xFD\xA3\xBA%1", // 因含有代码页无法表示的字符而跳过：%1
          "\xA6]"
          "\xA7t\xA6\xB3\xA6r\xBDX\xAD\xB6\xB5L\xAAk\xAA\xED\xA5\xDC\xAA\xBA\xA6r\xA4\xB8"
          "\xA6\xD3\xB8\xF5\xB9L\xA1G%1", // 因含有字碼頁無法表示的字元而跳過：%1
          u"Skipped for characters the code page lacks: %1"},
         result.unrepresentable},
        {{"\xCE\xDE\xB4\xCA\xCC\xF5\xB5\xC4\xD2\xFD\xC7\xE6\xCA\xE4\xB3\xF6\xD0\xD0\xA3\xBA"
          "%1", // 无词条的引擎输出行：%1
          "\xB5L\xB5\xFC\xB1\xF8\xAA\xBA\xA4\xDE\xC0\xBA\xBF\xE9\xA5X\xA6"
          "C\xA1G%1", // 無詞條的引擎輸出列：%1
          u"Engine export lines without an entry: %1"},
         result.malformed},
        {{"\xD2\xF2\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC\xB6\xF8\xCE\xB4\xB4\xE6\xC8\xEB\xA3\xBA"
          "%1", // 因保存失败而未存入：%1
          "\xA6]\xC0x\xA6s\xA5\xA2\xB1\xD1\xA6\xD3\xA5\xBC\xA6s\xA4J\xA1G%1", // 因儲存失敗而未存入：%1
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

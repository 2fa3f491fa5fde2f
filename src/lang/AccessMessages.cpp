#include "lang/AccessMessages.h"

#include "lang/Localized.h"
#include "lang/WideText.h"

namespace kelvara {

// The messages and captions of the dictionary commands. The program holds the Chinese texts as
// the platform's bytes (GBK for Simplified, Big5 for Traditional) and decodes them when shown;
// "%1" stands for a number.

std::u16string OpenFailedMessage(InterfaceLanguage language)
{
    return Localized(language,
                     {"打开词典失败！", "打開詞典失敗﹗", u"Fail to open custom dictionary!"});
}

std::u16string NewOpenFailedMessage()
{
    return HeldText("打开词典失败！", kCodePageGbk);
}

std::u16string SaveWithoutDictionaryMessage(InterfaceLanguage language)
{
    return Localized(language,
                     {"无法打开用户词典！", "打開詞典失敗﹗", u"Fail to open custom dictionary!"});
}

std::u16string NameClashMessage()
{
    return HeldText("指定的文件与现有文件重名，请指定另一文件名！", kCodePageGbk);
}

std::u16string PlatformTitle()
{
    return HeldText("Kelvara智能翻译平台", kCodePageGbk);
}

std::u16string CaptionAfterClose(InterfaceLanguage language)
{
    return Localized(language, {"用户词典维护", "用戶詞典維護", u"Costom Dictionary Utility"});
}

std::u16string PathTooLongMessage()
{
    return HeldText("指定的路径太长，请指定较短的路径！", kCodePageGbk);
}

std::u16string SearchTermTooLongMessage(InterfaceLanguage language, std::size_t maxBytes)
{
    return WithNumber(
        Localized(language, {"输入的词超过%1字节，无法查找！", "輸入的詞超過%1位元組，無法尋找﹗",
                             u"The word is longer than %1 bytes and cannot be looked up."}),
        maxBytes);
}

std::u16string RowsNotWrittenMessage(InterfaceLanguage language, std::size_t count)
{
    return WithNumber(
        Localized(language,
                  {"有%1个词条未写入词典"
                   "（词性或释义为空、文字过长，或词典中该词的释义无法原样保留），"
                   "已标记为“E”。",
                   "有%1個詞條未寫入詞典"
                   "（詞性或漢義為空、文字過長，或詞典中該詞的漢義無法原樣保留），"
                   "已標記為「E」。",
                   u"%1 entries were not written (an empty part of speech or translation, a text "
                   u"too long for the engine, or stored senses of the word that could not be kept "
                   u"as they are); they are marked \"E\"."}),
        count);
}

std::u16string RowsRefusedMessage(InterfaceLanguage language, std::size_t count)
{
    return WithNumber(
        Localized(language,
                  {"词典拒绝写入%1个词条"
                   "（添加的词条可能已存在，或要修改、删除的词条不存在），已标记为“E”。",
                   "詞典拒絕寫入%1個詞條"
                   "（新增的詞條可能已存在，或要修改、移除的詞條不存在），已標記為「E」。",
                   u"The dictionary refused %1 entries (an added entry may exist already, or an "
                   u"entry to modify or delete is not there); they are marked \"E\"."}),
        count);
}

std::u16string DictionaryNotWrittenMessage(InterfaceLanguage language)
{
    return Localized(
        language,
        {"词典无法写入（磁盘已满、文件只读或被其他程序占用），本次修改均未保存。",
         "詞典無法寫入（磁碟已滿、檔案唯讀或被其他程式佔用），本次修改均未儲存。",
         u"The dictionary could not be written (a full disk, a read-only file, or another program "
         u"holding it); none of these changes were saved."});
}

std::u16string WordsNotRestoredMessage(InterfaceLanguage language, std::size_t count)
{
    return WithNumber(
        Localized(language,
                  {"词典未能将%1个词恢复原样（重写时词典拒绝了它的释义，且此词典引擎无法撤销本次"
                   "保存），其词条已标记为“E”。请重新查找该词，查看词典中现存的释义。",
                   "詞典未能將%1個詞恢復原樣（重寫時詞典拒絕了它的漢義，且此詞典引擎無法撤銷本次"
                   "儲存），其詞條已標記為「E」。請重新查找該詞，查看詞典中現存的漢義。",
                   u"The dictionary could not put %1 words back as they were (it refused one of "
                   u"their senses while they were rewritten, and this engine cannot undo a "
                   u"save); their entries are marked \"E\". Find the word again to see what the "
                   u"dictionary holds now."}),
        count);
}

std::u16string CeSourceBackslashHint(InterfaceLanguage language)
{
    return Localized(language,
                     {"汉英词典的原词不能包含反斜杠“\\”。", "漢英詞典的原詞不能包含反斜線「\\」。",
                      u"A C-E source word cannot contain a backslash \"\\\"."});
}

std::u16string CeTargetParenthesisHint(InterfaceLanguage language)
{
    return Localized(
        language,
        {"汉英词典的释义不能包含半角括号“(”或“)”，请使用全角括号“（”“）”。",
         "漢英詞典的漢義不能包含半形括號「(」或「)」，請使用全形括號「（」「）」。",
         u"A C-E translation cannot contain \"(\" or \")\"; use the full-width \"\uFF08\" and "
         u"\"\uFF09\" instead."});
}

std::u16string TextTooLongHint(InterfaceLanguage language, std::size_t maxBytes)
{
    return WithNumber(
        Localized(language, {"文字超过%1字节，无法写入词典。", "文字超過%1位元組，無法寫入詞典。",
                             u"The text is longer than %1 bytes and cannot be written to the "
                             u"dictionary."}),
        maxBytes);
}

} // namespace kelvara

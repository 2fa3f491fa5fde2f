#include "lang/AccessMessages.h"

namespace kelvara {

namespace {

std::u16string number(std::size_t n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string pick(InterfaceLanguage language, std::u16string simplified,
                    std::u16string traditional, std::u16string english)
{
    switch (language) {
    case InterfaceLanguage::Simplified:
        return simplified;
    case InterfaceLanguage::Traditional:
        return traditional;
    case InterfaceLanguage::English:
        break;
    }
    return english;
}

} // namespace

std::u16string OpenFailedMessage(InterfaceLanguage language)
{
    return pick(language, u"打开词典失败！", u"打開詞典失敗﹗", u"Fail to open custom dictionary!");
}

std::u16string NewOpenFailedMessage()
{
    return u"打开词典失败！";
}

std::u16string SaveWithoutDictionaryMessage(InterfaceLanguage language)
{
    return pick(language, u"无法打开用户词典！", u"打開詞典失敗﹗",
                u"Fail to open custom dictionary!");
}

std::u16string NameClashMessage()
{
    return u"指定的文件与现有文件重名，请指定另一文件名！";
}

std::u16string PlatformTitle()
{
    return u"Kelvara智能翻译平台";
}

std::u16string CaptionAfterClose(InterfaceLanguage language)
{
    return pick(language, u"用户词典维护", u"用戶詞典維護", u"Costom Dictionary Utility");
}

std::u16string PathTooLongMessage()
{
    return u"指定的路径太长，请指定较短的路径！";
}

std::u16string SearchTermTooLongMessage(InterfaceLanguage language, std::size_t maxBytes)
{
    const std::u16string n = number(maxBytes);
    return pick(language, u"输入的词超过" + n + u"字节，无法查找！",
                u"輸入的詞超過" + n + u"位元組，無法尋找﹗",
                u"The word is longer than " + n + u" bytes and cannot be looked up.");
}

std::u16string RowsNotWrittenMessage(InterfaceLanguage language, std::size_t count)
{
    const std::u16string n = number(count);
    return pick(language, u"有" + n + u"个词条未写入词典（词性或释义为空、文字过长，或词典中该词的释义无法原样保留），已标记为“E”。",
                u"有" + n + u"個詞條未寫入詞典（詞性或漢義為空、文字過長，或詞典中該詞的漢義無法原樣保留），已標記為「E」。",
                n + u" entries were not written (an empty part of speech or translation, a text too "
                u"long for the engine, or stored senses of the word that could not be kept as they "
                u"are); they are marked \"E\".");
}

std::u16string RowsRefusedMessage(InterfaceLanguage language, std::size_t count)
{
    const std::u16string n = number(count);
    return pick(language, u"词典拒绝写入" + n + u"个词条（添加的词条可能已存在，或要修改、删除的词条不存在），已标记为“E”。",
                u"詞典拒絕寫入" + n + u"個詞條（新增的詞條可能已存在，或要修改、移除的詞條不存在），已標記為「E」。",
                u"The dictionary refused " + n +
                u" entries (an added entry may exist already, or an entry to modify or delete is "
                u"not there); they are marked \"E\".");
}

std::u16string DictionaryNotWrittenMessage(InterfaceLanguage language)
{
    return pick(language, u"词典无法写入（磁盘已满、文件只读或被其他程序占用），本次修改均未保存。",
                u"詞典無法寫入（磁碟已滿、檔案唯讀或被其他程式佔用），本次修改均未儲存。",
                u"The dictionary could not be written (a full disk, a read-only file, or another "
                u"program holding it); none of these changes were saved.");
}

std::u16string CeSourceBackslashHint(InterfaceLanguage language)
{
    return pick(language, u"汉英词典的原词不能包含反斜杠“\\”。",
                u"漢英詞典的原詞不能包含反斜線「\\」。",
                u"A C-E source word cannot contain a backslash \"\\\".");
}

std::u16string CeTargetParenthesisHint(InterfaceLanguage language)
{
    return pick(language, u"汉英词典的释义不能包含半角括号“(”或“)”，请使用全角括号“（”“）”。",
                u"漢英詞典的漢義不能包含半形括號「(」或「)」，請使用全形括號「（」「）」。",
                u"A C-E translation cannot contain \"(\" or \")\"; use the full-width "
                u"\"\uFF08\" and \"\uFF09\" instead.");
}

std::u16string TextTooLongHint(InterfaceLanguage language, std::size_t maxBytes)
{
    const std::u16string n = number(maxBytes);
    return pick(language, u"文字超过" + n + u"字节，无法写入词典。",
                u"文字超過" + n + u"位元組，無法寫入詞典。",
                u"The text is longer than " + n + u" bytes and cannot be written to the dictionary.");
}

} // namespace kelvara

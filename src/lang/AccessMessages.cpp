#include "lang/AccessMessages.h"

#include "lang/Localized.h"
#include "lang/WideText.h"

namespace kelvara {

// The messages and captions of the dictionary commands. Chinese texts are kept as the
// platform's bytes (GBK for Simplified, Big5 for Traditional) and decoded when shown; "%1"
// stands for a number.

std::u16string OpenFailedMessage(InterfaceLanguage language)
{
    return Localized(language,
                     "\xB4\xF2\xBF\xAA\xB4\xCA\xB5\xE4\xCA\xA7\xB0\xDC\xA3\xA1", // 打开词典失败！
                     "\xA5\xB4\xB6}\xB5\xFC\xA8\xE5\xA5\xA2\xB1\xD1\xA1T", // 打開詞典失敗﹗
                     u"Fail to open custom dictionary!");
}

std::u16string NewOpenFailedMessage()
{
    // 打开词典失败！
    return WideFromCodePage("\xB4\xF2\xBF\xAA\xB4\xCA\xB5\xE4\xCA\xA7\xB0\xDC\xA3\xA1",
                            kCodePageGbk);
}

std::u16string SaveWithoutDictionaryMessage(InterfaceLanguage language)
{
    return Localized(
        language,
        "\xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4\xA3\xA1", // 无法打开用户词典！
        "\xA5\xB4\xB6}\xB5\xFC\xA8\xE5\xA5\xA2\xB1\xD1\xA1T", // 打開詞典失敗﹗
        u"Fail to open custom dictionary!");
}

std::u16string NameClashMessage()
{
    // 指定的文件与现有文件重名，请指定另一文件名！
    return WideFromCodePage(
        "\xD6\xB8\xB6\xA8\xB5\xC4\xCE\xC4\xBC\xFE\xD3\xEB\xCF\xD6\xD3\xD0\xCE\xC4\xBC\xFE\xD6\xD8"
        "\xC3\xFB\xA3\xAC\xC7\xEB\xD6\xB8\xB6\xA8\xC1\xED\xD2\xBB\xCE\xC4\xBC\xFE\xC3\xFB\xA3\xA1",
        kCodePageGbk);
}

std::u16string PlatformTitle()
{
    // Kelvara智能翻译平台
    return WideFromCodePage("Kelvara\xD6\xC7\xC4\xDC\xB7\xAD\xD2\xEB\xC6\xBD\xCC\xA8",
                            kCodePageGbk);
}

std::u16string CaptionAfterClose(InterfaceLanguage language)
{
    return Localized(language,
                     "\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4\xCE\xAC\xBB\xA4", // 用户词典维护
                     "\xA5\xCE\xA4\xE1\xB5\xFC\xA8\xE5\xBA\xFB\xC5@",    // 用戶詞典維護
                     u"Costom Dictionary Utility");
}

std::u16string PathTooLongMessage()
{
    // 指定的路径太长，请指定较短的路径！
    return WideFromCodePage("\xD6\xB8\xB6\xA8\xB5\xC4\xC2\xB7\xBE\xB6\xCC\xAB\xB3\xA4\xA3\xAC\xC7"
                            "\xEB\xD6\xB8\xB6\xA8\xBD\xCF\xB6\xCC\xB5\xC4\xC2\xB7\xBE\xB6\xA3\xA1",
                            kCodePageGbk);
}

std::u16string SearchTermTooLongMessage(InterfaceLanguage language, std::size_t maxBytes)
{
    return WithNumber(
        Localized(
            language,
            "\xCA\xE4\xC8\xEB\xB5\xC4\xB4\xCA\xB3\xAC\xB9\xFD%"
            "1\xD7\xD6\xBD\xDA\xA3\xAC\xCE\xDE\xB7\xA8\xB2\xE9\xD5\xD2\xA3\xA1", // 输入的词超过%1字节，无法查找！
            "\xBF\xE9\xA4J\xAA\xBA\xB5\xFC\xB6W\xB9L%1\xA6\xEC\xA4\xB8\xB2\xD5\xA1"
            "A\xB5L\xAAk\xB4M\xA7\xE4\xA1T", // 輸入的詞超過%1位元組，無法尋找﹗
            u"The word is longer than %1 bytes and cannot be looked up."),
        maxBytes);
}

std::u16string RowsNotWrittenMessage(InterfaceLanguage language, std::size_t count)
{
    return WithNumber(
        Localized(
            language,
            "\xD3\xD0%"
            "1\xB8\xF6\xB4\xCA\xCC\xF5\xCE\xB4\xD0\xB4\xC8\xEB\xB4\xCA\xB5\xE4\xA3\xA8\xB4\xCA\xD0"
            "\xD4\xBB\xF2\xCA\xCD\xD2\xE5\xCE\xAA\xBF\xD5\xA1\xA2\xCE\xC4\xD7\xD6\xB9\xFD\xB3\xA4"
            "\xA3\xAC\xBB\xF2\xB4\xCA\xB5\xE4\xD6\xD0\xB8\xC3\xB4\xCA\xB5\xC4\xCA\xCD\xD2\xE5\xCE"
            "\xDE\xB7\xA8\xD4\xAD\xD1\xF9\xB1\xA3\xC1\xF4\xA3\xA9\xA3\xAC\xD2\xD1\xB1\xEA\xBC\xC7"
            "\xCE\xAA\xA1\xB0"
            "E\xA1\xB1\xA1\xA3", // 有%1个词条未写入词典（词性或释义为空、文字过长，或词典中该词的释义无法原样保留），已标记为“E”。
            "\xA6\xB3%1\xAD\xD3\xB5\xFC\xB1\xF8\xA5\xBC\xBCg\xA4J\xB5\xFC\xA8\xE5\xA1]"
            "\xB5\xFC\xA9\xCA\xA9\xCE\xBA~\xB8q\xAC\xB0\xAA\xC5\xA1"
            "B\xA4\xE5\xA6r\xB9L\xAA\xF8\xA1"
            "A\xA9\xCE\xB5\xFC\xA8\xE5\xA4\xA4\xB8\xD3\xB5\xFC\xAA\xBA\xBA~"
            "\xB8q\xB5L\xAAk\xAD\xEC\xBC\xCB\xABO\xAF"
            "d\xA1^\xA1"
            "A\xA4w\xBC\xD0\xB0O\xAC\xB0\xA1uE\xA1v\xA1"
            "C", // 有%1個詞條未寫入詞典（詞性或漢義為空、文字過長，或詞典中該詞的漢義無法原樣保留），已標記為「E」。
            u"%1 entries were not written (an empty part of speech or translation, a text too long "
            u"for the engine, or stored senses of the word that could not be kept as they are); "
            u"they are marked \"E\"."),
        count);
}

std::u16string RowsRefusedMessage(InterfaceLanguage language, std::size_t count)
{
    return WithNumber(
        Localized(
            language,
            "\xB4\xCA\xB5\xE4\xBE\xDC\xBE\xF8\xD0\xB4\xC8\xEB%"
            "1\xB8\xF6\xB4\xCA\xCC\xF5\xA3\xA8\xCC\xED\xBC\xD3\xB5\xC4\xB4\xCA\xCC\xF5\xBF\xC9\xC4"
            "\xDC\xD2\xD1\xB4\xE6\xD4\xDA\xA3\xAC\xBB\xF2\xD2\xAA\xD0\xDE\xB8\xC4\xA1\xA2\xC9\xBE"
            "\xB3\xFD\xB5\xC4\xB4\xCA\xCC\xF5\xB2\xBB\xB4\xE6\xD4\xDA\xA3\xA9\xA3\xAC\xD2\xD1\xB1"
            "\xEA\xBC\xC7\xCE\xAA\xA1\xB0"
            "E\xA1\xB1\xA1\xA3", // 词典拒绝写入%1个词条（添加的词条可能已存在，或要修改、删除的词条不存在），已标记为“E”。
            "\xB5\xFC\xA8\xE5\xA9\xDA\xB5\xB4\xBCg\xA4J%1\xAD\xD3\xB5\xFC\xB1\xF8\xA1]"
            "\xB7s\xBCW\xAA\xBA\xB5\xFC\xB1\xF8\xA5i\xAF\xE0\xA4w\xA6s\xA6"
            "b\xA1"
            "A\xA9\xCE\xADn\xAD\xD7\xA7\xEF\xA1"
            "B\xB2\xBE\xB0\xA3\xAA\xBA\xB5\xFC\xB1\xF8\xA4\xA3\xA6s\xA6"
            "b\xA1^\xA1"
            "A\xA4w\xBC\xD0\xB0O\xAC\xB0\xA1uE\xA1v\xA1"
            "C", // 詞典拒絕寫入%1個詞條（新增的詞條可能已存在，或要修改、移除的詞條不存在），已標記為「E」。
            u"The dictionary refused %1 entries (an added entry may exist already, or an entry to "
            u"modify or delete is not there); they are marked \"E\"."),
        count);
}

std::u16string DictionaryNotWrittenMessage(InterfaceLanguage language)
{
    return Localized(
        language,
        "\xB4\xCA\xB5\xE4\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xA3\xA8\xB4\xC5\xC5\xCC\xD2\xD1\xC2\xFA"
        "\xA1\xA2\xCE\xC4\xBC\xFE\xD6\xBB\xB6\xC1\xBB\xF2\xB1\xBB\xC6\xE4\xCB\xFB\xB3\xCC\xD0\xF2"
        "\xD5\xBC\xD3\xC3\xA3\xA9\xA3\xAC\xB1\xBE\xB4\xCE\xD0\xDE\xB8\xC4\xBE\xF9\xCE\xB4\xB1\xA3"
        "\xB4\xE6\xA1\xA3", // 词典无法写入（磁盘已满、文件只读或被其他程序占用），本次修改均未保存。
        "\xB5\xFC\xA8\xE5\xB5L\xAAk\xBCg\xA4J\xA1]\xBA\xCF\xBA\xD0\xA4w\xBA\xA1\xA1"
        "B\xC0\xC9\xAE\xD7\xB0\xDF\xC5\xAA\xA9\xCE\xB3Q\xA8\xE4\xA5L\xB5{"
        "\xA6\xA1\xA6\xFB\xA5\xCE\xA1^\xA1"
        "A\xA5\xBB\xA6\xB8\xAD\xD7\xA7\xEF\xA7\xA1\xA5\xBC\xC0x\xA6s\xA1"
        "C", // 詞典無法寫入（磁碟已滿、檔案唯讀或被其他程式佔用），本次修改均未儲存。
        u"The dictionary could not be written (a full disk, a read-only file, or another program "
        u"holding it); none of these changes were saved.");
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
    return Localized(
        language,
        "\xBA\xBA\xD3\xA2\xB4\xCA\xB5\xE4\xB5\xC4\xD4\xAD\xB4\xCA\xB2\xBB\xC4\xDC\xB0\xFC\xBA\xAC"
        "\xB7\xB4\xD0\xB1\xB8\xDC\xA1\xB0\\\xA1\xB1\xA1\xA3", // 汉英词典的原词不能包含反斜杠“\”。
        "\xBA~\xAD^\xB5\xFC\xA8\xE5\xAA\xBA\xAD\xEC\xB5\xFC\xA4\xA3\xAF\xE0\xA5]"
        "\xA7t\xA4\xCF\xB1\xD7\xBDu\xA1u\\\xA1v\xA1"
        "C", // 漢英詞典的原詞不能包含反斜線「\」。
        u"A C-E source word cannot contain a backslash \"\\\".");
}

std::u16string CeTargetParenthesisHint(InterfaceLanguage language)
{
    return Localized(
        language,
        "\xBA\xBA\xD3\xA2\xB4\xCA\xB5\xE4\xB5\xC4\xCA\xCD\xD2\xE5\xB2\xBB\xC4\xDC\xB0\xFC\xBA\xAC"
        "\xB0\xEB\xBD\xC7\xC0\xA8\xBA\xC5\xA1\xB0(\xA1\xB1\xBB\xF2\xA1\xB0)"
        "\xA1\xB1\xA3\xAC\xC7\xEB\xCA\xB9\xD3\xC3\xC8\xAB\xBD\xC7\xC0\xA8\xBA\xC5\xA1\xB0\xA3\xA8"
        "\xA1\xB1\xA1\xB0\xA3\xA9\xA1\xB1\xA1\xA3", // 汉英词典的释义不能包含半角括号“(”或“)”，请使用全角括号“（”“）”。
        "\xBA~\xAD^\xB5\xFC\xA8\xE5\xAA\xBA\xBA~\xB8q\xA4\xA3\xAF\xE0\xA5]\xA7t\xA5"
        "b\xA7\xCE\xAC"
        "A\xB8\xB9\xA1u(\xA1v\xA9\xCE\xA1u)\xA1v\xA1"
        "A\xBD\xD0\xA8\xCF\xA5\xCE\xA5\xFE\xA7\xCE\xAC"
        "A\xB8\xB9\xA1u\xA1]\xA1v\xA1u\xA1^\xA1v\xA1"
        "C", // 漢英詞典的漢義不能包含半形括號「(」或「)」，請使用全形括號「（」「）」。
        u"A C-E translation cannot contain \"(\" or \")\"; use the full-width \"\uFF08\" and "
        u"\"\uFF09\" instead.");
}

std::u16string TextTooLongHint(InterfaceLanguage language, std::size_t maxBytes)
{
    return WithNumber(
        Localized(language,
                  "\xCE\xC4\xD7\xD6\xB3\xAC\xB9\xFD%"
                  "1\xD7\xD6\xBD\xDA\xA3\xAC\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xB4\xCA\xB5"
                  "\xE4\xA1\xA3", // 文字超过%1字节，无法写入词典。
                  "\xA4\xE5\xA6r\xB6W\xB9L%1\xA6\xEC\xA4\xB8\xB2\xD5\xA1"
                  "A\xB5L\xAAk\xBCg\xA4J\xB5\xFC\xA8\xE5\xA1"
                  "C", // 文字超過%1位元組，無法寫入詞典。
                  u"The text is longer than %1 bytes and cannot be written to the "
                  u"dictionary."),
        maxBytes);
}

} // namespace kelvara

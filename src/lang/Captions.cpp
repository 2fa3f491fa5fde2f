#include "lang/Captions.h"

#include "lang/WideText.h"

namespace kelvara {

namespace {

// The Chinese texts are kept as the code-page bytes the platform's form resources hold; the
// comment beside each gives the text it decodes to.

// clang-format off
constexpr CaptionEntry kSimplifiedMain[] = {
    {"MenuItemEditCut", CaptionProperty::Caption, "\xBC\xF4\xC7\xD0(&T)"},  // 剪切(&T)
    {"MenuItemEditCopy", CaptionProperty::Caption, "\xB8\xB4\xD6\xC6(&C)"},  // 复制(&C)
    {"MenuItemEditPaste", CaptionProperty::Caption, "\xD5\xB3\xCC\xF9(&P)"},  // 粘贴(&P)
    {"TCustomDictForm", CaptionProperty::Title, "\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4\xCE\xAC\xBB\xA4"},  // 用户词典维护
    {"ActionFileOpenEc", CaptionProperty::Caption, "\xD3\xA2\xBA\xBA\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4(&E)"},  // 英汉用户词典(&E)
    {"ActionFileOpenEc", CaptionProperty::Hint, "\xB4\xF2\xBF\xAA\xBB\xF2\xB4\xB4\xBD\xA8\xD3\xA2\xBA\xBA\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4"},  // 打开或创建英汉用户词典
    {"ActionFileOpenCe", CaptionProperty::Caption, "\xBA\xBA\xD3\xA2\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4(&C)"},  // 汉英用户词典(&C)
    {"ActionFileOpenCe", CaptionProperty::Hint, "\xB4\xF2\xBF\xAA\xBB\xF2\xB4\xB4\xBD\xA8\xBA\xBA\xD3\xA2\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4"},  // 打开或创建汉英用户词典
    {"ActionFileSave", CaptionProperty::Caption, "\xB1\xA3\xB4\xE6(&S)"},  // 保存(&S)
    {"ActionFileSave", CaptionProperty::Hint, "\xB1\xA3\xB4\xE6\xB5\xB1\xC7\xB0\xB1\xE0\xBC\xAD\xB4\xB0\xBF\xDA\xD6\xD0\xB5\xC4\xB4\xCA\xCC\xF5"},  // 保存当前编辑窗口中的词条
    {"ActionFileClose", CaptionProperty::Caption, "\xB9\xD8\xB1\xD5(&C)"},  // 关闭(&C)
    {"ActionFileClose", CaptionProperty::Hint, "\xB9\xD8\xB1\xD5\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4"},  // 关闭用户词典
    {"ActionWordFind", CaptionProperty::Caption, "\xB2\xE9\xD5\xD2(&F)"},  // 查找(&F)
    {"ActionWordFind", CaptionProperty::Hint, "\xB2\xE9\xD5\xD2\xCA\xE4\xC8\xEB\xBF\xF2\xD6\xD0\xB5\xC4\xB4\xCA\xCC\xF5"},  // 查找输入框中的词条
    {"ActionWordAdd", CaptionProperty::Caption, "\xCC\xED\xBC\xD3(&A)"},  // 添加(&A)
    {"ActionWordAdd", CaptionProperty::Hint, "\xCC\xED\xBC\xD3\xCA\xE4\xC8\xEB\xBF\xF2\xD6\xD0\xB5\xC4\xB4\xCA\xCC\xF5"},  // 添加输入框中的词条
    {"ActionWordModify", CaptionProperty::Caption, "\xD0\xDE\xB8\xC4(&M)"},  // 修改(&M)
    {"ActionWordModify", CaptionProperty::Hint, "\xCA\xB9\xB5\xB1\xC7\xB0\xB1\xE0\xBC\xAD\xBF\xF2\xB1\xE4\xCE\xAA\xB1\xE0\xBC\xAD\xD7\xB4\xCC\xAC"},  // 使当前编辑框变为编辑状态
    {"ActionWordDelete", CaptionProperty::Caption, "\xC9\xBE\xB3\xFD(&D)"},  // 删除(&D)
    {"ActionWordDelete", CaptionProperty::Hint, "\xC9\xBE\xB3\xFD\xB5\xB1\xC7\xB0\xD0\xD0\xB5\xC4\xB4\xCA\xCC\xF5"},  // 删除当前行的词条
    {"ActionWordWidth", CaptionProperty::Caption, "\xC1\xD0\xBF\xED(&W)"},  // 列宽(&W)
    {"ActionWordWidth", CaptionProperty::Hint, "\xD0\xDE\xB8\xC4\xB5\xB1\xC7\xB0\xC0\xB8\xB5\xC4\xBF\xED\xB6\xC8"},  // 修改当前栏的宽度
    {"ActionWordCopy", CaptionProperty::Caption, "\xB8\xB4\xD6\xC6(&C)"},  // 复制(&C)
    {"ActionWordCopy", CaptionProperty::Hint, "\xB8\xB4\xD6\xC6\xB5\xB1\xC7\xB0\xD0\xD0\xB5\xC4\xC4\xDA\xC8\xDD\xB5\xBD\xBC\xF4\xC7\xD0\xB0\xE5"},  // 复制当前行的内容到剪切板
    {"MenuItemFile", CaptionProperty::Caption, "\xCE\xC4\xBC\xFE(&F)"},  // 文件(&F)
    {"MenuItemEdit", CaptionProperty::Caption, "\xB1\xE0\xBC\xAD(&W)"},  // 编辑(&W)
    {"MenuItemImport", CaptionProperty::Caption, "\xB4\xD3\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xB5\xBC\xC8\xEB(&I)"},  // 从文本文件导入(&I)
    {"MenuItemToEditor", CaptionProperty::Caption, "\xB5\xBD\xB5\xB1\xC7\xB0\xB1\xE0\xBC\xAD\xB4\xB0\xBF\xDA(&W)"},  // 到当前编辑窗口(&W)
    {"MenuItemToDict", CaptionProperty::Caption, "\xB5\xBD\xB5\xB1\xC7\xB0\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4(&D)"},  // 到当前用户词典(&D)
    {"MenuItemExport", CaptionProperty::Caption, "\xB5\xBC\xB3\xF6\xB5\xBD\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE(&E)"},  // 导出到文本文件(&E)
    {"MenuItemFromEditor", CaptionProperty::Caption, "\xB4\xD3\xB5\xB1\xC7\xB0\xB1\xE0\xBC\xAD\xB4\xB0\xBF\xDA(&W)"},  // 从当前编辑窗口(&W)
    {"MenuItemFromDict", CaptionProperty::Caption, "\xB4\xD3\xB5\xB1\xC7\xB0\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4(&A)"},  // 从当前用户词典(&A)
    {"MenuItemExit", CaptionProperty::Caption, "\xCD\xCB\xB3\xF6(&X)"},  // 退出(&X)
    {"EditWordInput", CaptionProperty::Hint, "\xB5\xA5\xB4\xCA\xBB\xF2\xB4\xCA\xD7\xE9\xCA\xE4\xC8\xEB\xBF\xF2"},  // 单词或词组输入框
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xD4\xAD\xB4\xCA", 1},  // 原词
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xB4\xCA\xD0\xD4", 2},  // 词性
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xCA\xCD\xD2\xE5", 3},  // 释义
};

constexpr CaptionEntry kTraditionalMain[] = {
    {"MenuItemEditCut", CaptionProperty::Caption, "\xB0\xC5\xA4U(&T)"},  // 剪下(&T)
    {"MenuItemEditCopy", CaptionProperty::Caption, "\xBD\xC6\xBBs(&C)"},  // 複製(&C)
    {"MenuItemEditPaste", CaptionProperty::Caption, "\xB6K\xA4W(&P)"},  // 貼上(&P)
    {"TCustomDictForm", CaptionProperty::Title, "\xA5\xCE\xA4\xE1\xB5\xFC\xA8\xE5"},  // 用戶詞典
    {"ActionFileOpenEc", CaptionProperty::Caption, "\xAD^\xBA~\xA5\xCE\xA4\xE1\xB5\xFC\xA8\xE5(&E)"},  // 英漢用戶詞典(&E)
    {"ActionFileOpenEc", CaptionProperty::Hint, "\xA5\xB4\xB6}\xAD^\xBA~\xA5\xCE\xA4\xE1\xB5\xFC\xA8\xE5"},  // 打開英漢用戶詞典
    {"ActionFileOpenCe", CaptionProperty::Caption, "\xBA~\xAD^\xA5\xCE\xA4\xE1\xB5\xFC\xA8\xE5(&C)"},  // 漢英用戶詞典(&C)
    {"ActionFileOpenCe", CaptionProperty::Hint, "\xA5\xB4\xB6}\xBA~\xAD^\xA5\xCE\xA4\xE1\xB5\xFC\xA8\xE5"},  // 打開漢英用戶詞典
    {"ActionFileSave", CaptionProperty::Caption, "\xC0x\xA6s(&S)"},  // 儲存(&S)
    {"ActionFileSave", CaptionProperty::Hint, "\xC0x\xA6s\xA5\xD8\xAB" "e\xBDs\xBF\xE8\xB5{\xA6\xA1\xA4\xA4\xAA\xBA\xB5\xFC\xB1\xF8"},  // 儲存目前編輯程式中的詞條
    {"ActionFileClose", CaptionProperty::Caption, "\xC3\xF6\xB3\xAC(&C)"},  // 關閉(&C)
    {"ActionFileClose", CaptionProperty::Hint, "\xC3\xF6\xB3\xAC\xA8\xCF\xA5\xCE\xAA\xCC\xA6r\xA8\xE5"},  // 關閉使用者字典
    {"ActionWordFind", CaptionProperty::Caption, "\xB4M\xA7\xE4(&F)"},  // 尋找(&F)
    {"ActionWordFind", CaptionProperty::Hint, "\xB4M\xA7\xE4\xBF\xE9\xA4J\xAE\xD8\xA4\xA4\xAA\xBA\xB5\xFC\xB1\xF8"},  // 尋找輸入框中的詞條
    {"ActionWordAdd", CaptionProperty::Caption, "\xB7s\xBCW(&A)"},  // 新增(&A)
    {"ActionWordAdd", CaptionProperty::Hint, "\xB7s\xBCW\xBF\xE9\xA4J\xAE\xD8\xA4\xA4\xAA\xBA\xB5\xFC\xB1\xF8"},  // 新增輸入框中的詞條
    {"ActionWordModify", CaptionProperty::Caption, "\xAD\xD7\xA7\xEF(&M)"},  // 修改(&M)
    {"ActionWordModify", CaptionProperty::Hint, "\xA8\xCF\xA5\xD8\xAB" "e\xA4\xE5\xAE\xD1\xBDs\xBF\xE8\xAE\xD8\xC5\xDC\xAC\xB0\xBDs\xBF\xE8\xAA\xAC\xBA" "A"},  // 使目前文書編輯框變為編輯狀態
    {"ActionWordDelete", CaptionProperty::Caption, "\xB2\xBE\xB0\xA3(&D)"},  // 移除(&D)
    {"ActionWordDelete", CaptionProperty::Hint, "\xB2\xBE\xB0\xA3\xA5\xD8\xAB" "e\xAA\xBA\xB5\xFC\xB1\xF8"},  // 移除目前的詞條
    {"ActionWordWidth", CaptionProperty::Caption, "\xC4\xE6\xBC" "e(&W)"},  // 欄寬(&W)
    {"ActionWordWidth", CaptionProperty::Hint, "\xAD\xD7\xA7\xEF\xA5\xD8\xAB" "e\xC4\xE6\xAA\xBA\xBC" "e\xAB\xD7"},  // 修改目前欄的寬度
    {"ActionWordCopy", CaptionProperty::Caption, "\xBD\xC6\xBBs(&C)"},  // 複製(&C)
    {"ActionWordCopy", CaptionProperty::Hint, "\xBD\xC6\xBBs\xA5\xD8\xAB" "e\xAA\xBA\xA4\xBA\xAE" "e\xA8\xEC\xB0\xC5\xB6K\xC3\xAF"},  // 複製目前的內容到剪貼簿
    {"MenuItemFile", CaptionProperty::Caption, "\xC0\xC9\xAE\xD7(&F)"},  // 檔案(&F)
    {"MenuItemEdit", CaptionProperty::Caption, "\xBDs\xBF\xE8(&E)"},  // 編輯(&E)
    {"MenuItemOpen", CaptionProperty::Caption, "\xB6}\xB1\xD2(&O)"},  // 開啟(&O)
    {"MenuItemExit", CaptionProperty::Caption, "\xB0h\xA5X(&E)"},  // 退出(&E)
    {"EditWordInput", CaptionProperty::Hint, "\xB3\xE6\xA6r\xA9\xCE\xB5\xFC\xA5y\xBF\xE9\xA4J\xAE\xD8"},  // 單字或詞句輸入框
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xAD\xEC\xB5\xFC", 1},  // 原詞
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xB5\xFC\xA9\xCA", 2},  // 詞性
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xBA~\xB8q", 3},  // 漢義
    {"Modify2", CaptionProperty::Caption, "\xAD\xD7\xA7\xEF\xB7\xED\xAB" "e\xB0O\xBF\xFD(&M)"},  // 修改當前記錄(&M)
    {"Delete2", CaptionProperty::Caption, "\xB2\xBE\xB0\xA3\xB7\xED\xAB" "e\xB0O\xBF\xFD(&D)"},  // 移除當前記錄(&D)
    {"Copy2", CaptionProperty::Caption, "\xBD\xC6\xBBs\xB7\xED\xAB" "e\xB0O\xBF\xFD(&C)"},  // 複製當前記錄(&C)
    {"W1", CaptionProperty::Caption, "\xC4\xE6\xBC" "e(&W)"},  // 欄寬(&W)
};

constexpr CaptionEntry kEnglishMain[] = {
    {"MenuItemEditCut", CaptionProperty::Caption, "Cut(&T)"},
    {"MenuItemEditCopy", CaptionProperty::Caption, "Copy(&C)"},
    {"MenuItemEditPaste", CaptionProperty::Caption, "Paste(&P)"},
    {"TCustomDictForm", CaptionProperty::Title, "Custom Dictionary Utility"},
    {"ActionFileOpenEc", CaptionProperty::Caption, "&E-C Custom Dictionary"},
    {"ActionFileOpenEc", CaptionProperty::Hint, "Open E-C Custom Dictionary"},
    {"ActionFileOpenCe", CaptionProperty::Caption, "&C-E Custom Dictionary"},
    {"ActionFileOpenCe", CaptionProperty::Hint, "Open C-E Custom Dictionary"},
    {"ActionFileSave", CaptionProperty::Caption, "&Save"},
    {"ActionFileSave", CaptionProperty::Hint, "Save the Entries in the Editor"},
    {"ActionFileClose", CaptionProperty::Caption, "&Close"},
    {"ActionFileClose", CaptionProperty::Hint, "Close the Custom Dictionary"},
    {"ActionWordFind", CaptionProperty::Caption, "&Find"},
    {"ActionWordFind", CaptionProperty::Hint, "Search the Entry in the Input Box"},
    {"ActionWordAdd", CaptionProperty::Caption, "&Add"},
    {"ActionWordAdd", CaptionProperty::Hint, "Add the Entry in the Input Box to the Editor"},
    {"ActionWordModify", CaptionProperty::Caption, "&Modify"},
    {"ActionWordModify", CaptionProperty::Hint, "Make the Content Modifiable in the Current Edit Box"},
    {"ActionWordDelete", CaptionProperty::Caption, "&Delete"},
    {"ActionWordDelete", CaptionProperty::Hint, "Delete the Current Entry"},
    {"ActionWordWidth", CaptionProperty::Caption, "Column &Width"},
    {"ActionWordWidth", CaptionProperty::Hint, "Modify the Width of the Current Column"},
    {"ActionWordCopy", CaptionProperty::Caption, "&Copy"},
    {"ActionWordCopy", CaptionProperty::Hint, "Copy the Content in the Current Row to the Clipboard"},
    {"MenuItemFile", CaptionProperty::Caption, "&File"},
    {"MenuItemEdit", CaptionProperty::Caption, "&Edit"},
    {"MenuItemOpen", CaptionProperty::Caption, "&Open"},
    {"MenuItemExit", CaptionProperty::Caption, "&Exit"},
    {"EditWordInput", CaptionProperty::Hint, "Input Box for Source or Target"},
    {"StringGridDict", CaptionProperty::ColumnTitle, "Source", 1},
    {"StringGridDict", CaptionProperty::ColumnTitle, "Part of Speech", 2},
    {"StringGridDict", CaptionProperty::ColumnTitle, "Target", 3},
    {"Modify2", CaptionProperty::Caption, "&Modify the Current Entry"},
    {"Delete2", CaptionProperty::Caption, "&Delete the Current Entry"},
    {"Copy2", CaptionProperty::Caption, "&Copy the Current Entry"},
    {"W1", CaptionProperty::Caption, "Column &Width"},
};

constexpr CaptionEntry kMainFormTexts[] = {
    {"MenuItemFile", CaptionProperty::Caption, "\xCE\xC4\xBC\xFE(&F)"},  // 文件(&F)
    {"MenuItemNew", CaptionProperty::Caption, "\xD0\xC2\xBD\xA8(&N)"},  // 新建(&N)
    {"ActionFileNewEc", CaptionProperty::Caption, "\xD3\xA2\xBA\xBA\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2(&E)"},  // 英汉用户词库(&E)
    {"ActionFileNewCe", CaptionProperty::Caption, "\xBA\xBA\xD3\xA2\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2(&C)"},  // 汉英用户词库(&C)
    {"MenuItemOpen", CaptionProperty::Caption, "\xB4\xF2\xBF\xAA(&O)"},  // 打开(&O)
    {"ActionFileOpenEc", CaptionProperty::Caption, "\xD3\xA2\xBA\xBA\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2(&E)"},  // 英汉用户词库(&E)
    {"ActionFileOpenEc", CaptionProperty::Hint, "\xB4\xF2\xBF\xAA\xBB\xF2\xB4\xB4\xBD\xA8\xD3\xA2\xBA\xBA\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4"},  // 打开或创建英汉用户词典
    {"ActionFileOpenCe", CaptionProperty::Caption, "\xBA\xBA\xD3\xA2\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2(&C)"},  // 汉英用户词库(&C)
    {"ActionFileOpenCe", CaptionProperty::Hint, "\xB4\xF2\xBF\xAA\xBB\xF2\xB4\xB4\xBD\xA8\xBA\xBA\xD3\xA2\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4"},  // 打开或创建汉英用户词典
    {"ActionFileSave", CaptionProperty::Caption, "\xB1\xA3\xB4\xE6(&S)"},  // 保存(&S)
    {"ActionFileSave", CaptionProperty::Hint, "\xB1\xA3\xB4\xE6\xB5\xB1\xC7\xB0\xB1\xE0\xBC\xAD\xB4\xB0\xBF\xDA\xD6\xD0\xB5\xC4\xB4\xCA\xCC\xF5"},  // 保存当前编辑窗口中的词条
    {"ActionFileClose", CaptionProperty::Caption, "\xB9\xD8\xB1\xD5(&C)"},  // 关闭(&C)
    {"ActionFileClose", CaptionProperty::Hint, "\xB9\xD8\xB1\xD5\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4"},  // 关闭用户词典
    {"ActionWordFind", CaptionProperty::Caption, "\xB2\xE9\xD5\xD2(&F)"},  // 查找(&F)
    {"ActionWordFind", CaptionProperty::Hint, "\xB2\xE9\xD5\xD2\xCA\xE4\xC8\xEB\xBF\xF2\xD6\xD0\xB5\xC4\xB4\xCA\xCC\xF5"},  // 查找输入框中的词条
    {"ActionWordAdd", CaptionProperty::Caption, "\xCC\xED\xBC\xD3(&A)"},  // 添加(&A)
    {"ActionWordAdd", CaptionProperty::Hint, "\xCC\xED\xBC\xD3\xCA\xE4\xC8\xEB\xBF\xF2\xD6\xD0\xB5\xC4\xB4\xCA\xCC\xF5"},  // 添加输入框中的词条
    {"ActionWordModify", CaptionProperty::Caption, "\xD0\xDE\xB8\xC4(&M)"},  // 修改(&M)
    {"ActionWordModify", CaptionProperty::Hint, "\xCA\xB9\xB5\xB1\xC7\xB0\xB1\xE0\xBC\xAD\xBF\xF2\xB1\xE4\xCE\xAA\xB1\xE0\xBC\xAD\xD7\xB4\xCC\xAC"},  // 使当前编辑框变为编辑状态
    {"ActionWordDelete", CaptionProperty::Caption, "\xC9\xBE\xB3\xFD(&D)"},  // 删除(&D)
    {"ActionWordDelete", CaptionProperty::Hint, "\xC9\xBE\xB3\xFD\xB5\xB1\xC7\xB0\xD0\xD0\xB5\xC4\xB4\xCA\xCC\xF5"},  // 删除当前行的词条
    {"ActionWordWidth", CaptionProperty::Caption, "\xC1\xD0\xBF\xED(&W)"},  // 列宽(&W)
    {"ActionWordWidth", CaptionProperty::Hint, "\xD0\xDE\xB8\xC4\xB5\xB1\xC7\xB0\xC0\xB8\xB5\xC4\xBF\xED\xB6\xC8"},  // 修改当前栏的宽度
    {"ActionWordCopy", CaptionProperty::Caption, "\xB8\xB4\xD6\xC6(&C)"},  // 复制(&C)
    {"ActionWordCopy", CaptionProperty::Hint, "\xB8\xB4\xD6\xC6\xB5\xB1\xC7\xB0\xD0\xD0\xB5\xC4\xC4\xDA\xC8\xDD\xB5\xBD\xBC\xF4\xC7\xD0\xB0\xE5"},  // 复制当前行的内容到剪切板
    {"MenuItemImport", CaptionProperty::Caption, "\xB4\xD3\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xB5\xBC\xC8\xEB(&I)"},  // 从文本文件导入(&I)
    {"MenuItemToEditor", CaptionProperty::Caption, "\xB5\xBD\xB5\xB1\xC7\xB0\xB1\xE0\xBC\xAD\xB4\xB0\xBF\xDA(&W)"},  // 到当前编辑窗口(&W)
    {"MenuItemToDict", CaptionProperty::Caption, "\xB5\xBD\xB5\xB1\xC7\xB0\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2(&D)"},  // 到当前用户词库(&D)
    {"MenuItemExport", CaptionProperty::Caption, "\xB5\xBC\xB3\xF6\xB5\xBD\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE(&E)"},  // 导出到文本文件(&E)
    {"MenuItemFromEditor", CaptionProperty::Caption, "\xB4\xD3\xB5\xB1\xC7\xB0\xB1\xE0\xBC\xAD\xB4\xB0\xBF\xDA(&W)"},  // 从当前编辑窗口(&W)
    {"MenuItemFromDict", CaptionProperty::Caption, "\xB4\xD3\xB5\xB1\xC7\xB0\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4(&A)"},  // 从当前用户词典(&A)
    {"MenuItemExit", CaptionProperty::Caption, "\xCD\xCB\xB3\xF6(&X)"},  // 退出(&X)
    {"MenuItemEdit", CaptionProperty::Caption, "\xB1\xE0\xBC\xAD(&W)"},  // 编辑(&W)
    {"EditWordInput", CaptionProperty::Hint, "\xB5\xA5\xB4\xCA\xBB\xF2\xB4\xCA\xD7\xE9\xCA\xE4\xC8\xEB\xBF\xF2"},  // 单词或词组输入框
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xD4\xAD\xB4\xCA", 1},  // 原词
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xB4\xCA\xD0\xD4", 2},  // 词性
    {"StringGridDict", CaptionProperty::ColumnTitle, "\xCA\xCD\xD2\xE5", 3},  // 释义
    {"Modify2", CaptionProperty::Caption, "\xD0\xDE\xB8\xC4\xB5\xB1\xC7\xB0\xBC\xC7\xC2\xBC(&M)"},  // 修改当前记录(&M)
    {"Delete2", CaptionProperty::Caption, "\xC9\xBE\xB3\xFD\xB5\xB1\xC7\xB0\xBC\xC7\xC2\xBC(&D)"},  // 删除当前记录(&D)
    {"Copy2", CaptionProperty::Caption, "\xB8\xB4\xD6\xC6\xB5\xB1\xC7\xB0\xBC\xC7\xC2\xBC(&C)"},  // 复制当前记录(&C)
    {"MenuItemEditCut", CaptionProperty::Caption, "\xBC\xF4\xC7\xD0(&T)"},  // 剪切(&T)
    {"MenuItemEditCopy", CaptionProperty::Caption, "\xB8\xB4\xD6\xC6(&C)"},  // 复制(&C)
    {"MenuItemEditPaste", CaptionProperty::Caption, "\xD5\xB3\xCC\xF9(&P)"},  // 粘贴(&P)
    {"OpenDialogDictEc", CaptionProperty::Title, "\xD3\xA2\xBA\xBA\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2"},  // 英汉用户词库
    {"OpenDialogDictEc", CaptionProperty::Filter, "\xD3\xA2\xBA\xBA\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2(UserEc*.key)|UserEc*.key"},  // 英汉用户词库(UserEc*.key)|UserEc*.key
    {"OpenDialogDictCe", CaptionProperty::Title, "\xBA\xBA\xD3\xA2\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2"},  // 汉英用户词库
    {"OpenDialogDictCe", CaptionProperty::Filter, "\xBA\xBA\xD3\xA2\xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2(UserCe*.ext)|UserCe*.ext"},  // 汉英用户词库(UserCe*.ext)|UserCe*.ext
    {"OpenDialogTxt", CaptionProperty::Filter, "\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE(*.txt)|*.txt|\xCB\xF9\xD3\xD0\xCE\xC4\xBC\xFE(*.*)|*.*"},  // 文本文件(*.txt)|*.txt|所有文件(*.*)|*.*
    {"SaveDialogTxt", CaptionProperty::Title, "\xB1\xA3\xB4\xE6\xCE\xC4\xBC\xFE"},  // 保存文件
    {"SaveDialogTxt", CaptionProperty::Filter, "\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE(*.txt)|*.txt|\xCB\xF9\xD3\xD0\xCE\xC4\xBC\xFE(*.*)|*.*"},  // 文本文件(*.txt)|*.txt|所有文件(*.*)|*.*
};

constexpr CaptionEntry kSimplifiedSave[] = {
    {"OKBtn", CaptionProperty::Caption, "\xCA\xC7(&Y)"},  // 是(&Y)
    {"NoBtn", CaptionProperty::Caption, "\xB7\xF1(&N)"},  // 否(&N)
    {"CancalBtn", CaptionProperty::Caption, "\xC8\xA1\xCF\xFB(&C)"},  // 取消(&C)
    {"Label1", CaptionProperty::Caption, "\xB4\xCA\xB5\xE4\xC4\xDA\xC8\xDD\xD2\xD1\xB1\xBB\xD0\xDE\xB8\xC4,\xCA\xC7\xB7\xF1\xB1\xA3\xB4\xE6\xA3\xBF"},  // 词典内容已被修改,是否保存？
    {"TSaveDlg", CaptionProperty::Title, "\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4\xCE\xAC\xBB\xA4"},  // 用户词典维护
};

constexpr CaptionEntry kTraditionalSave[] = {
    {"OKBtn", CaptionProperty::Caption, "\xACO(&Y)"},  // 是(&Y)
    {"NoBtn", CaptionProperty::Caption, "\xA7_(&N)"},  // 否(&N)
    {"CancalBtn", CaptionProperty::Caption, "\xA8\xFA\xAE\xF8(&C)"},  // 取消(&C)
    {"Label1", CaptionProperty::Caption, "\xB5\xFC\xA8\xE5\xA4\xBA\xAE" "e\xA4w\xB3Q\xAD\xD7\xA7\xEF,\xACO\xA7_\xABO\xA6s\xA1S"},  // 詞典內容已被修改,是否保存﹖
    {"TSaveDlg", CaptionProperty::Title, "\xA5\xCE\xA4\xE1\xB5\xFC\xA8\xE5\xBA\xFB\xC5@"},  // 用戶詞典維護
};

constexpr CaptionEntry kEnglishSave[] = {
    {"OKBtn", CaptionProperty::Caption, "&Yes"},
    {"NoBtn", CaptionProperty::Caption, "&No"},
    {"CancalBtn", CaptionProperty::Caption, "&Cancel"},
    {"Label1", CaptionProperty::Caption, "The custom dictionary has changed.\n\rDo you want to save the changes?"},
    {"TSaveDlg", CaptionProperty::Title, "Custom Dictioanry Utility"},
};

constexpr CaptionEntry kSaveFormTexts[] = {
    {"TSaveDlg", CaptionProperty::Title, "Kelvara\xD6\xC7\xC4\xDC\xB7\xAD\xD2\xEB\xC6\xBD\xCC\xA8 - \xD3\xC3\xBB\xA7\xB4\xCA\xBF\xE2\xCE\xAC\xBB\xA4"},  // Kelvara智能翻译平台 - 用户词库维护
    {"Label1", CaptionProperty::Caption, "\xB4\xCA\xBF\xE2\xC4\xDA\xC8\xDD\xD2\xD1\xB1\xBB\xD0\xDE\xB8\xC4,\xCA\xC7\xB7\xF1\xB1\xA3\xB4\xE6\xA3\xBF"},  // 词库内容已被修改,是否保存？
    {"OKBtn", CaptionProperty::Caption, "\xCA\xC7(&Y)"},  // 是(&Y)
    {"NoBtn", CaptionProperty::Caption, "\xB7\xF1(&N)"},  // 否(&N)
    {"CancalBtn", CaptionProperty::Caption, "\xC8\xA1\xCF\xFB(&C)"},  // 取消(&C)
};

constexpr CaptionEntry kSimplifiedWidth[] = {
    {"TColWidthDlg", CaptionProperty::Title, "\xC1\xD0\xBF\xED"},  // 列宽
    {"Button1", CaptionProperty::Caption, "\xC8\xB7\xB6\xA8"},  // 确定
    {"Button2", CaptionProperty::Caption, "\xC8\xA1\xCF\xFB"},  // 取消
    {"Label1", CaptionProperty::Caption, "\xC1\xD0\xBF\xED(&C):"},  // 列宽(&C):
};

constexpr CaptionEntry kTraditionalWidth[] = {
    {"TColWidthDlg", CaptionProperty::Title, "\xA6" "C\xBC" "e"},  // 列寬
    {"Button1", CaptionProperty::Caption, "\xDA\xCC\xA9w"},  // 确定
    {"Button2", CaptionProperty::Caption, "\xA8\xFA\xAE\xF8"},  // 取消
    {"Label1", CaptionProperty::Caption, "\xA6" "C\xBC" "e(&C):"},  // 列寬(&C):
};

constexpr CaptionEntry kEnglishWidth[] = {
    {"TColWidthDlg", CaptionProperty::Title, "Column Width"},
    {"Button1", CaptionProperty::Caption, "OK"},
    {"Button2", CaptionProperty::Caption, "Cancel"},
    {"Label1", CaptionProperty::Caption, "&Width:"},
};

constexpr CaptionEntry kAboutTexts[] = {
    {"TAboutForm", CaptionProperty::Title, "\xB9\xD8\xD3\xDA"},  // 关于
    {"LabelProduct", CaptionProperty::Caption, "Kelvara\xD6\xC7\xC4\xDC\xB7\xAD\xD2\xEB\xC6\xBD\xCC\xA8 (v1.1)"},  // Kelvara智能翻译平台 (v1.1)
    {"LabelMaker1", CaptionProperty::Caption, "\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4\xCE\xAC\xBB\xA4\xB9\xA4\xBE\xDF"},  // 用户词典维护工具
    {"LabelMaker2", CaptionProperty::Caption, "\xBF\xAA\xB7\xA2\xA3\xBAKelvara \xCF\xEE\xC4\xBF\xD7\xE9"},  // 开发：Kelvara 项目组
    {"LabelMaker3", CaptionProperty::Caption, "\xB0\xE6\xC8\xA8\xCB\xF9\xD3\xD0 (C) 2026 Kelvara \xCF\xEE\xC4\xBF\xD7\xE9"},  // 版权所有 (C) 2026 Kelvara 项目组
    {"LabelMaker4", CaptionProperty::Caption, "\xBC\xBC\xCA\xF5\xD6\xA7\xB3\xD6\xA3\xBAsupport@kelvara.example"},  // 技术支持：support@kelvara.example
    {"LabelMaker5", CaptionProperty::Caption, "\xCD\xF8\xD6\xB7\xA3\xBAhttps://kelvara.example"},  // 网址：https://kelvara.example
    {"LabelMaker6", CaptionProperty::Caption, "\xB1\xBE\xB3\xCC\xD0\xF2\xCB\xE6 Kelvara \xC6\xBD\xCC\xA8\xD2\xBB\xCD\xAC\xB7\xA2\xD0\xD0"},  // 本程序随 Kelvara 平台一同发行
    {"ButtonOK", CaptionProperty::Caption, "\xC8\xB7\xB6\xA8"},  // 确定
};

// clang-format on

template <std::size_t N>
constexpr CaptionTable makeTable(const CaptionEntry (&entries)[N], int codePage)
{
    return CaptionTable(std::span<const CaptionEntry>(entries, N), codePage);
}

// The set of one language: Simplified texts are GBK, Traditional Big5, English ASCII.
template <std::size_t S, std::size_t T, std::size_t E>
CaptionTable tableFor(InterfaceLanguage language, const CaptionEntry (&simplified)[S],
                      const CaptionEntry (&traditional)[T], const CaptionEntry (&english)[E])
{
    switch (language) {
    case InterfaceLanguage::Traditional:
        return makeTable(traditional, kCodePageBig5);
    case InterfaceLanguage::English:
        return makeTable(english, kCodePageGbk);
    case InterfaceLanguage::Simplified:
        break;
    }
    return makeTable(simplified, kCodePageGbk);
}

} // namespace

const CaptionEntry* CaptionTable::find(std::string_view control, CaptionProperty property,
                                       int column) const
{
    for (const CaptionEntry& entry : m_entries) {
        if (entry.property == property && entry.column == column && control == entry.control)
            return &entry;
    }
    return nullptr;
}

std::u16string CaptionTable::text(const CaptionEntry& entry) const
{
    return WideFromCodePage(entry.text, m_codePage);
}

std::u16string CaptionTable::textOf(std::string_view control, CaptionProperty property,
                                    int column) const
{
    const CaptionEntry* entry = find(control, property, column);
    return entry ? text(*entry) : std::u16string();
}

std::u16string CaptionText::wide() const
{
    return WideFromCodePage(bytes, codePage);
}

CaptionTable MainWindowCaptions(InterfaceLanguage language)
{
    return tableFor(language, kSimplifiedMain, kTraditionalMain, kEnglishMain);
}

CaptionTable MainWindowFormTexts()
{
    return makeTable(kMainFormTexts, kCodePageGbk);
}

CaptionTable SaveDialogCaptions(InterfaceLanguage language)
{
    return tableFor(language, kSimplifiedSave, kTraditionalSave, kEnglishSave);
}

CaptionTable SaveDialogFormTexts()
{
    return makeTable(kSaveFormTexts, kCodePageGbk);
}

CaptionTable ColumnWidthCaptions(InterfaceLanguage language)
{
    return tableFor(language, kSimplifiedWidth, kTraditionalWidth, kEnglishWidth);
}

CaptionTable AboutTexts()
{
    return makeTable(kAboutTexts, kCodePageGbk);
}

} // namespace kelvara

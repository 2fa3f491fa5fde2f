#include "lang/Captions.h"

#include "lang/WideText.h"
#include "platform/SourceText.h"

#include <iterator>
#include <vector>

namespace kelvara {

namespace {

// One entry as it reads: the text is UTF-8 here, and the program holds it as the code-page
// bytes the platform's form resources hold (made once by heldTable).
struct CaptionSource
{
    const char* control;
    CaptionProperty property;
    const char* text;
    int column = 0;
};

// clang-format off
constexpr CaptionSource kSimplifiedMain[] = {
    {"MenuItemEditCut", CaptionProperty::Caption, "剪切(&T)"},
    {"MenuItemEditCopy", CaptionProperty::Caption, "复制(&C)"},
    {"MenuItemEditPaste", CaptionProperty::Caption, "粘贴(&P)"},
    {"TCustomDictForm", CaptionProperty::Title, "用户词典维护"},
    {"ActionFileOpenEc", CaptionProperty::Caption, "英汉用户词典(&E)"},
    {"ActionFileOpenEc", CaptionProperty::Hint, "打开或创建英汉用户词典"},
    {"ActionFileOpenCe", CaptionProperty::Caption, "汉英用户词典(&C)"},
    {"ActionFileOpenCe", CaptionProperty::Hint, "打开或创建汉英用户词典"},
    {"ActionFileSave", CaptionProperty::Caption, "保存(&S)"},
    {"ActionFileSave", CaptionProperty::Hint, "保存当前编辑窗口中的词条"},
    {"ActionFileClose", CaptionProperty::Caption, "关闭(&C)"},
    {"ActionFileClose", CaptionProperty::Hint, "关闭用户词典"},
    {"ActionWordFind", CaptionProperty::Caption, "查找(&F)"},
    {"ActionWordFind", CaptionProperty::Hint, "查找输入框中的词条"},
    {"ActionWordAdd", CaptionProperty::Caption, "添加(&A)"},
    {"ActionWordAdd", CaptionProperty::Hint, "添加输入框中的词条"},
    {"ActionWordModify", CaptionProperty::Caption, "修改(&M)"},
    {"ActionWordModify", CaptionProperty::Hint, "使当前编辑框变为编辑状态"},
    {"ActionWordDelete", CaptionProperty::Caption, "删除(&D)"},
    {"ActionWordDelete", CaptionProperty::Hint, "删除当前行的词条"},
    {"ActionWordWidth", CaptionProperty::Caption, "列宽(&W)"},
    {"ActionWordWidth", CaptionProperty::Hint, "修改当前栏的宽度"},
    {"ActionWordCopy", CaptionProperty::Caption, "复制(&C)"},
    {"ActionWordCopy", CaptionProperty::Hint, "复制当前行的内容到剪切板"},
    {"MenuItemFile", CaptionProperty::Caption, "文件(&F)"},
    {"MenuItemEdit", CaptionProperty::Caption, "编辑(&W)"},
    {"MenuItemImport", CaptionProperty::Caption, "从文本文件导入(&I)"},
    {"MenuItemToEditor", CaptionProperty::Caption, "到当前编辑窗口(&W)"},
    {"MenuItemToDict", CaptionProperty::Caption, "到当前用户词典(&D)"},
    {"MenuItemExport", CaptionProperty::Caption, "导出到文本文件(&E)"},
    {"MenuItemFromEditor", CaptionProperty::Caption, "从当前编辑窗口(&W)"},
    {"MenuItemFromDict", CaptionProperty::Caption, "从当前用户词典(&A)"},
    {"MenuItemExit", CaptionProperty::Caption, "退出(&X)"},
    {"EditWordInput", CaptionProperty::Hint, "单词或词组输入框"},
    {"StringGridDict", CaptionProperty::ColumnTitle, "原词", 1},
    {"StringGridDict", CaptionProperty::ColumnTitle, "词性", 2},
    {"StringGridDict", CaptionProperty::ColumnTitle, "释义", 3},
};

constexpr CaptionSource kTraditionalMain[] = {
    {"MenuItemEditCut", CaptionProperty::Caption, "剪下(&T)"},
    {"MenuItemEditCopy", CaptionProperty::Caption, "複製(&C)"},
    {"MenuItemEditPaste", CaptionProperty::Caption, "貼上(&P)"},
    {"TCustomDictForm", CaptionProperty::Title, "用戶詞典"},
    {"ActionFileOpenEc", CaptionProperty::Caption, "英漢用戶詞典(&E)"},
    {"ActionFileOpenEc", CaptionProperty::Hint, "打開英漢用戶詞典"},
    {"ActionFileOpenCe", CaptionProperty::Caption, "漢英用戶詞典(&C)"},
    {"ActionFileOpenCe", CaptionProperty::Hint, "打開漢英用戶詞典"},
    {"ActionFileSave", CaptionProperty::Caption, "儲存(&S)"},
    {"ActionFileSave", CaptionProperty::Hint, "儲存目前編輯程式中的詞條"},
    {"ActionFileClose", CaptionProperty::Caption, "關閉(&C)"},
    {"ActionFileClose", CaptionProperty::Hint, "關閉使用者字典"},
    {"ActionWordFind", CaptionProperty::Caption, "尋找(&F)"},
    {"ActionWordFind", CaptionProperty::Hint, "尋找輸入框中的詞條"},
    {"ActionWordAdd", CaptionProperty::Caption, "新增(&A)"},
    {"ActionWordAdd", CaptionProperty::Hint, "新增輸入框中的詞條"},
    {"ActionWordModify", CaptionProperty::Caption, "修改(&M)"},
    {"ActionWordModify", CaptionProperty::Hint, "使目前文書編輯框變為編輯狀態"},
    {"ActionWordDelete", CaptionProperty::Caption, "移除(&D)"},
    {"ActionWordDelete", CaptionProperty::Hint, "移除目前的詞條"},
    {"ActionWordWidth", CaptionProperty::Caption, "欄寬(&W)"},
    {"ActionWordWidth", CaptionProperty::Hint, "修改目前欄的寬度"},
    {"ActionWordCopy", CaptionProperty::Caption, "複製(&C)"},
    {"ActionWordCopy", CaptionProperty::Hint, "複製目前的內容到剪貼簿"},
    {"MenuItemFile", CaptionProperty::Caption, "檔案(&F)"},
    {"MenuItemEdit", CaptionProperty::Caption, "編輯(&E)"},
    {"MenuItemOpen", CaptionProperty::Caption, "開啟(&O)"},
    {"MenuItemExit", CaptionProperty::Caption, "退出(&E)"},
    {"EditWordInput", CaptionProperty::Hint, "單字或詞句輸入框"},
    {"StringGridDict", CaptionProperty::ColumnTitle, "原詞", 1},
    {"StringGridDict", CaptionProperty::ColumnTitle, "詞性", 2},
    {"StringGridDict", CaptionProperty::ColumnTitle, "漢義", 3},
    {"Modify2", CaptionProperty::Caption, "修改當前記錄(&M)"},
    {"Delete2", CaptionProperty::Caption, "移除當前記錄(&D)"},
    {"Copy2", CaptionProperty::Caption, "複製當前記錄(&C)"},
    {"W1", CaptionProperty::Caption, "欄寬(&W)"},
};

constexpr CaptionSource kEnglishMain[] = {
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

constexpr CaptionSource kMainFormTexts[] = {
    {"MenuItemFile", CaptionProperty::Caption, "文件(&F)"},
    {"MenuItemNew", CaptionProperty::Caption, "新建(&N)"},
    {"ActionFileNewEc", CaptionProperty::Caption, "英汉用户词库(&E)"},
    {"ActionFileNewCe", CaptionProperty::Caption, "汉英用户词库(&C)"},
    {"MenuItemOpen", CaptionProperty::Caption, "打开(&O)"},
    {"ActionFileOpenEc", CaptionProperty::Caption, "英汉用户词库(&E)"},
    {"ActionFileOpenEc", CaptionProperty::Hint, "打开或创建英汉用户词典"},
    {"ActionFileOpenCe", CaptionProperty::Caption, "汉英用户词库(&C)"},
    {"ActionFileOpenCe", CaptionProperty::Hint, "打开或创建汉英用户词典"},
    {"ActionFileSave", CaptionProperty::Caption, "保存(&S)"},
    {"ActionFileSave", CaptionProperty::Hint, "保存当前编辑窗口中的词条"},
    {"ActionFileClose", CaptionProperty::Caption, "关闭(&C)"},
    {"ActionFileClose", CaptionProperty::Hint, "关闭用户词典"},
    {"ActionWordFind", CaptionProperty::Caption, "查找(&F)"},
    {"ActionWordFind", CaptionProperty::Hint, "查找输入框中的词条"},
    {"ActionWordAdd", CaptionProperty::Caption, "添加(&A)"},
    {"ActionWordAdd", CaptionProperty::Hint, "添加输入框中的词条"},
    {"ActionWordModify", CaptionProperty::Caption, "修改(&M)"},
    {"ActionWordModify", CaptionProperty::Hint, "使当前编辑框变为编辑状态"},
    {"ActionWordDelete", CaptionProperty::Caption, "删除(&D)"},
    {"ActionWordDelete", CaptionProperty::Hint, "删除当前行的词条"},
    {"ActionWordWidth", CaptionProperty::Caption, "列宽(&W)"},
    {"ActionWordWidth", CaptionProperty::Hint, "修改当前栏的宽度"},
    {"ActionWordCopy", CaptionProperty::Caption, "复制(&C)"},
    {"ActionWordCopy", CaptionProperty::Hint, "复制当前行的内容到剪切板"},
    {"MenuItemImport", CaptionProperty::Caption, "从文本文件导入(&I)"},
    {"MenuItemToEditor", CaptionProperty::Caption, "到当前编辑窗口(&W)"},
    {"MenuItemToDict", CaptionProperty::Caption, "到当前用户词库(&D)"},
    {"MenuItemExport", CaptionProperty::Caption, "导出到文本文件(&E)"},
    {"MenuItemFromEditor", CaptionProperty::Caption, "从当前编辑窗口(&W)"},
    {"MenuItemFromDict", CaptionProperty::Caption, "从当前用户词典(&A)"},
    {"MenuItemExit", CaptionProperty::Caption, "退出(&X)"},
    {"MenuItemEdit", CaptionProperty::Caption, "编辑(&W)"},
    {"EditWordInput", CaptionProperty::Hint, "单词或词组输入框"},
    {"StringGridDict", CaptionProperty::ColumnTitle, "原词", 1},
    {"StringGridDict", CaptionProperty::ColumnTitle, "词性", 2},
    {"StringGridDict", CaptionProperty::ColumnTitle, "释义", 3},
    {"Modify2", CaptionProperty::Caption, "修改当前记录(&M)"},
    {"Delete2", CaptionProperty::Caption, "删除当前记录(&D)"},
    {"Copy2", CaptionProperty::Caption, "复制当前记录(&C)"},
    {"MenuItemEditCut", CaptionProperty::Caption, "剪切(&T)"},
    {"MenuItemEditCopy", CaptionProperty::Caption, "复制(&C)"},
    {"MenuItemEditPaste", CaptionProperty::Caption, "粘贴(&P)"},
    {"OpenDialogDictEc", CaptionProperty::Title, "英汉用户词库"},
    {"OpenDialogDictEc", CaptionProperty::Filter, "英汉用户词库(UserEc*.key)|UserEc*.key"},
    {"OpenDialogDictCe", CaptionProperty::Title, "汉英用户词库"},
    {"OpenDialogDictCe", CaptionProperty::Filter, "汉英用户词库(UserCe*.ext)|UserCe*.ext"},
    {"OpenDialogTxt", CaptionProperty::Filter, "文本文件(*.txt)|*.txt|所有文件(*.*)|*.*"},
    {"SaveDialogTxt", CaptionProperty::Title, "保存文件"},
    {"SaveDialogTxt", CaptionProperty::Filter, "文本文件(*.txt)|*.txt|所有文件(*.*)|*.*"},
};

constexpr CaptionSource kSimplifiedSave[] = {
    {"OKBtn", CaptionProperty::Caption, "是(&Y)"},
    {"NoBtn", CaptionProperty::Caption, "否(&N)"},
    {"CancalBtn", CaptionProperty::Caption, "取消(&C)"},
    {"Label1", CaptionProperty::Caption, "词典内容已被修改,是否保存？"},
    {"TSaveDlg", CaptionProperty::Title, "用户词典维护"},
};

constexpr CaptionSource kTraditionalSave[] = {
    {"OKBtn", CaptionProperty::Caption, "是(&Y)"},
    {"NoBtn", CaptionProperty::Caption, "否(&N)"},
    {"CancalBtn", CaptionProperty::Caption, "取消(&C)"},
    {"Label1", CaptionProperty::Caption, "詞典內容已被修改,是否保存﹖"},
    {"TSaveDlg", CaptionProperty::Title, "用戶詞典維護"},
};

constexpr CaptionSource kEnglishSave[] = {
    {"OKBtn", CaptionProperty::Caption, "&Yes"},
    {"NoBtn", CaptionProperty::Caption, "&No"},
    {"CancalBtn", CaptionProperty::Caption, "&Cancel"},
    {"Label1", CaptionProperty::Caption, "The custom dictionary has changed.\n\rDo you want to save the changes?"},
    {"TSaveDlg", CaptionProperty::Title, "Custom Dictioanry Utility"},
};

constexpr CaptionSource kSaveFormTexts[] = {
    {"TSaveDlg", CaptionProperty::Title, "Kelvara智能翻译平台 - 用户词库维护"},
    {"Label1", CaptionProperty::Caption, "词库内容已被修改,是否保存？"},
    {"OKBtn", CaptionProperty::Caption, "是(&Y)"},
    {"NoBtn", CaptionProperty::Caption, "否(&N)"},
    {"CancalBtn", CaptionProperty::Caption, "取消(&C)"},
};

constexpr CaptionSource kSimplifiedWidth[] = {
    {"TColWidthDlg", CaptionProperty::Title, "列宽"},
    {"Button1", CaptionProperty::Caption, "确定"},
    {"Button2", CaptionProperty::Caption, "取消"},
    {"Label1", CaptionProperty::Caption, "列宽(&C):"},
};

constexpr CaptionSource kTraditionalWidth[] = {
    {"TColWidthDlg", CaptionProperty::Title, "列寬"},
    {"Button1", CaptionProperty::Caption, "确定"},
    {"Button2", CaptionProperty::Caption, "取消"},
    {"Label1", CaptionProperty::Caption, "列寬(&C):"},
};

constexpr CaptionSource kEnglishWidth[] = {
    {"TColWidthDlg", CaptionProperty::Title, "Column Width"},
    {"Button1", CaptionProperty::Caption, "OK"},
    {"Button2", CaptionProperty::Caption, "Cancel"},
    {"Label1", CaptionProperty::Caption, "&Width:"},
};

constexpr CaptionSource kAboutTexts[] = {
    {"TAboutForm", CaptionProperty::Title, "关于"},
    {"LabelProduct", CaptionProperty::Caption, "Kelvara智能翻译平台 (v1.1)"},
    {"LabelMaker1", CaptionProperty::Caption, "用户词典维护工具"},
    {"LabelMaker2", CaptionProperty::Caption, "开发：Kelvara 项目组"},
    {"LabelMaker3", CaptionProperty::Caption, "版权所有 (C) 2026 Kelvara 项目组"},
    {"LabelMaker4", CaptionProperty::Caption, "技术支持：support@kelvara.example"},
    {"LabelMaker5", CaptionProperty::Caption, "网址：https://kelvara.example"},
    {"LabelMaker6", CaptionProperty::Caption, "本程序随 Kelvara 平台一同发行"},
    {"ButtonOK", CaptionProperty::Caption, "确定"},
};

// clang-format on

// A table's entries with their texts as the bytes of its code page, made on first use and kept
// for the run (CodePageBytes keeps the bytes themselves).
template <const auto& source, int codePage> CaptionTable heldTable()
{
    static const std::vector<CaptionEntry> entries = [] {
        std::vector<CaptionEntry> made;
        made.reserve(std::size(source));
        for (const CaptionSource& entry : source)
            made.push_back({entry.control, entry.property,
                            CodePageBytes(entry.text, codePage).c_str(), entry.column});
        return made;
    }();
    return CaptionTable(entries, codePage);
}

// The set of one language: Simplified texts are GBK, Traditional Big5, English ASCII.
template <const auto& simplified, const auto& traditional, const auto& english>
CaptionTable tableFor(InterfaceLanguage language)
{
    switch (language) {
    case InterfaceLanguage::Traditional:
        return heldTable<traditional, kCodePageBig5>();
    case InterfaceLanguage::English:
        return heldTable<english, kCodePageGbk>();
    case InterfaceLanguage::Simplified:
        break;
    }
    return heldTable<simplified, kCodePageGbk>();
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
    return tableFor<kSimplifiedMain, kTraditionalMain, kEnglishMain>(language);
}

CaptionTable MainWindowFormTexts()
{
    return heldTable<kMainFormTexts, kCodePageGbk>();
}

CaptionTable SaveDialogCaptions(InterfaceLanguage language)
{
    return tableFor<kSimplifiedSave, kTraditionalSave, kEnglishSave>(language);
}

CaptionTable SaveDialogFormTexts()
{
    return heldTable<kSaveFormTexts, kCodePageGbk>();
}

CaptionTable ColumnWidthCaptions(InterfaceLanguage language)
{
    return tableFor<kSimplifiedWidth, kTraditionalWidth, kEnglishWidth>(language);
}

CaptionTable AboutTexts()
{
    return heldTable<kAboutTexts, kCodePageGbk>();
}

} // namespace kelvara

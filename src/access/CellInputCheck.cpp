#include "access/CellInputCheck.h"

#include "access/DictionaryAccess.h"
#include "access/SenseList.h"
#include "editor/EntryEditor.h"
#include "lang/AccessMessages.h"

namespace kelvara {

std::u16string CheckCellInput(DictionaryKind kind, InterfaceLanguage language, int column,
                              std::string_view text)
{
    if (column != kColSource && column != kColTarget)
        return {};
    const std::size_t limit = kind == DictionaryKind::EC ? DictionaryAccess::kEcTextLimit
                                                         : DictionaryAccess::kCeTextLimit;
    if (text.size() > limit)
        return TextTooLongHint(language, limit);
    // The C-E sense list is "(" label ")" translation repeated; a parenthesis inside a
    // translation would come back as other senses.
    if (kind == DictionaryKind::CE && column == kColTarget && !IsStorableCeText(text))
        return CeTargetParenthesisHint(language);
    // The engine's export line separates word and translation with a backslash.
    if (kind == DictionaryKind::CE && column == kColSource && !IsStorableCeWord(text))
        return CeSourceBackslashHint(language);
    return {};
}

} // namespace kelvara

#pragma once

#include "access/DictionaryState.h"
#include "lang/Language.h"

#include <string>
#include <string_view>

namespace kelvara {

/// Checks a text typed into a grid cell (platform code page bytes) against what the engine
/// of the kind can store and give back unchanged: empty when it can, otherwise the hint for
/// the user in the interface language. Column 1 is the source, column 3 the target; other
/// columns are filled from the part-of-speech list and always pass.
std::u16string CheckCellInput(DictionaryKind kind, InterfaceLanguage language, int column,
                              std::string_view text);

} // namespace kelvara

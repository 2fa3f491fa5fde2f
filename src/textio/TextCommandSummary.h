#pragma once

#include "lang/Language.h"
#include "textio/TextCommandResult.h"

#include <string>

namespace kelvara {

/// The one message that ends an import or export, in the interface language: what failed and
/// how many records were written, refused by the engine and skipped. Empty when the command
/// did not run or everything went in, so nothing is shown then.
std::u16string TextCommandSummary(const TextCommandResult& result, InterfaceLanguage language);

/// The counts of a result in one line of plain English, for logs and the command line.
std::string TextCommandCounts(const TextCommandResult& result);

} // namespace kelvara

#pragma once

#include <optional>
#include <string>

namespace kelvara {

/// The temporary file an engine exports into before the conversion: the chosen path with
/// ".tmp" appended, or, when something of that name is there already, the first free name of
/// ".1.tmp", ".2.tmp", ... beside it, so that no file the user had is overwritten or deleted.
/// Nothing when no free name fits the engines' 256-byte path buffer.
std::optional<std::string> FreeTemporaryExportPath(const std::string& chosenPath);

} // namespace kelvara

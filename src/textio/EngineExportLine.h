#pragma once

#include "textio/EntryTextReader.h"

#include <optional>
#include <string_view>

namespace kelvara {

/// The fields of one C-E engine export line, viewing the line's bytes.
struct EngineExportFields
{
    std::string_view engineWord; ///< before the first backslash
    std::string_view source;     ///< between the first and the second backslash
    std::string_view target;     ///< after the second, less the line's last character
};

/// Splits an engine export line (read whole, without its line end). Only single-byte
/// backslashes separate: the 0x5C trail byte of a double-byte character (Big5 許 is B3 5C)
/// belongs to its character. Backslashes after the second one belong to the target. Nothing
/// for a line with fewer than two backslashes: it holds no entry.
std::optional<EngineExportFields> ParseEngineExportLine(std::string_view line, int codePage);

/// The entry record the whole-dictionary export writes for an engine export line: source,
/// EngineWordToLabel of the word, target. Nothing when the line holds no entry.
std::optional<EntryRecord> EngineExportLineToRecord(std::string_view line, int codePage);

} // namespace kelvara

#pragma once

#include "textio/EntryTextReader.h"

#include <optional>
#include <string>
#include <string_view>

namespace kelvara {

/// The first field (source, label, target) holding a control byte (0x00-0x1F or 0x7F): a NUL
/// would cut the text in the engine's buffer, a tab or escape would be stored unseen. CR and
/// LF never reach a field (they end lines), nor does 0x1A (it ends the file).
std::optional<RecordField> FieldWithControlByte(const EntryRecord& record);

/// True when the bytes are text of the code page: every byte above 0x7F is the lead byte of a
/// double-byte character whose trail byte the code page allows (GBK: 0x40-0x7E, 0x80-0xFE;
/// Big5: 0x40-0x7E, 0xA1-0xFE). Engines refuse anything else, and the grid could not show it.
bool IsCodePageText(std::string_view bytes, int codePage);

/// The first field of a record read in the code page that is no text of it (labels are only
/// interpreted, never stored, so they are not looked at).
std::optional<RecordField> FieldNotInCodePage(const EntryRecord& record, int codePage);

/// The text with every ASCII "(" and ")" replaced by the code page's full-width forms, so a
/// C-E translation can be stored as one sense ("bad (very)" becomes "bad （very）").
std::string WithFullWidthParentheses(std::string_view text, int codePage);

} // namespace kelvara

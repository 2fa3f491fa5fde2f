#pragma once

#include <string>
#include <string_view>

namespace kelvara {

/// Decodes a zero-terminated multi-byte text of code page 936 or 950 into wide text, without
/// the terminator. Bytes the code page cannot decode become U+FFFD. A null text gives "".
std::u16string WideFromCodePage(const char* text, int codePage);

/// The same for a byte string: it is read up to its first zero byte, as the engines would.
std::u16string WideFromCodePage(std::string_view text, int codePage);

/// True when two byte texts of (possibly different) code pages hold the same characters, up
/// to their first zero byte. Bytes that decode to no character match only the same bytes.
bool SameText(std::string_view a, int codePageA, std::string_view b, int codePageB);

} // namespace kelvara

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara {

/// The platform's two Chinese code pages.
inline constexpr int kCodePageGbk = 936;
inline constexpr int kCodePageBig5 = 950;

/// The character that stands for one the code page lacks (the system default character).
inline constexpr char kDefaultChar = '?';

/// True for a byte that starts a double-byte character in code page 936 or 950.
bool IsLeadByte(unsigned char byte, int codePage);

/// Decodes multi-byte text of code page 936 or 950 into UTF-16. A byte sequence the code
/// page cannot decode becomes U+FFFD; decoding never fails.
std::u16string DecodeCodePage(std::string_view bytes, int codePage);

/// Encodes UTF-16 into code page 936 or 950. A character the code page lacks (and an
/// unpaired surrogate) becomes kDefaultChar; *usedDefault tells whether that happened.
std::string EncodeCodePage(std::u16string_view text, int codePage, bool* usedDefault = nullptr);

/// True when every character of the text has a form in the code page.
bool IsRepresentable(std::u16string_view text, int codePage);

/// Length of the longest prefix of at most maxBytes bytes that does not split a
/// double-byte character.
std::size_t CutLength(std::string_view bytes, std::size_t maxBytes, int codePage);

} // namespace kelvara

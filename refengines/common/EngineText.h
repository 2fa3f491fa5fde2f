#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara::ref {

/// The two code pages an engine can serve.
enum class EngineCodePage { Gbk, Big5 };

/// The text of a zero-terminated buffer of `capacity` bytes; nothing when the pointer is null
/// or no terminator lies within the buffer (the caller handed more than the buffer holds).
std::optional<std::string_view> BoundedText(const char* text, std::size_t capacity);

/// The code page of an engine folder: a folder named ArticleT (in any letter case) serves
/// Big5, every other folder GBK. Trailing separators are ignored.
EngineCodePage CodePageOfFolder(std::string_view folder);

/// The folder part of a path, without its trailing separator ("" when there is none).
std::string_view FolderPart(std::string_view path);

/// A folder without trailing separators, so "a/b/" and "a/b" name the same folder.
std::string_view TrimSeparators(std::string_view folder);

/// True when every double-byte character of the text is complete in the code page: a lead
/// byte is always followed by one of the code page's trail bytes.
bool IsWellFormed(std::string_view bytes, EngineCodePage codePage);

/// True when the text holds a CR or LF byte (never part of a double-byte character).
bool HasLineBreak(std::string_view bytes);

/// True when the byte occurs as a character of its own, not as the trail byte of a
/// double-byte character.
bool HasSingleByteChar(std::string_view bytes, char c);

/// The text with the ASCII letters A-Z folded to a-z; double-byte characters are copied
/// whole, since their trail bytes may fall in the letter range.
std::string FoldAsciiCase(std::string_view bytes);

/// Copies text into a caller's buffer of `capacity` bytes with its terminator, cut so that
/// no double-byte character is split.
void CopyToBuffer(std::string_view text, char* buffer, std::size_t capacity);

} // namespace kelvara::ref

#pragma once

#include "lang/Language.h"

#include <cstddef>
#include <string>

namespace kelvara {

// The messages and captions of the open, find, save and close commands. The texts are the
// decoded forms of the platform's literals (GBK for Simplified, Big5 for Traditional).

/// Open E-C could not open the dictionary.
std::u16string OpenFailedMessage(InterfaceLanguage language);
/// New E-C could not open the dictionary; Simplified Chinese in every language.
std::u16string NewOpenFailedMessage();
/// Save found no E-C dictionary path to open.
std::u16string SaveWithoutDictionaryMessage(InterfaceLanguage language);
/// New C-E chose a file that exists already; Simplified Chinese in every language.
std::u16string NameClashMessage();
/// The title of the clash message.
std::u16string PlatformTitle();
/// The window caption after Close.
std::u16string CaptionAfterClose(InterfaceLanguage language);

/// A New command chose a path that does not fit the engine's 256-byte buffer; Simplified
/// Chinese like the other messages of the New commands.
std::u16string PathTooLongMessage();
/// Find refused a search term longer than the engine's word buffer holds.
std::u16string SearchTermTooLongMessage(InterfaceLanguage language, std::size_t maxBytes);
/// A save left rows unwritten (marked "E") because writing them would not have stored what
/// the grid shows.
std::u16string RowsNotWrittenMessage(InterfaceLanguage language, std::size_t count);
/// The E-C engine refused rows of a save (marked "E"), an entry that exists already for an
/// "A", or none to change for an "M" or "D".
std::u16string RowsRefusedMessage(InterfaceLanguage language, std::size_t count);
/// The engine did not commit a save (a full disk, a read-only file, another program holding
/// the dictionary): nothing of it was stored and the rows keep their marks.
std::u16string DictionaryNotWrittenMessage(InterfaceLanguage language);
/// A C-E save met a word it could not put back after the engine refused one of its senses,
/// and the engine cannot abandon the save: the words' rows are marked "E" and what the
/// dictionary holds of them may differ from what it held before.
std::u16string WordsNotRestoredMessage(InterfaceLanguage language, std::size_t count);
/// The hint for a C-E word holding a backslash.
std::u16string CeSourceBackslashHint(InterfaceLanguage language);
/// The hint for a C-E translation holding an ASCII parenthesis.
std::u16string CeTargetParenthesisHint(InterfaceLanguage language);
/// The hint for a cell text longer than the engine's buffer holds.
std::u16string TextTooLongHint(InterfaceLanguage language, std::size_t maxBytes);

} // namespace kelvara

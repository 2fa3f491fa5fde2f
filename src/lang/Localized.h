#pragma once

#include "lang/Language.h"
#include "platform/SourceText.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara {

/// One text in the three interface languages, each Chinese one written as UTF-8 in the source
/// (as it reads); the program holds and decodes its GBK and Big5 bytes (CodePageBytes).
struct LocalizedText
{
    std::string_view simplified;  // UTF-8, held as GBK
    std::string_view traditional; // UTF-8, held as Big5
    std::u16string_view english;
};

/// The text in the interface language.
std::u16string Localized(InterfaceLanguage language, const LocalizedText& text);

/// A UTF-8 text of the source as the program holds it in a code page (CodePageBytes) and
/// shows it: decoded from those bytes, so a character the code page lacks shows as it would
/// when stored.
std::u16string HeldText(std::string_view utf8, int codePage);

/// The text with its first "%1" replaced by a number.
std::u16string WithNumber(std::u16string text, std::size_t n);

/// The text with its first "%1" replaced by another text.
std::u16string WithText(std::u16string text, std::u16string_view inserted);

} // namespace kelvara

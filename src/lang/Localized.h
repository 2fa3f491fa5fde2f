#pragma once

#include "lang/Language.h"

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

/// One text in the interface language: the Chinese texts are kept as the platform's bytes
/// (GBK for Simplified, Big5 for Traditional) and decoded here.
std::u16string Localized(InterfaceLanguage language, std::string_view simplifiedGbk,
                         std::string_view traditionalBig5, std::u16string_view english);

/// The platform's bytes (code page 936 or 950) of a text written as UTF-8 in the source,
/// made once with the platform's encoder and kept for the run. A character the code page
/// lacks comes out as the default character; CodePageHolds tells beforehand.
const std::string& CodePageBytes(std::string_view utf8, int codePage);

/// True when every character of a UTF-8 text has a form in the code page.
bool CodePageHolds(std::string_view utf8, int codePage);

/// The text with its first "%1" replaced by a number.
std::u16string WithNumber(std::u16string text, std::size_t n);

/// The text with its first "%1" replaced by another text.
std::u16string WithText(std::u16string text, std::u16string_view inserted);

} // namespace kelvara

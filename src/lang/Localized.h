#pragma once

#include "lang/Language.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara {

/// One text in the interface language: the Chinese texts are kept as the platform's bytes
/// (GBK for Simplified, Big5 for Traditional) and decoded here.
std::u16string Localized(InterfaceLanguage language, std::string_view simplifiedGbk,
                         std::string_view traditionalBig5, std::u16string_view english);

/// The text with its first "%1" replaced by a number.
std::u16string WithNumber(std::u16string text, std::size_t n);

/// The text with its first "%1" replaced by another text.
std::u16string WithText(std::u16string text, std::u16string_view inserted);

} // namespace kelvara

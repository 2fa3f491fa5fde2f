#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvara {

/// The platform's bytes (code page 936 or 950) of a text written as UTF-8 in the source,
/// made once with the platform's encoder and kept for the run: the reference stays valid and
/// the same text hands back the same bytes. A character the code page lacks comes out as the
/// default character; CodePageHolds tells beforehand.
const std::string& CodePageBytes(std::string_view utf8, int codePage);

/// True when every character of a UTF-8 text has a form in the code page.
bool CodePageHolds(std::string_view utf8, int codePage);

/// The texts made so far (with their code page) whose bytes do not decode back to the text as
/// written: a character the code page lacks, or one its encoder maps elsewhere. Empty when
/// every text the program shows or stores is held as written.
std::vector<std::pair<std::string, int>> TextsNotHeldAsWritten();

} // namespace kelvara

#pragma once

#include "lang/Language.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvara::kvdict {

/// What the command line asks for.
struct Options
{
    enum class Command { Help, Import, Export, Find, Check, Version };
    Command command = Command::Help;
    DictionaryKind kind = DictionaryKind::EC;
    std::string installation; ///< empty: the executable's own folder
    std::string dictionary;   ///< empty: the dictionary the utility's Open command would use
    bool force = false;       ///< export: replace an existing file
    bool create = false;      ///< import: --dictionary may name a dictionary to create
    bool exportUtf8 = false;  ///< export: write UTF-8 rather than the code page
    std::string operand;      ///< FILE or WORD
    // import and check
    std::string rejects;               ///< --rejects: where the records that did not go in go
    bool verbose = false;              ///< --verbose: "LINE: reason" per such record on stderr
    bool fullWidthParentheses = false; ///< C-E: store ( ) as the code page's full-width forms
    bool replace = false;              ///< E-C: replace a held sense of the word and pos ("M")
    enum class Encoding { Guess, Utf8, CodePage };
    Encoding encoding = Encoding::Guess; ///< --encoding utf-8|codepage
};

/// The options, or the reason the arguments are not a valid call.
struct Parsed
{
    std::optional<Options> options;
    std::string error;
};

/// Reads the arguments after the program name.
Parsed ParseArguments(const std::vector<std::string>& arguments);

/// The text of --help.
std::string UsageText();

/// The text of --version.
std::string VersionText();

/// The FILE operand that stands for standard output (export).
inline constexpr const char* kStandardStream = "-";

} // namespace kelvara::kvdict

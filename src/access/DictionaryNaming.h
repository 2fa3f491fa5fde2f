#pragma once

#include <string>
#include <string_view>

namespace kelvara {

/// What New E-C settles from the file the user chose in OpenDialogDictEc.
struct NewEcName
{
    std::string dialogFolder; ///< the folder of the chosen file, kept as the dialog's next start
    std::string path;         ///< the E-C dictionary path: folder, separator, name without ".key"
};

/// The file of the E-C dictionary at a base path (the engines are handed the base path).
std::string EcDictionaryFileOf(std::string_view basePath);

/// The New E-C naming rule: a final ".key" (any case) is dropped, and "Userec" is put in
/// front of a name that does not begin with "userec" in any letter case.
NewEcName NewEcDictionaryName(std::string_view chosenPath);

/// The New C-E naming rule: ".ext" is appended unless the name ends in it (any case), and
/// "Userce" is put in front of a name shorter than 7 characters or not beginning with
/// "userce" in any letter case. Answers the folder (with its separator) joined to the name.
std::string NewCeDictionaryPath(std::string_view chosenPath);

} // namespace kelvara

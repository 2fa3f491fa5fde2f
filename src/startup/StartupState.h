#pragma once

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"
#include "lang/Language.h"
#include "platform/FixedBuffer.h"

#include <string>

namespace kelvara {

class IniFile;

/// Everything start-up establishes for the run: read once from Config/Kelvara.ini under the
/// program folder, never changed afterwards.
struct StartupState
{
    std::string programFolder;       ///< with its trailing separator
    std::string engineDirectory;     ///< program folder + "ArticleS/" or "ArticleT/"
    Buffer256 engineDirectoryBuffer; ///< what dicopen receives; empty when it did not fit
    ChineseVariant chineseVariant = ChineseVariant::Simplified;
    InterfaceLanguage language = InterfaceLanguage::English;
    Buffer256 ecLibraryPath; ///< engine directory + "Ecbank.dll"; empty when it did not fit
    Buffer256 ceLibraryPath; ///< engine directory + "Hanbank.dll"; empty when it did not fit
    EcBinding ec;
    CeBinding ce;

    int codePage() const { return CodePageOf(chineseVariant); }
};

/// The configuration file below a program folder.
std::string ConfigurationPath(const std::string& programFolder);

/// The interface language a configuration names by its language file: "lang_tc.ini"
/// Traditional Chinese, "lang_en.ini" or none English, any other Simplified Chinese.
InterfaceLanguage InterfaceLanguageOf(const IniFile& configuration);

/// The interface language of the installation in a program folder, read from its
/// configuration alone (no engine is loaded); English for an empty folder.
InterfaceLanguage ReadInterfaceLanguage(const std::string& programFolder);

/// Reads the configuration and binds the engines found in the engine directory. A path that
/// does not fit its 256-byte buffer is refused, never cut: that kind stays unavailable. A
/// folder without its trailing separator gets one; an empty folder loads nothing.
StartupState ReadStartupState(const std::string& programFolder);

/// Unloads the libraries that were kept, E-C first; calls no engine operation.
void UnloadEngines(StartupState& state);

} // namespace kelvara

#include "app/StartupState.h"

#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace kelvara {

std::string ConfigurationPath(const std::string& programFolder)
{
    return JoinPath(JoinPath(programFolder, "Config"), "Kelvara.ini");
}

StartupState ReadStartupState(const std::string& programFolder)
{
    StartupState s;
    s.programFolder = programFolder;
    const IniFile ini = IniFile::load(ConfigurationPath(programFolder));

    // Whole, case-sensitive comparisons: "01" and "yes" are not "1".
    const bool traditional = ini.value("Preferences", "ChineseType", "0") == "1";
    s.chineseVariant = traditional ? ChineseVariant::Traditional : ChineseVariant::Simplified;
    s.engineDirectory = JoinPath(programFolder, traditional ? "ArticleT" : "ArticleS");
    s.engineDirectory.push_back(kPathSeparator);

    const std::string languageFile = ini.value("UserInterface", "LanguageFileName", "lang_en.ini");
    if (languageFile == "lang_tc.ini")
        s.language = InterfaceLanguage::Traditional;
    else if (languageFile == "lang_en.ini")
        s.language = InterfaceLanguage::English;
    else
        s.language = InterfaceLanguage::Simplified;

    (void)s.engineDirectoryBuffer.assign(s.engineDirectory);
    (void)s.ecLibraryPath.assign(s.engineDirectory + "Ecbank.dll");
    (void)s.ceLibraryPath.assign(s.engineDirectory + "Hanbank.dll");

    s.ec.load(s.ecLibraryPath);
    s.ce.load(s.ceLibraryPath);
    return s;
}

void UnloadEngines(StartupState& state)
{
    state.ec.unload();
    state.ce.unload();
}

} // namespace kelvara

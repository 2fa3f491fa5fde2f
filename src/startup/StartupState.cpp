#include "startup/StartupState.h"

#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace kelvara {

std::string ConfigurationPath(const std::string& programFolder)
{
    return JoinPath(JoinPath(programFolder, "Config"), "Kelvara.ini");
}

InterfaceLanguage InterfaceLanguageOf(const IniFile& configuration)
{
    const std::string languageFile =
        configuration.value("UserInterface", "LanguageFileName", "lang_en.ini");
    if (languageFile == "lang_tc.ini")
        return InterfaceLanguage::Traditional;
    if (languageFile == "lang_en.ini")
        return InterfaceLanguage::English;
    return InterfaceLanguage::Simplified;
}

InterfaceLanguage ReadInterfaceLanguage(const std::string& programFolder)
{
    if (programFolder.empty())
        return StartupState{}.language;
    return InterfaceLanguageOf(IniFile::load(ConfigurationPath(programFolder)));
}

StartupState ReadStartupState(const std::string& programFolder)
{
    StartupState s;
    // Without a program folder every path below would be relative to the working folder,
    // and a library found there is not the installation's: keep the defaults, load nothing.
    if (programFolder.empty())
        return s;
    s.programFolder = programFolder;
    if (s.programFolder.back() != kPathSeparator && s.programFolder.back() != '/')
        s.programFolder.push_back(kPathSeparator);
    const IniFile ini = IniFile::load(ConfigurationPath(s.programFolder));

    // Whole, case-sensitive comparisons: "01" and "yes" are not "1".
    const bool traditional = ini.value("Preferences", "ChineseType", "0") == "1";
    s.chineseVariant = traditional ? ChineseVariant::Traditional : ChineseVariant::Simplified;
    s.engineDirectory = s.programFolder + (traditional ? "ArticleT" : "ArticleS");
    s.engineDirectory.push_back(kPathSeparator);

    s.language = InterfaceLanguageOf(ini);

    // A path that does not fit its buffer is refused whole (the buffer stays empty and the
    // kind unavailable): a cut path would name some other file.
    (void)s.engineDirectoryBuffer.assign(s.engineDirectory);
    if (s.ecLibraryPath.assign(s.engineDirectory + "Ecbank.dll"))
        s.ec.load(s.ecLibraryPath);
    if (s.ceLibraryPath.assign(s.engineDirectory + "Hanbank.dll"))
        s.ce.load(s.ceLibraryPath);
    return s;
}

void UnloadEngines(StartupState& state)
{
    state.ec.unload();
    state.ce.unload();
}

} // namespace kelvara

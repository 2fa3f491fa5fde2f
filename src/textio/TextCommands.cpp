#include "textio/TextCommands.h"

#include "access/DictionaryState.h"
#include "startup/StartupState.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

#include <filesystem>
#include <system_error>

namespace kelvara {

TextCommands::TextCommands(const StartupState& startup, const DictionaryState& state,
                           EntryEditor& editor, TextCommandPrompts& prompts)
    : m_startup(startup), m_state(state), m_editor(editor), m_prompts(prompts)
{}

TextProgressCallback TextCommands::progress()
{
    return [this](const TextProgress& p) { return m_prompts.progress(p); };
}

std::optional<std::string> TextCommands::chooseExportFile()
{
    std::optional<std::string> path = m_prompts.chooseExportFile();
    if (!path)
        return std::nullopt;
    std::error_code ec;
    if (std::filesystem::exists(*path, ec) && !m_prompts.confirmOverwrite(*path))
        return std::nullopt;
    return path;
}

TextCommandResult TextCommands::ImportToEditor()
{
    if (!m_state.open)
        return {};
    const std::optional<std::string> path = m_prompts.chooseImportFile();
    if (!path)
        return {};
    return ImportFileToEditor(*path, m_editor, progress(), m_importOptions);
}

TextCommandResult TextCommands::ImportToDictionary()
{
    ImportOptions options = m_importOptions;
    options.checkOnly = false;
    return importToDictionary(options);
}

TextCommandResult TextCommands::CheckDictionary()
{
    ImportOptions options = m_importOptions;
    options.checkOnly = true;
    return importToDictionary(options);
}

TextCommandResult TextCommands::importToDictionary(const ImportOptions& options)
{
    if (!m_state.open)
        return {};
    const std::optional<std::string> path = m_prompts.chooseImportFile();
    if (!path)
        return {};
    if (m_state.kind == DictionaryKind::EC)
        return ImportFileToEcDictionary(*path, m_startup.ec, m_state.ecPath, m_startup.codePage(),
                                        progress(), options);
    if (!m_prompts.confirmCeDictionary())
        return {};
    return ImportFileToCeDictionary(*path, m_startup.ce, m_startup.engineDirectoryBuffer,
                                    m_stackMark, m_startup.codePage(), progress(), options);
}

TextCommandResult TextCommands::ExportFromEditor()
{
    if (!m_state.open)
        return {};
    const std::optional<std::string> path = chooseExportFile();
    if (!path)
        return {};
    return ExportEditorToFile(m_editor, *path, progress());
}

TextCommandResult TextCommands::ExportFromDictionary()
{
    if (!m_state.open)
        return {};
    const std::optional<std::string> path = chooseExportFile();
    if (!path)
        return {};
    if (m_state.kind == DictionaryKind::EC)
        return ExportEcDictionaryToFile(m_startup.ec, m_state.ecPath, *path, m_startup.codePage(),
                                        progress());
    return ExportCeDictionaryToFile(m_startup.ce, m_startup.engineDirectoryBuffer, m_stackMark,
                                    *path, m_startup.codePage(), progress());
}

} // namespace kelvara

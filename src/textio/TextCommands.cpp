#include "textio/TextCommands.h"

#include "access/DictionaryState.h"
#include "startup/StartupState.h"
#include "textio/ChosenFileCheck.h"
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

namespace {

TextCommandResult refusedFile(TextFailure failure)
{
    TextCommandResult result;
    result.ran = true;
    result.failure = failure;
    return result;
}

} // namespace

std::optional<std::string> TextCommands::chooseExportFile(TextCommandResult& refusal)
{
    std::optional<std::string> path = m_prompts.chooseExportFile();
    if (!path)
        return std::nullopt;
    // Judged before anything opens it, and before the overwrite question: a file that may
    // not be written is not offered for replacing.
    const TextFailure check = CheckFileToWrite(*path, OpenDictionaryFiles(m_state, m_startup));
    if (check != TextFailure::None) {
        refusal = refusedFile(check);
        return std::nullopt;
    }
    std::error_code ec;
    if (std::filesystem::exists(*path, ec) && !m_prompts.confirmOverwrite(*path))
        return std::nullopt;
    return path;
}

std::optional<std::string> TextCommands::chooseImportFile(TextCommandResult& refusal)
{
    std::optional<std::string> path = m_prompts.chooseImportFile();
    if (!path)
        return std::nullopt;
    const TextFailure check = CheckFileToRead(*path, OpenDictionaryFiles(m_state, m_startup));
    if (check != TextFailure::None) {
        refusal = refusedFile(check);
        return std::nullopt;
    }
    return path;
}

TextCommandResult TextCommands::ImportToEditor()
{
    if (!m_state.open)
        return {};
    TextCommandResult refusal;
    const std::optional<std::string> path = chooseImportFile(refusal);
    if (!path)
        return refusal;
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
    TextCommandResult refusal;
    const std::optional<std::string> path = chooseImportFile(refusal);
    if (!path)
        return refusal;
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
    TextCommandResult refusal;
    const std::optional<std::string> path = chooseExportFile(refusal);
    if (!path)
        return refusal;
    return ExportEditorToFile(m_editor, *path, progress());
}

TextCommandResult TextCommands::ExportFromDictionary()
{
    if (!m_state.open)
        return {};
    TextCommandResult refusal;
    const std::optional<std::string> path = chooseExportFile(refusal);
    if (!path)
        return refusal;
    if (m_state.kind == DictionaryKind::EC)
        return ExportEcDictionaryToFile(m_startup.ec, m_state.ecPath, *path, m_startup.codePage(),
                                        progress(), m_exportEncoding);
    return ExportCeDictionaryToFile(m_startup.ce, m_startup.engineDirectoryBuffer, m_stackMark,
                                    *path, m_startup.codePage(), progress(), m_exportEncoding);
}

} // namespace kelvara

#include "kvdict/KvdictRun.h"

#include "access/AccessPrompts.h"
#include "access/DictionaryAccess.h"
#include "access/DictionaryNaming.h"
#include "access/DictionaryState.h"
#include "editor/EntryEditor.h"
#include "platform/CodePage.h"
#include "platform/FileIdentity.h"
#include "platform/Paths.h"
#include "platform/Utf8Text.h"
#include "startup/StartupState.h"
#include "textio/ChosenFileCheck.h"
#include "textio/RejectsFile.h"
#include "textio/TextCommandSummary.h"
#include "textio/TextCommands.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace kelvara::kvdict {

namespace {

std::string utf8Of(std::string_view bytes, int codePage)
{
    return EncodeUtf8(DecodeCodePage(bytes, codePage));
}

// The window's dialogs answered from the command line: the dictionary and file named there,
// the overwrite question by --force, messages to the error stream.
class ToolPrompts final : public AccessPrompts, public TextCommandPrompts
{
public:
    ToolPrompts(const Options& options, Console& console) : m_options(options), m_console(console)
    {}

    bool messageShown() const { return m_messageShown; }
    bool overwriteRefused() const { return m_overwriteRefused; }
    void endProgressLine()
    {
        if (m_progressShown)
            m_console.err << "\r\033[K" << std::flush;
        m_progressShown = false;
    }

    // AccessPrompts: only New E-C and New C-E ask for a dictionary, and only once.
    std::optional<std::string> chooseEcDictionary(const std::string&, const std::string&) override
    {
        return takeDictionary();
    }
    std::optional<std::string> chooseCeDictionary(const std::string&) override
    {
        return takeDictionary();
    }
    void showInformation(const std::u16string& text, const std::u16string&) override
    {
        m_messageShown = true;
        endProgressLine();
        m_console.err << "kvdict: " << EncodeUtf8(text) << '\n';
    }
    bool querySaveChanges() override { return true; } // the tool edits no grid rows
    void setCaption(const std::u16string&) override {}
    void setCaptionToPath(const std::string&) override {}
    void setGridVisible(bool) override {}
    void setTypeComboVisible(bool) override {}

    // TextCommandPrompts
    std::optional<std::string> chooseImportFile() override { return m_options.operand; }
    std::optional<std::string> chooseExportFile() override
    {
        return m_exportPath.empty() ? m_options.operand : m_exportPath;
    }
    /// The file the export goes to instead of the operand (standard output's stand-in).
    void setExportPath(std::string path) { m_exportPath = std::move(path); }
    bool confirmOverwrite(const std::string&) override
    {
        m_overwriteRefused = !m_options.force;
        return m_options.force;
    }
    bool confirmCeDictionary() override { return true; }
    bool progress(const TextProgress& p) override
    {
        if (m_console.progressLine) {
            m_console.err << "\r" << p.records << " records";
            if (p.workTotal > 0)
                m_console.err << " (" << p.workDone * 100 / p.workTotal << "%)";
            m_console.err << std::flush;
            m_progressShown = true;
        }
        return !(m_console.interrupted && m_console.interrupted->load());
    }

private:
    std::optional<std::string> takeDictionary()
    {
        if (m_dictionaryTaken)
            return std::nullopt;
        m_dictionaryTaken = true;
        return m_options.dictionary;
    }

    const Options& m_options;
    Console& m_console;
    bool m_messageShown = false;
    bool m_overwriteRefused = false;
    bool m_progressShown = false;
    bool m_dictionaryTaken = false;
    std::string m_exportPath;
};

bool samePath(const std::string& a, const std::string& b)
{
    std::error_code ec1, ec2;
    const auto ca = std::filesystem::weakly_canonical(a, ec1);
    const auto cb = std::filesystem::weakly_canonical(b, ec2);
    return !ec1 && !ec2 && ca == cb;
}

// A --dictionary that is not there is created only by an import given --create: a mistyped
// path must not become a new empty dictionary that export or find then read.
bool dictionaryMayBeUsed(const Options& options, const std::string& file, Console& console)
{
    const PathKind kind = KindOfPath(file);
    if (kind == PathKind::Regular)
        return true;
    if (kind == PathKind::Missing && options.command == Options::Command::Import && options.create)
        return true;
    console.err << "kvdict: no dictionary at " << file;
    if (kind == PathKind::Missing && options.command == Options::Command::Import)
        console.err << "; give --create to make it";
    console.err << '\n';
    return false;
}

// Opens the dictionary the way the window's Open or New command would.
bool openDictionary(const Options& options, const StartupState& startup, DictionaryAccess& access,
                    Console& console)
{
    if (options.kind == DictionaryKind::EC) {
        if (options.dictionary.empty()) {
            access.MenuItemOpenEcClick();
        } else {
            if (!dictionaryMayBeUsed(options, NewEcDictionaryName(options.dictionary).path + ".key",
                                     console))
                return false;
            access.ActionFileNewEcExecute();
        }
        return access.state().open;
    }
    if (options.dictionary.empty() ||
        samePath(options.dictionary, startup.engineDirectory + "UserCe.ext")) {
        access.ActionFileOpenCeExecute();
        return true;
    }
    // The C-E engine reads only its own folder's dictionary or one it has just created.
    if (options.command != Options::Command::Import) {
        console.err << "kvdict: the C-E engine works on " << startup.engineDirectory
                    << "UserCe.ext; --dictionary can only name a new dictionary to import into\n";
        return false;
    }
    if (!options.create) {
        console.err
            << "kvdict: --dictionary names a new C-E dictionary; give --create to make it\n";
        return false;
    }
    if (!startup.ce.canCreate()) {
        console.err << "kvdict: this C-E engine cannot create a dictionary\n";
        return false;
    }
    access.ActionFileNewCeExecute();
    return access.state().open;
}

int runFind(const Options& options, const StartupState& startup, DictionaryAccess& access,
            EntryEditor& editor, ToolPrompts& prompts, Console& console)
{
    bool lost = false;
    const std::string word = EncodeCodePage(DecodeUtf8(options.operand), startup.codePage(), &lost);
    if (lost) {
        console.err << "kvdict: the code page of this installation cannot hold '" << options.operand
                    << "'\n";
        return kExitFailed;
    }
    access.MenuItemFindClick(word);
    if (prompts.messageShown())
        return kExitFailed;
    if (editor.isPlaceholder())
        return kExitIncomplete;
    const int cp = startup.codePage();
    for (int row = kFirstDataRow; row < editor.rowCount(); ++row)
        console.out << utf8Of(editor.cell(kColSource, row), cp) << '\t'
                    << utf8Of(editor.cell(kColPartOfSpeech, row), cp) << '\t'
                    << utf8Of(editor.cell(kColTarget, row), cp) << '\n';
    return kExitDone;
}

// A private folder for the export that goes to standard output: the export is made whole
// there first, like any other, then copied out; the folder goes with the object.
class StandardOutputStandIn
{
public:
    StandardOutputStandIn()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/kvdict-XXXXXX";
        if (::mkdtemp(pattern.data()))
            m_folder = pattern;
    }
    ~StandardOutputStandIn()
    {
        std::error_code ec;
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder, ec);
    }
    StandardOutputStandIn(const StandardOutputStandIn&) = delete;
    StandardOutputStandIn& operator=(const StandardOutputStandIn&) = delete;

    bool ok() const { return !m_folder.empty(); }
    std::string file() const { return m_folder + "/export.txt"; }

    /// Copies the export to the stream; false when a write failed or Ctrl+C stopped it.
    bool copyTo(std::ostream& out, const std::atomic<bool>* interrupted) const
    {
        std::ifstream in(file(), std::ios::binary);
        std::string block(1 << 20, '\0');
        while (in) {
            if (interrupted && interrupted->load())
                return false;
            in.read(block.data(), static_cast<std::streamsize>(block.size()));
            out.write(block.data(), in.gcount());
            if (!out)
                return false;
        }
        out.flush();
        return static_cast<bool>(out) && in.eof();
    }

private:
    std::string m_folder;
};

// The rejects file may be written: not the dictionary or its side files (opening them would
// drop the engine's locks), not the file being read, and nothing but a regular file.
bool rejectsFileAllowed(const Options& options, const StartupState& startup,
                        const DictionaryState& state, Console& console)
{
    const char* why = nullptr;
    switch (
        CheckRejectsTarget(options.rejects, OpenDictionaryFiles(state, startup), options.operand)) {
    case RejectsTargetProblem::None:
        return true;
    case RejectsTargetProblem::NotRegular:
        why = "is no regular file";
        break;
    case RejectsTargetProblem::DictionaryFile:
        why = "is the dictionary's own file";
        break;
    case RejectsTargetProblem::SourceFile:
        why = "is the file being read";
        break;
    }
    console.err << "kvdict: --rejects " << options.rejects << ' ' << why << '\n';
    return false;
}

EncodingPolicy encodingPolicy(Options::Encoding encoding)
{
    switch (encoding) {
    case Options::Encoding::Guess:
        break;
    case Options::Encoding::Utf8:
        return EncodingPolicy::Utf8Only;
    case Options::Encoding::CodePage:
        return EncodingPolicy::CodePageOnly;
    }
    return EncodingPolicy::Detect;
}

int runTextCommand(const Options& options, const StartupState& startup,
                   const DictionaryState& state, EntryEditor& editor, ToolPrompts& prompts,
                   Console& console)
{
    TextCommands commands(startup, state, editor, prompts);
    const bool import = options.command == Options::Command::Import;
    const bool check = options.command == Options::Command::Check;
    if (options.exportUtf8 && !import && !check)
        commands.setExportEncoding(ExportEncoding::Utf8);
    const bool toStandardOutput = !import && !check && options.operand == kStandardStream;
    std::optional<StandardOutputStandIn> standIn;
    if (toStandardOutput) {
        standIn.emplace();
        if (!standIn->ok()) {
            console.err << "kvdict: no temporary folder for the export to standard output\n";
            return kExitFailed;
        }
        prompts.setExportPath(standIn->file());
    }
    std::optional<RejectsFile> rejects;
    if (import || check) {
        if (options.operand != kStandardInputPath &&
            KindOfPath(options.operand) != PathKind::Regular) {
            console.err << "kvdict: " << options.operand << " is no readable file\n";
            return kExitFailed;
        }
        if (!options.rejects.empty() && !rejectsFileAllowed(options, startup, state, console))
            return kExitFailed;
        ImportOptions importOptions;
        importOptions.encoding = encodingPolicy(options.encoding);
        importOptions.fullWidthParentheses = options.fullWidthParentheses;
        importOptions.replace = options.replace;
        if (!options.rejects.empty() || options.verbose) {
            rejects.emplace();
            if (options.verbose) {
                rejects->setListener([&](const RecordRead& read, const RecordProblem& problem) {
                    prompts.endProgressLine();
                    console.err << read.lineNumber << ": " << DescribeProblem(problem) << '\n';
                });
            }
            importOptions.rejects = &*rejects;
        }
        commands.setImportOptions(importOptions);
    }
    TextCommandResult result = import  ? commands.ImportToDictionary()
                               : check ? commands.CheckDictionary()
                                       : commands.ExportFromDictionary();
    prompts.endProgressLine();
    if (!result.ran) {
        if (prompts.overwriteRefused())
            console.err << "kvdict: " << options.operand << " exists; give --force to replace it\n";
        return kExitFailed;
    }
    if (toStandardOutput && !result.notWritten && result.failure == TextFailure::None &&
        !standIn->copyTo(console.out, console.interrupted)) {
        console.err << "kvdict: the export could not be written to standard output\n";
        result.failure = TextFailure::FileWriteFailed;
    }
    // Standard output holds the export itself when it is the export's file; with standard
    // input read, it stays the summary's: nothing else is on it.
    std::ostream& summaryOut = toStandardOutput ? console.err : console.out;
    summaryOut << (import  ? "imported: "
                   : check ? "checked: "
                           : "exported: ")
               << TextCommandCounts(result) << '\n';
    const std::u16string summary = TextCommandSummary(result, startup.language);
    if (!summary.empty())
        console.err << "kvdict: " << EncodeUtf8(summary) << '\n';
    int status = ExitStatusOf(result);
    if (rejects && !options.rejects.empty()) {
        if (!rejects->saveTo(options.rejects)) {
            console.err << "kvdict: the rejected records could not be written to "
                        << options.rejects << '\n';
            status = kExitFailed;
        } else if (rejects->leftOut() > 0) {
            console.err << "kvdict: " << rejects->leftOut()
                        << " rejected records with a line over 1 MiB could not be copied from "
                           "standard input into "
                        << options.rejects << '\n';
        }
    }
    return status;
}

} // namespace

int ExitStatusOf(const TextCommandResult& result)
{
    switch (result.failure) {
    case TextFailure::FileNotOpened:
    case TextFailure::FileNotCreated:
    case TextFailure::EngineNotOpened:
    case TextFailure::EngineWroteNothing:
    case TextFailure::NoTemporaryFile:
    case TextFailure::ChosenFileIsDictionary:
    case TextFailure::ChosenFileNotRegular:
        return kExitFailed;
    default:
        return result.complete() ? kExitDone : kExitIncomplete;
    }
}

int Run(const Options& options, Console& console)
{
    std::string folder = options.installation.empty() ? ProgramFolder() : options.installation;
    if (!folder.empty() && folder.back() != kPathSeparator)
        folder += kPathSeparator;
    if (!std::filesystem::is_regular_file(ConfigurationPath(folder))) {
        console.err << "kvdict: no installation at " << folder << " (" << ConfigurationPath(folder)
                    << " is missing)\n";
        return kExitFailed;
    }
    StartupState startup = ReadStartupState(folder);
    const bool ec = options.kind == DictionaryKind::EC;
    if (!(ec ? startup.ec.available() : startup.ce.available())) {
        console.err << "kvdict: the " << (ec ? "E-C engine Ecbank.dll" : "C-E engine Hanbank.dll")
                    << " of " << startup.engineDirectory << " did not load\n";
        UnloadEngines(startup);
        return kExitFailed;
    }

    int status = kExitFailed;
    {
        DictionaryState state;
        EntryEditor editor(startup.language, startup.codePage());
        ToolPrompts prompts(options, console);
        DictionaryAccess access(startup, state, editor, prompts);
        if (openDictionary(options, startup, access, console)) {
            status = options.command == Options::Command::Find
                         ? runFind(options, startup, access, editor, prompts, console)
                         : runTextCommand(options, startup, state, editor, prompts, console);
            access.MenuItemCloseClick();
        }
    }
    UnloadEngines(startup);
    return status;
}

} // namespace kelvara::kvdict

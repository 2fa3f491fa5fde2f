#include "textio/ChosenFileCheck.h"

#include "access/DictionaryNaming.h"
#include "access/DictionaryState.h"
#include "platform/FileIdentity.h"
#include "startup/StartupState.h"

#include <filesystem>
#include <system_error>

namespace kelvara {

namespace {

std::string folderOf(const std::string& path)
{
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// The same folder (by device and inode) and the same name as a member of the set.
bool namesMemberOf(const std::string& path, const std::string& dictionary)
{
    const auto folder = IdentityOf(folderOf(path));
    if (!folder)
        return false;
    const std::string name = std::filesystem::path(path).filename().string();
    for (const std::string& member : DictionaryFileSet(dictionary)) {
        if (std::filesystem::path(member).filename().string() == name &&
            IdentityOf(folderOf(member)) == folder)
            return true;
    }
    return false;
}

bool isDictionaryFile(const std::string& path, const std::vector<std::string>& dictionaries)
{
    std::error_code ec;
    // A link is judged by what it finally names, as an open would.
    std::string target = path;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec)
            target = resolved.string();
    }
    for (const std::string& dictionary : dictionaries) {
        if (IsDictionaryFileOrSideFile(path, dictionary) || namesMemberOf(target, dictionary))
            return true;
    }
    return false;
}

} // namespace

std::vector<std::string> OpenDictionaryFiles(const DictionaryState& state,
                                             const StartupState& startup)
{
    std::vector<std::string> files;
    if (!state.ecPath.empty())
        files.push_back(EcDictionaryFileOf(state.ecPath));
    if (!state.newCePath.empty())
        files.push_back(state.newCePath);
    if (!startup.engineDirectory.empty())
        files.push_back(startup.engineDirectory + "UserCe.ext");
    return files;
}

TextFailure CheckFileToRead(const std::string& path, const std::vector<std::string>& dictionaries)
{
    return isDictionaryFile(path, dictionaries) ? TextFailure::ChosenFileIsDictionary
                                                : TextFailure::None;
}

TextFailure CheckFileToWrite(const std::string& path, const std::vector<std::string>& dictionaries)
{
    if (isDictionaryFile(path, dictionaries))
        return TextFailure::ChosenFileIsDictionary;
    switch (KindOfPath(path)) {
    case PathKind::Missing:
    case PathKind::Regular:
        return TextFailure::None;
    case PathKind::NotRegular:
        return TextFailure::ChosenFileNotRegular;
    case PathKind::Unknown:
        break;
    }
    return TextFailure::FileNotCreated;
}

} // namespace kelvara

#include "access/DictionaryNaming.h"

#include "platform/Paths.h"

namespace kelvara {

namespace {

// File names compare without regard to case on the platform; only ASCII letters fold, so
// the lead and trail bytes of double-byte characters are never touched.
std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The extension of a file name from its last dot, dot included ("" when there is none).
std::string_view extensionOf(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool startsWithFolded(std::string_view name, std::string_view lowerPrefix)
{
    return name.size() >= lowerPrefix.size() &&
           lowerAscii(name.substr(0, lowerPrefix.size())) == lowerPrefix;
}

} // namespace

std::string EcDictionaryFileOf(std::string_view basePath)
{
    return std::string(basePath) + ".key";
}

NewEcName NewEcDictionaryName(std::string_view chosenPath)
{
    NewEcName result;
    result.dialogFolder = DialogFolderOf(FolderOf(chosenPath));
    std::string name = FileNameOf(chosenPath);
    const std::string_view ext = extensionOf(name);
    if (lowerAscii(ext) == ".key")
        name.erase(name.size() - ext.size());
    if (!startsWithFolded(name, "userec"))
        name.insert(0, "Userec");
    result.path = JoinPath(result.dialogFolder, name);
    return result;
}

std::string NewCeDictionaryPath(std::string_view chosenPath)
{
    const std::string folder = FolderOf(chosenPath);
    std::string name = FileNameOf(chosenPath);
    if (lowerAscii(extensionOf(name)) != ".ext")
        name.append(".ext");
    if (name.size() < 7 || !startsWithFolded(name, "userce"))
        name.insert(0, "Userce");
    return folder + name;
}

} // namespace kelvara

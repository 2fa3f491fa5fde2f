#include "platform/FileIdentity.h"

#include <cerrno>
#include <sys/stat.h>

namespace kelvara {

PathKind KindOfPath(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? PathKind::Missing : PathKind::Unknown;
    return S_ISREG(info.st_mode) ? PathKind::Regular : PathKind::NotRegular;
}

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<unsigned long long>(info.st_dev),
                        static_cast<unsigned long long>(info.st_ino)};
}

std::vector<std::string> DictionaryFileSet(const std::string& dictionaryFile)
{
    return {dictionaryFile, dictionaryFile + "-wal", dictionaryFile + "-shm",
            dictionaryFile + "-journal"};
}

bool IsDictionaryFileOrSideFile(const std::string& path, const std::string& dictionaryFile)
{
    const auto candidate = IdentityOf(path);
    if (!candidate)
        return false; // a file that does not exist is none of them
    for (const std::string& member : DictionaryFileSet(dictionaryFile)) {
        if (IdentityOf(member) == candidate)
            return true;
    }
    return false;
}

} // namespace kelvara

#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvara {

/// What stands at a path, as far as a file the utility is about to open is concerned.
enum class PathKind {
    Missing,    // nothing there (a new file may be made)
    Regular,    // a regular file (following symbolic links)
    NotRegular, // a folder, FIFO, device or socket: never opened, it could block or mislead
    Unknown     // stat failed for another reason (permissions, I/O): treat as refused
};

/// What stands at the path; a symbolic link is followed.
PathKind KindOfPath(const std::string& path);

/// The device and inode of an existing file (symbolic links followed).
struct FileIdentity
{
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::string& path);

/// The dictionary file and the side files SQLite keeps beside it while it is open.
std::vector<std::string> DictionaryFileSet(const std::string& dictionaryFile);

/// True when the path names, by device and inode, the dictionary file or one of its side
/// files. Opening and closing any of them in this process would drop the POSIX locks the
/// engine holds on the dictionary, so no file the utility opens may be one of them.
bool IsDictionaryFileOrSideFile(const std::string& path, const std::string& dictionaryFile);

} // namespace kelvara

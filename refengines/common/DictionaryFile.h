#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvara::ref {

/// What marks a file as one kind of dictionary: the SQLite application id and schema
/// version written at creation, and the statements that create its tables.
struct DictionaryFormat
{
    std::uint32_t applicationId;
    std::uint32_t schemaVersion;
    const char* schemaSql;
    /// A statement that changes nothing but needs the write lock.
    const char* lockSql;
};

/// Device and inode of a file, so that a kept connection notices when its file was replaced
/// or deleted behind it.
struct FileIdentity
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

enum class PathState {
    Present, ///< something is at the path
    Absent,  ///< the file system says nothing is there (ENOENT)
    Unknown, ///< the file system cannot tell (no search right, a loop of links, ...)
};
PathState StateOf(const std::string& path);

/// The identity of the file at path; nothing when there is none.
std::optional<FileIdentity> IdentityOf(const std::string& path);

enum class HeaderVerdict {
    Ours,    ///< a dictionary of this format, whole as far as its header tells
    Missing, ///< no file at the path
    Foreign, ///< anything else: another file, another SQLite database, a truncated dictionary
};

/// Reads the database header and the schema without opening the file in SQLite, so that a
/// foreign file is refused before anything could touch it (SQLite would create -wal and -shm
/// files beside a WAL database, or switch a rollback-journal database to WAL).
HeaderVerdict InspectHeader(const std::string& path, const DictionaryFormat& format);

enum class CreateResult { Created, Exists, Failed };

/// Creates an empty dictionary at path. It is built under a temporary name and moved into
/// place whole, so a crash never leaves a half-made dictionary, and an existing file (also
/// one made by another process meanwhile) is never replaced. Creations in one folder take
/// turns under a lock on the folder; each removes what a killed creator left.
///
/// Refused (Failed) when the file system cannot tell whether the path is free. On a file
/// system without flock nothing is removed, and a log left beside the path refuses the
/// creation.
CreateResult CreateDictionaryFile(const std::string& path, const DictionaryFormat& format);

/// flock, or what a test puts in its place to play a file system that refuses it; returns
/// the previous one (null restores flock).
using FolderLockFn = int (*)(int fd, int operation);
FolderLockFn SetFolderLockForTesting(FolderLockFn lock);

} // namespace kelvara::ref

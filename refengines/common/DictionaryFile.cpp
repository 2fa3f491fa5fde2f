#include "common/DictionaryFile.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara::ref {

namespace {

constexpr std::size_t kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3"; // 16 bytes with its terminator

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}

bool hasNonEmptyFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

void syncFolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

bool buildEmptyDictionary(const std::string& path, const DictionaryFormat& format)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    char marks[160];
    std::snprintf(marks, sizeof marks, "PRAGMA application_id=%d; PRAGMA user_version=%d;",
                  static_cast<int>(format.applicationId), static_cast<int>(format.schemaVersion));
    // The default FULL synchronous mode of this one connection makes the new file durable
    // before it is linked into place; WAL mode is written into the header last and persists.
    bool ok = sqlite3_exec(db, "PRAGMA page_size=4096; BEGIN;", nullptr, nullptr, nullptr) ==
                  SQLITE_OK &&
              sqlite3_exec(db, format.schemaSql, nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, marks, nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, "COMMIT; PRAGMA journal_mode=WAL;", nullptr, nullptr, nullptr) ==
                  SQLITE_OK;
    ok = sqlite3_close_v2(db) == SQLITE_OK && ok;
    return ok;
}

void removeWithCompanions(const std::string& path)
{
    ::unlink(path.c_str());
    ::unlink((path + "-wal").c_str());
    ::unlink((path + "-shm").c_str());
    ::unlink((path + "-journal").c_str());
}

} // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

HeaderVerdict InspectHeader(const std::string& path, const DictionaryFormat& format)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? HeaderVerdict::Missing : HeaderVerdict::Foreign;
    struct stat st {};
    unsigned char h[kHeaderSize];
    const bool readWhole = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                           ::pread(fd, h, kHeaderSize, 0) == static_cast<ssize_t>(kHeaderSize);
    ::close(fd);
    if (!readWhole || std::memcmp(h, kMagic, sizeof kMagic) != 0)
        return HeaderVerdict::Foreign;

    std::uint32_t pageSize = (std::uint32_t(h[16]) << 8) | h[17];
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return HeaderVerdict::Foreign;
    if (bigEndian32(h + 68) != format.applicationId || bigEndian32(h + 60) != format.schemaVersion)
        return HeaderVerdict::Foreign;

    // A truncated file: SQLite would only notice at the first read of a missing page. With a
    // write-ahead log present the header may lag behind it, so the size is then left to SQLite.
    if (!hasNonEmptyFile(path + "-wal")) {
        const auto size = static_cast<std::uint64_t>(st.st_size);
        const bool sizeValid = std::memcmp(h + 24, h + 92, 4) == 0;
        const std::uint64_t pages = bigEndian32(h + 28);
        if (size % pageSize != 0 || (sizeValid && size < pages * pageSize))
            return HeaderVerdict::Foreign;
    }
    return HeaderVerdict::Ours;
}

CreateResult CreateDictionaryFile(const std::string& path, const DictionaryFormat& format)
{
    if (IdentityOf(path))
        return CreateResult::Exists;
    const std::string temp = path + ".new-" + std::to_string(::getpid());
    removeWithCompanions(temp);
    if (!buildEmptyDictionary(temp, format)) {
        removeWithCompanions(temp);
        return CreateResult::Failed;
    }
    // A log or index left beside a dictionary that is gone would be applied to the new file.
    ::unlink((path + "-wal").c_str());
    ::unlink((path + "-shm").c_str());
    CreateResult result = CreateResult::Created;
    if (::link(temp.c_str(), path.c_str()) != 0) {
        if (errno == EEXIST) {
            result = CreateResult::Exists;
        } else if (IdentityOf(path)) {
            result = CreateResult::Exists;
        } else if (::rename(temp.c_str(), path.c_str()) != 0) {
            // A file system without hard links: the rename is the fallback, checked just above.
            result = CreateResult::Failed;
        }
    }
    removeWithCompanions(temp);
    if (result == CreateResult::Created)
        syncFolderOf(path);
    return result;
}

} // namespace kelvara::ref

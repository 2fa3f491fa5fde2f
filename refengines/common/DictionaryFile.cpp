#include "common/DictionaryFile.h"

#include "common/RegularFile.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kelvara::ref {

namespace {

constexpr std::size_t kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3"; // 16 bytes with its terminator
constexpr const char* kTempMark = ".new-";
constexpr const char* kCompanions[] = {"-wal", "-shm", "-journal"};

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}

void putBigEndian32(unsigned char* p, std::uint32_t value)
{
    p[0] = static_cast<unsigned char>(value >> 24);
    p[1] = static_cast<unsigned char>(value >> 16);
    p[2] = static_cast<unsigned char>(value >> 8);
    p[3] = static_cast<unsigned char>(value);
}

// Folders are locked through this, so that a test can play a file system without flock.
FolderLockFn gFolderLock = &::flock;

bool hasNonEmptyFile(const std::string& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

// The objects of a schema: type and name -> table and statement.
using SchemaObjects =
    std::map<std::pair<std::string, std::string>, std::pair<std::string, std::string>>;

bool readSchema(sqlite3* db, SchemaObjects& out)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT type, name, tbl_name, sql FROM sqlite_master", -1, &stmt,
                           nullptr) != SQLITE_OK)
        return false;
    auto text = [stmt](int column) {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return std::string(t ? t : "");
    };
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        out[{text(0), text(1)}] = {text(2), text(3)};
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

bool schemaOfFormat(const DictionaryFormat& format, SchemaObjects& out)
{
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
                    sqlite3_exec(db, format.schemaSql, nullptr, nullptr, nullptr) == SQLITE_OK &&
                    readSchema(db, out);
    sqlite3_close_v2(db);
    return ok;
}

// The schema is read from a copy of the first page in memory, so that SQLite never opens the
// file for it: an open would switch a foreign database to our journal or leave a log beside it.
// Every table and index of the format must be there as created; a file may hold more.
bool pageOneHoldsSchema(std::vector<unsigned char> page, const DictionaryFormat& format)
{
    page[18] = 1; // read as a rollback-journal database of this one page
    page[19] = 1;
    putBigEndian32(page.data() + 28, 1);
    std::memcpy(page.data() + 92, page.data() + 24, 4);

    SchemaObjects expected;
    SchemaObjects found;
    if (!schemaOfFormat(format, expected))
        return false;
    sqlite3* db = nullptr;
    // writable_schema lets the schema be read although its tables lie beyond the one page.
    bool ok =
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, "PRAGMA writable_schema=ON", nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_deserialize(db, "main", page.data(), static_cast<sqlite3_int64>(page.size()),
                            static_cast<sqlite3_int64>(page.size()),
                            SQLITE_DESERIALIZE_READONLY) == SQLITE_OK &&
        readSchema(db, found);
    sqlite3_close_v2(db);
    for (const auto& [key, value] : expected) {
        const auto it = found.find(key);
        ok = ok && it != found.end() && it->second == value;
    }
    return ok;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// `name.new-PID` with one of its companions, or alone: what a creation of name makes and
// removes again before it ends.
bool isTempOf(std::string_view entry, std::string_view name)
{
    const std::string prefix = std::string(name) + kTempMark;
    if (entry.substr(0, prefix.size()) != prefix)
        return false;
    entry.remove_prefix(prefix.size());
    std::size_t digits = 0;
    while (digits < entry.size() && entry[digits] >= '0' && entry[digits] <= '9')
        ++digits;
    if (digits == 0)
        return false;
    entry.remove_prefix(digits);
    if (entry.empty())
        return true;
    for (const char* companion : kCompanions) {
        if (entry == companion)
            return true;
    }
    return false;
}

// Called under the creation lock: a temporary file of this name belongs to a creator that died.
void removeDeadCreations(int folderFd, const std::string& name)
{
    const int fd = ::dup(folderFd);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    std::vector<std::string> dead;
    while (const dirent* e = ::readdir(dir)) {
        if (isTempOf(e->d_name, name))
            dead.emplace_back(e->d_name);
    }
    ::closedir(dir);
    for (const std::string& entry : dead)
        ::unlinkat(folderFd, entry.c_str(), 0);
}

/// Whether anything (of any kind) is at one of the names a log or index of name would have.
bool hasCompanions(int folderFd, const std::string& name)
{
    for (const char* companion : kCompanions) {
        struct stat st
        {
        };
        if (::fstatat(folderFd, (name + companion).c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ||
            errno != ENOENT)
            return true;
    }
    return false;
}

void removeWithCompanions(int folderFd, const std::string& name)
{
    ::unlinkat(folderFd, name.c_str(), 0);
    for (const char* companion : kCompanions)
        ::unlinkat(folderFd, (name + companion).c_str(), 0);
}

// Builds the dictionary in the file at path, which the caller has just created empty.
bool buildEmptyDictionary(const std::string& path, const DictionaryFormat& format)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(SqliteFileName(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    char marks[160];
    std::snprintf(marks, sizeof marks, "PRAGMA application_id=%d; PRAGMA user_version=%d;",
                  static_cast<int>(format.applicationId), static_cast<int>(format.schemaVersion));
    // The default FULL synchronous mode of this one connection makes the new file durable
    // before it is moved into place; WAL mode is written into the header last and persists.
    bool ok =
        sqlite3_exec(db, "PRAGMA page_size=4096; BEGIN;", nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, format.schemaSql, nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, marks, nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, "COMMIT; PRAGMA journal_mode=WAL;", nullptr, nullptr, nullptr) ==
            SQLITE_OK;
    ok = sqlite3_close_v2(db) == SQLITE_OK && ok;
    return ok;
}

// Moves the finished file to its name unless a file is there. False with errno EEXIST when
// one is.
bool moveIntoPlace(int folderFd, const std::string& temp, const std::string& name)
{
    if (::renameat2(folderFd, temp.c_str(), folderFd, name.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without an exclusive rename: a hard link refuses an existing name too.
    if (::linkat(folderFd, temp.c_str(), folderFd, name.c_str(), 0) == 0) {
        ::unlinkat(folderFd, temp.c_str(), 0);
        return true;
    }
    return false;
}

} // namespace

PathState StateOf(const std::string& path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) == 0)
        return PathState::Present;
    return errno == ENOENT ? PathState::Absent : PathState::Unknown;
}

FolderLockFn SetFolderLockForTesting(FolderLockFn lock)
{
    const FolderLockFn previous = gFolderLock;
    gFolderLock = lock ? lock : &::flock;
    return previous;
}

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
}

HeaderVerdict InspectHeader(const std::string& path, const DictionaryFormat& format)
{
    // A FIFO at the path is refused here rather than waited on.
    const Descriptor fd(OpenRegularFile(path, O_RDONLY));
    if (fd.get() < 0)
        return errno == ENOENT ? HeaderVerdict::Missing : HeaderVerdict::Foreign;
    struct stat st
    {
    };
    unsigned char h[kHeaderSize];
    if (::fstat(fd.get(), &st) != 0 ||
        ::pread(fd.get(), h, kHeaderSize, 0) != static_cast<ssize_t>(kHeaderSize) ||
        std::memcmp(h, kMagic, sizeof kMagic) != 0)
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

    // Our marks on another schema: the tables and indexes are those of the creation.
    std::vector<unsigned char> page(pageSize);
    if (::pread(fd.get(), page.data(), pageSize, 0) != static_cast<ssize_t>(pageSize) ||
        !pageOneHoldsSchema(std::move(page), format))
        return HeaderVerdict::Foreign;
    return HeaderVerdict::Ours;
}

CreateResult CreateDictionaryFile(const std::string& path, const DictionaryFormat& format)
{
    // Only a path that is surely free is created: a stat that fails for another reason (a
    // folder that cannot be searched, a loop of links) cannot tell whether a dictionary is
    // there, and whatever the creation removes beside it could belong to that dictionary.
    switch (StateOf(path)) {
    case PathState::Present:
        return CreateResult::Exists;
    case PathState::Unknown:
        return CreateResult::Failed;
    case PathState::Absent:
        break;
    }
    const std::string folder = folderOf(path);
    const std::string name = nameOf(path);
    const Descriptor folderFd(
        ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
    if (folderFd.get() < 0)
        return CreateResult::Failed;
    // One creation at a time in the folder, among all processes. The lock belongs to the
    // descriptor, so a creator that is killed releases it.
    int locked;
    while ((locked = gFolderLock(folderFd.get(), LOCK_EX)) != 0 && errno == EINTR) {
    }
    // Made by another creator while this one waited: its log may already be live.
    switch (StateOf(path)) {
    case PathState::Present:
        return CreateResult::Exists;
    case PathState::Unknown:
        return CreateResult::Failed;
    case PathState::Absent:
        break;
    }

    const std::string temp = name + kTempMark + std::to_string(::getpid());
    if (locked == 0) {
        // No dictionary is at the path and no creator is at work, so a log or index here
        // belongs to a file that is gone (applied to the new one it would corrupt it), and a
        // temporary file to a creator that died.
        removeDeadCreations(folderFd.get(), name);
        for (const char* companion : kCompanions)
            ::unlinkat(folderFd.get(), (name + companion).c_str(), 0);
    } else if (hasCompanions(folderFd.get(), name) || hasCompanions(folderFd.get(), temp)) {
        // A file system that refuses flock: a log beside the path may belong to a creator at
        // work, so nothing is removed, and a creation that would inherit it is refused.
        return CreateResult::Failed;
    }

    // The temporary file is made here, exclusively and without following a link, so that
    // SQLite builds in a new regular file of this creation and in nothing else.
    {
        const Descriptor created(CreateRegularFile(folder + temp, 0644));
        if (!created.valid())
            return CreateResult::Failed;
    }
    if (!buildEmptyDictionary(folder + temp, format)) {
        removeWithCompanions(folderFd.get(), temp);
        return CreateResult::Failed;
    }
    CreateResult result = CreateResult::Created;
    if (!moveIntoPlace(folderFd.get(), temp, name))
        result = errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
    if (result != CreateResult::Created)
        removeWithCompanions(folderFd.get(), temp);
    else
        (void)::fsync(folderFd.get());
    return result;
}

} // namespace kelvara::ref

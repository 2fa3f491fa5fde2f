#include "common/FileChanges.h"

#include "common/RegularFile.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara::ref {

namespace {

// SQLite's shared-memory index: two copies of a 48-byte header, then the checkpoint record
// whose first field counts the frames already copied into the database file.
constexpr int kIndexHeadersSize = 96;
constexpr int kBackfillOffset = 96;
constexpr int kIndexRegionSize = 32768;
// The byte of the index file on which every open connection holds a shared lock: whoever
// gets it exclusively is alone with the dictionary.
constexpr off_t kIndexAloneByte = 128;

} // namespace

sqlite3_file* MainFileOf(sqlite3* db)
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods)
        return nullptr;
    return file;
}

namespace {

sqlite3_file* logFile(sqlite3* db)
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_JOURNAL_POINTER, &file) != SQLITE_OK ||
        !file || !file->pMethods)
        return nullptr;
    return file;
}

// A short read leaves zeros, which is what an empty log's header reads as.
template <std::size_t N> void readStart(sqlite3_file* file, std::array<unsigned char, N>& out)
{
    out.fill(0);
    if (file)
        (void)file->pMethods->xRead(file, out.data(), static_cast<int>(N), 0);
}

bool readAt(int fd, void* buffer, std::size_t size)
{
    return ::pread(fd, buffer, size, 0) == static_cast<ssize_t>(size);
}

std::int64_t sizeOf(int fd)
{
    struct stat st
    {
    };
    return ::fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

bool isLog(int fd, const StaleLog& log)
{
    std::array<unsigned char, 32> header{};
    const std::int64_t size = sizeOf(fd);
    if (size != log.size)
        return false;
    return size == 0 || (readAt(fd, header.data(), header.size()) && header == log.header);
}

} // namespace

std::optional<FileMarks> ObserveFile(sqlite3* db, const std::string& path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    FileMarks marks;
    marks.identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    marks.size = static_cast<std::int64_t>(st.st_size);
    marks.modifiedNs =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    readStart(MainFileOf(db), marks.header);
    readStart(logFile(db), marks.logHeader);
    return marks;
}

LogIndexMarks ObserveLogIndex(sqlite3_file* file)
{
    LogIndexMarks marks;
    if (!file || file->pMethods->iVersion < 2)
        return marks;
    volatile void* region = nullptr;
    if (file->pMethods->xShmMap(file, 0, kIndexRegionSize, 0, &region) != SQLITE_OK || !region)
        return marks;
    const auto* bytes = static_cast<const volatile unsigned char*>(region);
    for (int i = 0; i < kIndexHeadersSize; ++i)
        marks.headers[static_cast<std::size_t>(i)] = bytes[i];
    std::uint32_t backfilled = 0;
    for (int i = 0; i < 4; ++i)
        reinterpret_cast<unsigned char*>(&backfilled)[i] = bytes[kBackfillOffset + i];
    marks.backfilled = backfilled;
    return marks;
}

bool SqliteAtWork(sqlite3_file* file, bool holdsWriteLock)
{
    // The index's lock slots: 0 write, 1 checkpoint, 2 recovery.
    if (!file || file->pMethods->iVersion < 2)
        return false;
    for (int slot = holdsWriteLock ? 1 : 0; slot <= 2; ++slot) {
        const int rc =
            file->pMethods->xShmLock(file, slot, 1, SQLITE_SHM_LOCK | SQLITE_SHM_EXCLUSIVE);
        if (rc != SQLITE_OK)
            return true;
        file->pMethods->xShmLock(file, slot, 1, SQLITE_SHM_UNLOCK | SQLITE_SHM_EXCLUSIVE);
    }
    return false;
}

StaleLog LogOf(sqlite3* db)
{
    StaleLog log;
    sqlite3_file* file = logFile(db);
    readStart(file, log.header);
    sqlite3_int64 size = 0;
    if (file && file->pMethods->xFileSize(file, &size) == SQLITE_OK)
        log.size = size;
    return log;
}

LogDiscard DiscardStaleLog(const std::string& path, const StaleLog& log)
{
    const Descriptor wal(OpenRegularFile(path + "-wal", O_RDWR));
    if (!wal.valid())
        return errno == ENOENT ? LogDiscard::Done : LogDiscard::Busy;
    // Another connection may have written to the log since, or a log of a backup was copied
    // in with the file: then it is not the stale one and stays.
    if (log.size == 0 || !isLog(wal.get(), log))
        return LogDiscard::Done;

    const Descriptor shm(OpenRegularFile(path + "-shm", O_RDWR));
    if (!shm.valid() && errno != ENOENT)
        return LogDiscard::Busy;
    if (shm.valid()) {
        struct flock alone
        {
        };
        alone.l_type = F_WRLCK;
        alone.l_whence = SEEK_SET;
        alone.l_start = kIndexAloneByte;
        alone.l_len = 1;
        if (::fcntl(shm.get(), F_SETLK, &alone) != 0)
            return LogDiscard::Busy;
        // Alone with the dictionary: the log is looked at once more, then emptied with the
        // index, which the next connection builds afresh. The lock goes with the descriptor.
        if (!isLog(wal.get(), log))
            return LogDiscard::Done;
        if (::ftruncate(wal.get(), 0) != 0 || ::ftruncate(shm.get(), 0) != 0)
            return LogDiscard::Busy;
    } else if (::ftruncate(wal.get(), 0) != 0) {
        return LogDiscard::Busy;
    }
    (void)::fsync(wal.get());
    return LogDiscard::Done;
}

} // namespace kelvara::ref

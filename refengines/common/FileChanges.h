#pragma once

#include "common/DictionaryFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct sqlite3;
struct sqlite3_file;

namespace kelvara::ref {

/// What a dictionary file and its log look like from outside SQLite: the file's identity,
/// size and modification time, its database header (with the change counter at offset 24)
/// and the header of its write-ahead log (with the log's salts). The headers are read through
/// the connection's own descriptors: a second descriptor of this process on the file, once
/// closed, would drop every lock SQLite holds on it.
struct FileMarks
{
    FileIdentity identity;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::array<unsigned char, 100> header{};
    std::array<unsigned char, 32> logHeader{};
    bool operator==(const FileMarks&) const = default;
};

/// The shared index of the log (both copies of its header and the count of frames copied
/// into the file), as every connection to the file sees it. Any commit or checkpoint of any
/// SQLite connection changes it; a file copied over the dictionary does not.
struct LogIndexMarks
{
    std::array<unsigned char, 96> headers{};
    std::uint32_t backfilled = 0;
    bool operator==(const LogIndexMarks&) const = default;
};

/// The marks of the file of the connection's main database at path; nothing when no file is
/// at the path.
std::optional<FileMarks> ObserveFile(sqlite3* db, const std::string& path);
/// The file object of the connection's main database, which lives as long as the connection.
sqlite3_file* MainFileOf(sqlite3* db);
/// The connection's view of the log index (through the main file object of MainFileOf): a
/// read of shared memory, no system call.
LogIndexMarks ObserveLogIndex(sqlite3_file* mainFile);

/// True while another connection is in the middle of writing the log or copying it into the
/// file (it holds the write, checkpoint or recovery lock of the index): the file and log may
/// then differ from what the shared index says for a moment. The locks are tried through the
/// connection's own file object; `holdsWriteLock` skips the write lock this connection holds.
bool SqliteAtWork(sqlite3_file* mainFile, bool holdsWriteLock);

/// A log that was written for the file before something other than SQLite changed the file
/// in place (a backup copied over it). Replayed on the new content it would undo the change
/// or corrupt the file, so it is discarded before the file is opened again.
struct StaleLog
{
    std::array<unsigned char, 32> header{};
    std::int64_t size = 0;
};
/// The log of the connection as it is now, for a later DiscardStaleLog.
StaleLog LogOf(sqlite3* db);

enum class LogDiscard {
    Done, ///< the log is gone, or is not that log any more (nothing of it is left to undo)
    Busy, ///< another process has the dictionary open: its connection still uses the log
};
/// Empties the stale log beside path and the index beside it, once no connection of any
/// process is open on the dictionary. Call only while this process has no connection to it.
LogDiscard DiscardStaleLog(const std::string& path, const StaleLog& log);

} // namespace kelvara::ref

#pragma once

#include "common/DictionaryFile.h"
#include "common/FileChanges.h"
#include "common/Statement.h"

#include <chrono>
#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_file;

namespace kelvara::ref {

/// The busy timeout of every connection: how long a write waits for another process that
/// holds the dictionary's write lock. KELVARA_ENGINE_BUSY_TIMEOUT_MS overrides it.
int BusyTimeoutMs();

/// One connection to a dictionary file, set up the same way for both engines: WAL journal,
/// synchronous=NORMAL (Debian's build defaults to FULL even in WAL mode), the busy timeout.
///
/// An engine's open of the dictionary is a session: a deferred transaction, so that its
/// reads see one state of the file and take no lock that another process's write would wait
/// for. The first write of a session takes the write lock, which it keeps until the session
/// ends; a session that read first may only write if no other process committed since.
class Database
{
public:
    /// How long a connection trusts that its file is still at its path without asking the
    /// file system. A write always asks.
    static constexpr std::chrono::milliseconds kIdentityCheckInterval{200};

    /// Opens an existing dictionary of the format; null when the file is not one, is locked
    /// while its log is recovered, cannot be written, or was restored in place under a
    /// connection of this process while another process still has it open (see
    /// DiscardStaleLog).
    static std::unique_ptr<Database> open(const std::string& path, const DictionaryFormat& format);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return m_db; }
    const std::string& path() const { return m_path; }
    /// True while the file at the path is presumably the one this connection opened and left:
    /// not replaced or deleted, and not changed in place by anything but SQLite (a backup
    /// copied over it). The file system is asked at most every kIdentityCheckInterval, and
    /// always at a session's first write. Once false, the connection is to be dropped; its
    /// destruction then leaves the changed file as it was and discards the log written for
    /// what the file held before.
    bool stillAt(const std::string& path);

    /// Starts a session; takes no lock and touches no file.
    bool beginSession();

    enum class Claim {
        Writing,      ///< the write lock is held until the session ends
        Refused,      ///< no lock (busy past the timeout, another commit since this session
                      ///< read, a replaced file after a read); every later write is refused too
        FileReplaced, ///< nothing read or written yet, and the path holds another file now
    };
    /// Takes the write lock for the rest of the session at its first write.
    Claim claimWrite();

    /// Ends the session and commits what it wrote. False when the commit failed (everything
    /// since beginSession is rolled back) or a write of the session was refused.
    bool endSession();
    /// Ends the session and drops what it wrote.
    void rollback();
    bool inTransaction() const;

private:
    Database(sqlite3* db, std::string path);
    bool prepareAll(const DictionaryFormat& format);
    /// Asks the file system whether the file is still the one this connection left.
    bool fileHolds();
    /// Notes the file as this connection leaves it at the end of a session.
    void noteOwnState();
    bool lockAfterReading();

    sqlite3* m_db;
    sqlite3_file* m_mainFile = nullptr;
    std::string m_path;
    FileMarks m_seen;
    LogIndexMarks m_seenIndex;
    std::chrono::steady_clock::time_point m_checkedAt;
    bool m_replaced = false;
    /// Changed in place behind SQLite: the log must not be copied into the file at the close.
    bool m_changedInPlace = false;
    bool m_writeRefused = false;
    Statement m_begin;
    Statement m_beginImmediate;
    Statement m_commit;
    Statement m_rollback;
    Statement m_lock;
};

} // namespace kelvara::ref

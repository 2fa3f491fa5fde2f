#include "common/Database.h"

#include <sqlite3.h>

#include "common/RegularFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kelvara::ref {

namespace {

constexpr int kDefaultBusyTimeoutMs = 5000;
// At most 16 MiB of pages per dictionary, taken only as its pages are read.
constexpr const char* kCacheSizePragma = "PRAGMA cache_size=-16384";
using Clock = std::chrono::steady_clock;

bool pragmaNumberIs(sqlite3* db, const char* sql, std::uint32_t expected)
{
    sqlite3_stmt* stmt = nullptr;
    bool ok = false;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        ok = static_cast<std::uint32_t>(sqlite3_column_int64(stmt, 0)) == expected;
    sqlite3_finalize(stmt);
    return ok;
}

bool pragmaTextIs(sqlite3* db, const char* sql, const char* expected)
{
    sqlite3_stmt* stmt = nullptr;
    bool ok = false;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        ok = text && std::strcmp(text, expected) == 0;
    }
    sqlite3_finalize(stmt);
    return ok;
}

bool isBusy(int rc)
{
    return (rc & 0xFF) == SQLITE_BUSY;
}

// Logs of dictionaries restored in place that could not be discarded yet, because another
// process still had the dictionary open: path -> the log. Until the discard succeeds (or
// the log is no longer that one) the dictionary does not open, since SQLite would replay the
// log over the restored file.
std::map<std::string, StaleLog>& pendingDiscards()
{
    static std::map<std::string, StaleLog> pending;
    return pending;
}

bool staleLogPending(const std::string& path)
{
    auto& pending = pendingDiscards();
    const auto it = pending.find(path);
    if (it == pending.end())
        return false;
    if (DiscardStaleLog(path, it->second) == LogDiscard::Busy)
        return true;
    pending.erase(it);
    return false;
}

// A log or index that is not a regular file (a FIFO) would hang SQLite's first read of it.
bool sideFilesUsable(const std::string& path)
{
    for (const char* side : {"-wal", "-shm"}) {
        struct stat st
        {
        };
        if (::lstat((path + side).c_str(), &st) == 0 ? !S_ISREG(st.st_mode) : errno != ENOENT)
            return false;
    }
    return true;
}

} // namespace

int BusyTimeoutMs()
{
    if (const char* value = std::getenv("KELVARA_ENGINE_BUSY_TIMEOUT_MS")) {
        char* end = nullptr;
        const long ms = std::strtol(value, &end, 10);
        if (end != value && *end == '\0' && ms >= 0 && ms <= 600000)
            return static_cast<int>(ms);
    }
    return kDefaultBusyTimeoutMs;
}

std::unique_ptr<Database> Database::open(const std::string& path, const DictionaryFormat& format)
{
    // Everything that can refuse the file is asked before SQLite opens it: a refused file
    // stays as it was, without a log beside it.
    if (staleLogPending(path) || InspectHeader(path, format) != HeaderVerdict::Ours ||
        ::access(path.c_str(), W_OK) != 0 || !sideFilesUsable(path))
        return nullptr;
    sqlite3* db = nullptr;
    // Never SQLITE_OPEN_URI, and never a name SQLite could read as a URI.
    if (sqlite3_open_v2(SqliteFileName(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, BusyTimeoutMs());
    sqlite3_extended_result_codes(db, 1);
    // The marks are read again through SQLite: after a crash the newest page 1 may sit in
    // the log rather than in the file header that InspectHeader saw.
    const bool ours =
        sqlite3_db_readonly(db, "main") == 0 &&
        pragmaNumberIs(db, "PRAGMA application_id", format.applicationId) &&
        pragmaNumberIs(db, "PRAGMA user_version", format.schemaVersion) &&
        pragmaTextIs(db, "PRAGMA journal_mode=WAL", "wal") &&
        sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) == SQLITE_OK &&
        // SQLite's 2 MiB would hold the index of some 30,000 entries: beyond that every Find,
        // check and add read its pages from the file again.
        sqlite3_exec(db, kCacheSizePragma, nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ours) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    const auto marks = ObserveFile(db, path);
    if (!marks) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    std::unique_ptr<Database> database(new Database(db, path));
    database->m_seen = *marks;
    database->m_seenIndex = ObserveLogIndex(database->m_mainFile);
    if (!database->prepareAll(format))
        return nullptr;
    return database;
}

Database::Database(sqlite3* db, std::string path)
    : m_db(db), m_mainFile(MainFileOf(db)), m_path(std::move(path)), m_checkedAt(Clock::now())
{}

Database::~Database()
{
    // The last close copies the log into the file: first make sure the file is still the one
    // the log was written for (a backup copied over it meanwhile must stay as it is).
    if (!m_replaced)
        fileHolds();
    if (m_changedInPlace)
        rollback();
    else if (inTransaction())
        endSession();
    m_begin.finalize();
    m_beginImmediate.finalize();
    m_commit.finalize();
    m_rollback.finalize();
    m_lock.finalize();
    if (!m_changedInPlace) {
        sqlite3_close_v2(m_db);
        return;
    }
    int off = 0;
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, &off);
    const StaleLog log = LogOf(m_db);
    // The statements of the store are finalized before this (they are declared after the
    // connection), so the close is complete and this process holds no lock on the file.
    if (sqlite3_close(m_db) != SQLITE_OK) {
        sqlite3_close_v2(m_db);
        pendingDiscards()[m_path] = log;
        return;
    }
    if (DiscardStaleLog(m_path, log) == LogDiscard::Busy)
        pendingDiscards()[m_path] = log;
}

bool Database::prepareAll(const DictionaryFormat& format)
{
    return m_begin.prepare(m_db, "BEGIN") && m_beginImmediate.prepare(m_db, "BEGIN IMMEDIATE") &&
           m_commit.prepare(m_db, "COMMIT") && m_rollback.prepare(m_db, "ROLLBACK") &&
           m_lock.prepare(m_db, format.lockSql);
}

bool Database::fileHolds()
{
    m_checkedAt = Clock::now();
    if (m_replaced)
        return false;
    const auto marks = ObserveFile(m_db, m_path);
    if (!marks || marks->identity != m_seen.identity) {
        m_replaced = true; // deleted or replaced: the log goes with the old file
        return false;
    }
    const LogIndexMarks index = ObserveLogIndex(m_mainFile);
    if (*marks == m_seen) {
        m_seenIndex = index;
        return true;
    }
    if (index != m_seenIndex) {
        // Another connection committed or copied the log into the file: SQLite's own doing,
        // which SQLite's own index keeps right.
        m_seen = *marks;
        m_seenIndex = index;
        return true;
    }
    // Another connection halfway through a commit or checkpoint has written the log or the
    // file but not yet the index: looked at again next time.
    if (SqliteAtWork(m_mainFile, sqlite3_txn_state(m_db, "main") == SQLITE_TXN_WRITE))
        return true;
    // The file or its log changed while no connection wrote: something other than SQLite
    // wrote it, a backup copied over it in place.
    m_replaced = true;
    m_changedInPlace = true;
    return false;
}

void Database::noteOwnState()
{
    const LogIndexMarks index = ObserveLogIndex(m_mainFile);
    if (index == m_seenIndex)
        return;
    // A commit appends to the log and leaves the file alone, but a checkpoint (this
    // connection's own after a commit, or another's) writes the file and may start the log
    // afresh: then the file's marks are taken again.
    const bool fileWritten =
        index.backfilled != m_seenIndex.backfilled ||
        std::memcmp(index.headers.data() + 32, m_seenIndex.headers.data() + 32, 8) != 0;
    m_seenIndex = index;
    if (fileWritten) {
        if (const auto marks = ObserveFile(m_db, m_path);
            marks && marks->identity == m_seen.identity)
            m_seen = *marks;
    }
}

bool Database::stillAt(const std::string& path)
{
    if (m_replaced || path != m_path)
        return false;
    // A stat at every open of a Find would cost as much as the lookup itself.
    return Clock::now() - m_checkedAt < kIdentityCheckInterval || fileHolds();
}

bool Database::beginSession()
{
    m_writeRefused = false;
    return !inTransaction() && m_begin.run();
}

bool Database::lockAfterReading()
{
    // SQLite does not wait here: its busy handler only serves a transaction that has not read
    // yet. Once the other writer commits, this session's reads are out of date and SQLite
    // answers BUSY_SNAPSHOT, which ends the wait with a refusal.
    const auto deadline = Clock::now() + std::chrono::milliseconds(BusyTimeoutMs());
    for (;;) {
        const int rc = m_lock.step();
        m_lock.reset();
        if (rc == SQLITE_DONE)
            return sqlite3_txn_state(m_db, "main") == SQLITE_TXN_WRITE;
        if (!isBusy(rc) || rc == SQLITE_BUSY_SNAPSHOT || Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

Database::Claim Database::claimWrite()
{
    if (!inTransaction() || m_writeRefused)
        return Claim::Refused;
    const int state = sqlite3_txn_state(m_db, "main");
    if (state == SQLITE_TXN_WRITE)
        return Claim::Writing;
    const bool untouched = state == SQLITE_TXN_NONE;
    bool locked;
    if (untouched) {
        // Nothing read yet: the session starts again as an immediate transaction, whose lock
        // waits for another writer up to the busy timeout.
        m_rollback.run();
        locked = m_beginImmediate.run();
        if (!locked)
            m_begin.run();
    } else {
        locked = lockAfterReading();
    }
    // Under the lock, the file is checked once more: a write must never go to a file that was
    // deleted or replaced behind the connection.
    if (locked && fileHolds())
        return Claim::Writing;
    if (locked) {
        m_rollback.run();
        m_begin.run();
        if (untouched)
            return Claim::FileReplaced;
    }
    m_writeRefused = true;
    return Claim::Refused;
}

bool Database::endSession()
{
    if (!inTransaction())
        return false;
    const bool refused = m_writeRefused;
    m_writeRefused = false;
    const bool committed = m_commit.run();
    if (!committed)
        m_rollback.run();
    noteOwnState();
    return committed && !refused;
}

void Database::rollback()
{
    if (inTransaction()) {
        m_rollback.run();
        noteOwnState();
    }
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

} // namespace kelvara::ref

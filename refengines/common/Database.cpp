#include "common/Database.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>

namespace kelvara::ref {

namespace {

constexpr int kDefaultBusyTimeoutMs = 5000;
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
    if (InspectHeader(path, format) != HeaderVerdict::Ours || ::access(path.c_str(), W_OK) != 0)
        return nullptr;
    const auto identity = IdentityOf(path);
    if (!identity)
        return nullptr;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
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
        sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ours) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    std::unique_ptr<Database> database(new Database(db, path, *identity));
    if (!database->prepareAll(format))
        return nullptr;
    return database;
}

Database::Database(sqlite3* db, std::string path, FileIdentity identity)
    : m_db(db), m_path(std::move(path)), m_identity(identity), m_checkedAt(Clock::now())
{}

Database::~Database()
{
    if (inTransaction())
        endSession();
    m_begin.finalize();
    m_beginImmediate.finalize();
    m_commit.finalize();
    m_rollback.finalize();
    m_lock.finalize();
    sqlite3_close_v2(m_db);
}

bool Database::prepareAll(const DictionaryFormat& format)
{
    return m_begin.prepare(m_db, "BEGIN") && m_beginImmediate.prepare(m_db, "BEGIN IMMEDIATE") &&
           m_commit.prepare(m_db, "COMMIT") && m_rollback.prepare(m_db, "ROLLBACK") &&
           m_lock.prepare(m_db, format.lockSql);
}

bool Database::identityHolds()
{
    m_checkedAt = Clock::now();
    const auto identity = IdentityOf(m_path);
    m_replaced = m_replaced || !identity || *identity != m_identity;
    return !m_replaced;
}

bool Database::stillAt(const std::string& path)
{
    if (m_replaced || path != m_path)
        return false;
    // A stat at every open of a Find would cost as much as the lookup itself.
    return Clock::now() - m_checkedAt < kIdentityCheckInterval || identityHolds();
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
    if (locked && identityHolds())
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
    if (m_commit.run())
        return !refused;
    rollback();
    return false;
}

void Database::rollback()
{
    if (inTransaction())
        m_rollback.run();
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

} // namespace kelvara::ref

#include "common/Database.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>

namespace kelvara::ref {

namespace {

constexpr int kDefaultBusyTimeoutMs = 5000;

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
    if (InspectHeader(path, format) != HeaderVerdict::Ours)
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
    const bool ours = sqlite3_db_readonly(db, "main") == 0 &&
                      pragmaNumberIs(db, "PRAGMA application_id", format.applicationId) &&
                      pragmaNumberIs(db, "PRAGMA user_version", format.schemaVersion) &&
                      pragmaTextIs(db, "PRAGMA journal_mode=WAL", "wal") &&
                      sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) ==
                          SQLITE_OK;
    if (!ours) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    return std::unique_ptr<Database>(new Database(db, path, *identity));
}

Database::Database(sqlite3* db, std::string path, FileIdentity identity)
    : m_db(db), m_path(std::move(path)), m_identity(identity)
{
}

Database::~Database()
{
    if (inTransaction())
        exec("COMMIT");
    if (inTransaction())
        exec("ROLLBACK");
    sqlite3_close_v2(m_db);
}

bool Database::stillAt(const std::string& path) const
{
    if (path != m_path)
        return false;
    const auto identity = IdentityOf(path);
    return identity && *identity == m_identity;
}

bool Database::exec(const char* sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool Database::beginWrite()
{
    return !inTransaction() && exec("BEGIN IMMEDIATE");
}

bool Database::beginRead()
{
    return !inTransaction() && exec("BEGIN");
}

bool Database::commit()
{
    if (!inTransaction())
        return false;
    if (exec("COMMIT"))
        return true;
    rollback();
    return false;
}

void Database::rollback()
{
    if (inTransaction())
        exec("ROLLBACK");
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

} // namespace kelvara::ref

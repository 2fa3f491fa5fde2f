#include "common/Statement.h"

#include <sqlite3.h>

namespace kelvara::ref {

Statement::~Statement()
{
    finalize();
}

bool Statement::prepare(sqlite3* db, const char* sql)
{
    finalize();
    return sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr) ==
               SQLITE_OK &&
           m_stmt != nullptr;
}

void Statement::finalize()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

bool Statement::bind(int index, std::string_view bytes)
{
    // An empty blob must still be bound as a zero-length value, not as NULL.
    static const char kEmpty = 0;
    const char* data = bytes.empty() ? &kEmpty : bytes.data();
    return sqlite3_bind_blob(m_stmt, index, data, static_cast<int>(bytes.size()),
                             SQLITE_TRANSIENT) == SQLITE_OK;
}

bool Statement::bind(int index, std::int64_t value)
{
    return sqlite3_bind_int64(m_stmt, index, value) == SQLITE_OK;
}

int Statement::step()
{
    return m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE;
}

bool Statement::run()
{
    const int rc = step();
    reset();
    return rc == SQLITE_DONE;
}

std::string_view Statement::bytes(int column) const
{
    const void* data = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    if (!data || size <= 0)
        return {};
    return {static_cast<const char*>(data), static_cast<std::size_t>(size)};
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

int Statement::type(int column) const
{
    return sqlite3_column_type(m_stmt, column);
}

void Statement::reset()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

} // namespace kelvara::ref

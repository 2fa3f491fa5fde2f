#pragma once

#include <cstdint>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kelvara::ref {

/// One prepared statement, kept for the life of its connection so that an engine call costs a
/// bind and a step, not a parse. Texts are bound and read as blobs: the engines store the
/// code-page bytes exactly as they came, which SQLite must not take for UTF-8.
class Statement
{
public:
    Statement() = default;
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    /// Prepares sql on the connection; false when it does not compile (a damaged schema).
    bool prepare(sqlite3* db, const char* sql);
    void finalize();

    bool bind(int index, std::string_view bytes);
    bool bind(int index, std::int64_t value);

    /// SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    /// Runs a statement that returns no rows; true when it completed.
    bool run();

    std::string_view bytes(int column) const;
    std::int64_t integer(int column) const;
    /// The column's storage class: SQLITE_INTEGER, SQLITE_BLOB, ...
    int type(int column) const;

    /// Ends the statement's read of the database and drops its bindings.
    void reset();

private:
    sqlite3_stmt* m_stmt = nullptr;
};

/// Resets a statement when the scope ends, so that no statement keeps a read transaction
/// open between engine calls (it would hold back another process's checkpoints).
class StatementScope
{
public:
    explicit StatementScope(Statement& statement) : m_statement(statement) {}
    ~StatementScope() { m_statement.reset(); }
    StatementScope(const StatementScope&) = delete;
    StatementScope& operator=(const StatementScope&) = delete;

private:
    Statement& m_statement;
};

} // namespace kelvara::ref

#pragma once

#include "common/DictionaryFile.h"

#include <memory>
#include <string>

struct sqlite3;

namespace kelvara::ref {

/// The busy timeout of every connection: how long an open waits for another process that
/// holds the dictionary's write lock. KELVARA_ENGINE_BUSY_TIMEOUT_MS overrides it.
int BusyTimeoutMs();

/// One connection to a dictionary file, set up the same way for both engines: WAL journal,
/// synchronous=NORMAL (Debian's build defaults to FULL even in WAL mode), the busy timeout.
class Database {
public:
    /// Opens an existing dictionary of the format; null when the file is not one, is locked
    /// while its log is recovered, or cannot be written.
    static std::unique_ptr<Database> open(const std::string& path, const DictionaryFormat& format);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return m_db; }
    const std::string& path() const { return m_path; }
    /// True while the file at the path is still the one this connection opened.
    bool stillAt(const std::string& path) const;

    /// BEGIN IMMEDIATE: takes the write lock now, waiting up to the busy timeout.
    bool beginWrite();
    /// A deferred read transaction, so that a multi-statement read sees one state.
    bool beginRead();
    /// Commits; a commit that fails is rolled back and answers false.
    bool commit();
    void rollback();
    bool inTransaction() const;

private:
    Database(sqlite3* db, std::string path, FileIdentity identity);
    bool exec(const char* sql);

    sqlite3* m_db;
    std::string m_path;
    FileIdentity m_identity;
};

} // namespace kelvara::ref

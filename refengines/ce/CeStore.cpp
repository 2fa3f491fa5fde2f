#include "ce/CeStore.h"

#include <sqlite3.h>

namespace kelvara::ref {

namespace {

// "KvCe" in the header's application id.
constexpr std::uint32_t kCeApplicationId = 0x4B764365;
constexpr std::uint32_t kCeSchemaVersion = 1;

constexpr const char* kCeSchema = "CREATE TABLE sense("
                                  "  id INTEGER PRIMARY KEY,"
                                  "  word BLOB NOT NULL,"
                                  "  pos BLOB NOT NULL,"
                                  "  translation BLOB NOT NULL);"
                                  "CREATE INDEX sense_word ON sense(word, id);";

// Takes the write lock of a transaction that has already read, without changing a row.
constexpr const char* kCeLock = "DELETE FROM sense WHERE 0";

// Words are stored as blobs; a word of another type is not in the order the export sorts by.
bool storedAsExpected(const Statement& row)
{
    return row.type(0) == SQLITE_BLOB;
}

} // namespace

const DictionaryFormat& CeStore::format()
{
    static const DictionaryFormat kFormat{kCeApplicationId, kCeSchemaVersion, kCeSchema, kCeLock};
    return kFormat;
}

std::unique_ptr<CeStore> CeStore::openOrCreate(const std::string& path)
{
    if (CreateDictionaryFile(path, format()) == CreateResult::Failed)
        return nullptr;
    auto db = Database::open(path, format());
    if (!db)
        return nullptr;
    std::unique_ptr<CeStore> store(new CeStore(std::move(db)));
    if (!store->prepareAll())
        return nullptr;
    return store;
}

bool CeStore::prepareAll()
{
    sqlite3* db = m_db->handle();
    return m_find.prepare(db, "SELECT pos, translation FROM sense WHERE word = ?1 ORDER BY id") &&
           m_holds.prepare(db, "SELECT 1 FROM sense WHERE word = ?1 AND pos = ?2"
                               " AND translation = ?3 LIMIT 1") &&
           m_insert.prepare(db, "INSERT INTO sense(word, pos, translation) VALUES(?1, ?2, ?3)") &&
           m_delete.prepare(db, "DELETE FROM sense WHERE word = ?1") &&
           m_lastId.prepare(db, "SELECT max(id) FROM sense") &&
           m_scan.prepare(db, "SELECT word, id, pos, translation FROM sense ORDER BY id") &&
           m_all.prepare(db, "SELECT word, id, pos, translation FROM sense ORDER BY word, id");
}

bool CeStore::find(std::string_view word, std::vector<CeSense>& out)
{
    out.clear();
    StatementScope scope(m_find);
    m_find.bind(1, word);
    int rc;
    while ((rc = m_find.step()) == SQLITE_ROW)
        out.push_back({std::string(m_find.bytes(0)), std::string(m_find.bytes(1))});
    return rc == SQLITE_DONE;
}

bool CeStore::holds(std::string_view word, const CeSense& sense, bool& ok)
{
    StatementScope scope(m_holds);
    m_holds.bind(1, word);
    m_holds.bind(2, sense.pos);
    m_holds.bind(3, sense.translation);
    const int rc = m_holds.step();
    ok = rc == SQLITE_ROW || rc == SQLITE_DONE;
    return rc == SQLITE_ROW;
}

bool CeStore::add(std::string_view word, const CeSense& sense)
{
    m_insert.bind(1, word);
    m_insert.bind(2, sense.pos);
    m_insert.bind(3, sense.translation);
    return m_insert.run();
}

int CeStore::removeWord(std::string_view word, bool& ok)
{
    m_delete.bind(1, word);
    ok = m_delete.run();
    return ok ? sqlite3_changes(m_db->handle()) : 0;
}

bool CeStore::readAll(ExportRows& rows)
{
    return ReadForExport(m_lastId, m_scan, m_all, &storedAsExpected, rows);
}

} // namespace kelvara::ref

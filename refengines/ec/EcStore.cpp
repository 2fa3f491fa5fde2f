#include "ec/EcStore.h"

#include <sqlite3.h>

namespace kelvara::ref {

namespace {

// "KvEc" in the header's application id: tells our E-C dictionaries from any SQLite file.
constexpr std::uint32_t kEcApplicationId = 0x4B764563;
constexpr std::uint32_t kEcSchemaVersion = 1;

constexpr const char* kEcSchema = "CREATE TABLE entry("
                                  "  id INTEGER PRIMARY KEY,"
                                  "  source BLOB NOT NULL,"
                                  "  fold BLOB NOT NULL,"
                                  "  pos INTEGER NOT NULL,"
                                  "  target BLOB NOT NULL);"
                                  "CREATE UNIQUE INDEX entry_identity ON entry(fold, pos);";

// Takes the write lock of a transaction that has already read, without changing a row.
constexpr const char* kEcLock = "DELETE FROM entry WHERE 0";

// The engine stores folds as blobs and codes as integers; a row of other types is not in the
// order the export sorts by.
bool storedAsExpected(const Statement& row)
{
    return row.type(0) == SQLITE_BLOB && row.type(1) == SQLITE_INTEGER;
}

} // namespace

const DictionaryFormat& EcStore::format()
{
    static const DictionaryFormat kFormat{kEcApplicationId, kEcSchemaVersion, kEcSchema, kEcLock};
    return kFormat;
}

std::unique_ptr<EcStore> EcStore::openOrCreate(const std::string& path)
{
    if (CreateDictionaryFile(path, format()) == CreateResult::Failed)
        return nullptr;
    return openExisting(path);
}

std::unique_ptr<EcStore> EcStore::openExisting(const std::string& path)
{
    auto db = Database::open(path, format());
    if (!db)
        return nullptr;
    std::unique_ptr<EcStore> store(new EcStore(std::move(db)));
    if (!store->prepareAll())
        return nullptr;
    return store;
}

bool EcStore::prepareAll()
{
    sqlite3* db = m_db->handle();
    return m_find.prepare(db,
                          "SELECT source, pos, target FROM entry WHERE fold = ?1 ORDER BY pos") &&
           m_insert.prepare(db,
                            "INSERT INTO entry(source, fold, pos, target) VALUES(?1, ?2, ?3, ?4)"
                            " ON CONFLICT(fold, pos) DO NOTHING") &&
           m_update.prepare(db, "UPDATE entry SET source = ?1, target = ?4"
                                " WHERE fold = ?2 AND pos = ?3") &&
           m_delete.prepare(db, "DELETE FROM entry WHERE fold = ?1 AND pos = ?2") &&
           m_lastId.prepare(db, "SELECT max(id) FROM entry") &&
           m_scan.prepare(db, "SELECT fold, pos, source, target FROM entry ORDER BY id") &&
           m_all.prepare(db, "SELECT fold, pos, source, target FROM entry ORDER BY fold, pos");
}

int EcStore::changes() const
{
    return sqlite3_changes(m_db->handle());
}

bool EcStore::find(std::string_view fold, std::vector<EcEntry>& out)
{
    out.clear();
    StatementScope scope(m_find);
    m_find.bind(1, fold);
    int rc;
    while ((rc = m_find.step()) == SQLITE_ROW)
        out.push_back({std::string(m_find.bytes(0)), static_cast<int>(m_find.integer(1)),
                       std::string(m_find.bytes(2))});
    return rc == SQLITE_DONE;
}

bool EcStore::add(const EcEntry& entry, std::string_view fold)
{
    m_insert.bind(1, entry.source);
    m_insert.bind(2, fold);
    m_insert.bind(3, std::int64_t{entry.pos});
    m_insert.bind(4, entry.target);
    return m_insert.run() && changes() == 1;
}

bool EcStore::modify(const EcEntry& entry, std::string_view fold)
{
    m_update.bind(1, entry.source);
    m_update.bind(2, fold);
    m_update.bind(3, std::int64_t{entry.pos});
    m_update.bind(4, entry.target);
    return m_update.run() && changes() == 1;
}

bool EcStore::remove(std::string_view fold, int pos)
{
    m_delete.bind(1, fold);
    m_delete.bind(2, std::int64_t{pos});
    return m_delete.run() && changes() == 1;
}

bool EcStore::readAll(ExportRows& rows)
{
    return ReadForExport(m_lastId, m_scan, m_all, &storedAsExpected, rows);
}

} // namespace kelvara::ref

#pragma once

#include "common/Database.h"
#include "common/ExportRows.h"
#include "common/Statement.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara::ref {

/// One E-C entry as stored: its identity is the source folded in ASCII letter case plus the
/// part-of-speech code.
struct EcEntry
{
    std::string source;
    int pos = 0;
    std::string target;
};

/// The storage of one E-C dictionary file (`<base>.key`): its schema, its prepared
/// statements and the queries on them. Callers bracket writes in the connection's
/// transaction.
class EcStore
{
public:
    static const DictionaryFormat& format();

    /// Opens the dictionary at path, creating an empty one when no file is there; null when
    /// the file is not an E-C dictionary or cannot be opened.
    static std::unique_ptr<EcStore> openOrCreate(const std::string& path);
    /// Opens an existing dictionary; null when there is none.
    static std::unique_ptr<EcStore> openExisting(const std::string& path);

    Database& database() { return *m_db; }

    /// Every entry whose folded source is `fold`, in part-of-speech order.
    bool find(std::string_view fold, std::vector<EcEntry>& out);
    /// Adds an entry; false when one with the same identity exists or the write failed.
    bool add(const EcEntry& entry, std::string_view fold);
    /// Replaces the source spelling and target of the entry with that identity.
    bool modify(const EcEntry& entry, std::string_view fold);
    bool remove(std::string_view fold, int pos);
    /// Every entry, ordered by folded source and part of speech, as rows of key fold, number
    /// code, first source and second target; false on a read error.
    bool readAll(ExportRows& rows);

private:
    explicit EcStore(std::unique_ptr<Database> db) : m_db(std::move(db)) {}
    bool prepareAll();
    int changes() const;

    // Declared first so that it is destroyed last, after the statements on it.
    std::unique_ptr<Database> m_db;
    Statement m_find;
    Statement m_insert;
    Statement m_update;
    Statement m_delete;
    Statement m_lastId;
    Statement m_scan; // the table in its own order
    Statement m_all;  // through the index, in export order
};

} // namespace kelvara::ref

#pragma once

#include "common/Database.h"
#include "common/ExportRows.h"
#include "common/Statement.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara::ref {

/// One sense of a C-E word: the engine part-of-speech word and the translation.
struct CeSense
{
    std::string pos;
    std::string translation;
};

/// The storage of one C-E dictionary file: its schema, prepared statements and queries.
/// Senses keep the order in which they were added.
class CeStore
{
public:
    static const DictionaryFormat& format();

    static std::unique_ptr<CeStore> openOrCreate(const std::string& path);

    Database& database() { return *m_db; }

    /// The word's senses in stored order; false on a read error.
    bool find(std::string_view word, std::vector<CeSense>& out);
    /// True when the word already holds exactly this sense.
    bool holds(std::string_view word, const CeSense& sense, bool& ok);
    bool add(std::string_view word, const CeSense& sense);
    /// Removes every sense of the word; answers how many went.
    int removeWord(std::string_view word, bool& ok);
    /// Every sense, grouped by word in byte order, each word's senses in stored order, as rows
    /// of key word, number id, first part of speech and second translation; false on a read
    /// error.
    bool readAll(ExportRows& rows);

private:
    explicit CeStore(std::unique_ptr<Database> db) : m_db(std::move(db)) {}
    bool prepareAll();

    std::unique_ptr<Database> m_db; // destroyed after the statements on it
    Statement m_find;
    Statement m_holds;
    Statement m_insert;
    Statement m_delete;
    Statement m_lastId;
    Statement m_scan; // the table in its own order
    Statement m_all;  // through the index, in export order
};

} // namespace kelvara::ref

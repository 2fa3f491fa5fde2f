#pragma once

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

/// One E-C sense as SearchWord and GetNextWord deliver it.
struct EcSense
{
    std::string source;
    int pos = 0;
    std::string target;
    bool operator==(const EcSense&) const = default;
};

/// Loads the built Ecbank.dll and Hanbank.dll for each test and unloads them afterwards, so
/// every test starts on a fresh engine; each test works in a temporary folder holding an
/// engine folder ArticleS/ (GBK) and ArticleT/ (Big5).
class EngineTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Unloads and loads both engines again: their connections close (which folds the logs
    /// into the files) and diccreate's redirections are forgotten.
    void reloadEngines();

    const EcEntryPoints& ec() const { return m_ec.entryPoints(); }
    const CeEntryPoints& ce() const { return m_ce.entryPoints(); }

    std::string simplifiedFolder() const { return m_root + "/ArticleS/"; }
    std::string traditionalFolder() const { return m_root + "/ArticleT/"; }
    std::string root() const { return m_root; }

    /// E-C: open_cstm_RW, ModifyWord, close_cstm_RW as one save.
    int ecWrite(const std::string& base, char op, const std::string& source, int pos,
                const std::string& target);
    /// E-C: a whole Find: open, SearchWord, GetNextWord until 0, close.
    std::vector<EcSense> ecFind(const std::string& base, const std::string& word);

    /// C-E: dicopen, a bracketed dicadd, dicclose, as the import does per record.
    void ceAdd(const std::string& folder, const std::string& word, const std::string& pos,
               const std::string& translation);
    /// C-E: dicopen, a bracketed dicretrieve, dicclose; the copied sense list, and the result.
    std::string ceRetrieve(const std::string& folder, const std::string& word,
                           int* result = nullptr);

private:
    std::string m_root;
    EcBinding m_ec;
    CeBinding m_ce;
};

/// Text in the code page of a folder: GBK (936) or Big5 (950).
std::string Gbk(const std::u16string& text);
std::string Big5(const std::u16string& text);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

/// Runs a statement on the file through a connection of its own; the first column of the
/// first row as text ("" when none).
std::string QueryFile(const std::string& path, const std::string& sql);

/// Runs statements on the file through a connection of its own, as another program editing
/// the dictionary would; true when all of them ran.
bool ExecFile(const std::string& path, const std::string& sql);
/// The bytes as upper-case hexadecimal digits, as SQLite's hex() writes them.
std::string Hex(std::string_view bytes);

} // namespace kelvara

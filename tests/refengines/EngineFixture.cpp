#include "EngineFixture.h"

#include "platform/CodePage.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kelvara {

void EngineTest::SetUp()
{
    char pattern[] = "/tmp/kelvara-engines-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    m_root = pattern;
    std::filesystem::create_directories(m_root + "/ArticleS");
    std::filesystem::create_directories(m_root + "/ArticleT");
    reloadEngines();
}

void EngineTest::TearDown()
{
    m_ec.unload();
    m_ce.unload();
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

void EngineTest::reloadEngines()
{
    m_ec.unload();
    m_ce.unload();
    ASSERT_TRUE(m_ec.load(Buffer256(KELVARA_EC_ENGINE))) << KELVARA_EC_ENGINE;
    ASSERT_TRUE(m_ce.load(Buffer256(KELVARA_CE_ENGINE))) << KELVARA_CE_ENGINE;
}

int EngineTest::ecWrite(const std::string& base, char op, const std::string& source, int pos,
                        const std::string& target)
{
    if (ec().openCstmRw(base.c_str()) != 1) {
        ec().closeCstmRw();
        return -1;
    }
    const int result = ec().modifyWord(op, source.c_str(), pos, target.c_str());
    ec().closeCstmRw();
    return result;
}

std::vector<EcSense> EngineTest::ecFind(const std::string& base, const std::string& word)
{
    std::vector<EcSense> senses;
    if (ec().openCstmRw(base.c_str()) == 1) {
        char w[256] = {};
        char t[256] = {};
        unsigned char pos = 0;
        word.copy(w, 255);
        if (ec().searchWord(w, &pos, t) == 1) {
            do
                senses.push_back({w, pos, t});
            while (ec().getNextWord(w, &pos, t) != 0);
        }
    }
    ec().closeCstmRw();
    return senses;
}

void EngineTest::ceAdd(const std::string& folder, const std::string& word, const std::string& pos,
                       const std::string& translation)
{
    ASSERT_NE(ce().dicOpen(folder.c_str()), 0);
    std::int32_t mark = 0;
    ce().markGStack(&mark);
    ce().dicAdd(word.c_str(), pos.c_str(), translation.c_str());
    ce().releaseGStack(mark);
    ce().dicClose();
}

std::string EngineTest::ceRetrieve(const std::string& folder, const std::string& word, int* result)
{
    std::string copy;
    if (ce().dicOpen(folder.c_str()) == 0)
        return "<not open>";
    std::int32_t mark = 0;
    const char* senses = nullptr;
    ce().markGStack(&mark);
    const int r = ce().dicRetrieve(word.c_str(), &senses);
    ce().releaseGStack(mark);
    copy = senses ? senses : "<null>";
    ce().dicClose();
    if (result)
        *result = r;
    return copy;
}

std::string Gbk(const std::u16string& text)
{
    return EncodeCodePage(text, kCodePageGbk);
}

std::string Big5(const std::u16string& text)
{
    return EncodeCodePage(text, kCodePageBig5);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool Exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

std::string QueryFile(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    std::string answer;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            answer = text ? text : "";
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return answer;
}

bool ExecFile(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close_v2(db);
    return ok;
}

std::string Hex(std::string_view bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        out.push_back(kDigits[static_cast<unsigned char>(c) >> 4]);
        out.push_back(kDigits[static_cast<unsigned char>(c) & 0xF]);
    }
    return out;
}

} // namespace kelvara

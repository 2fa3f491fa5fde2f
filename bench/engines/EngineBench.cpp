// Speed of the reference engines as the utility drives them: open-add-close cycles, a Find
// (SearchWord / dicretrieve) and import throughput, on generated dictionaries of 10^3 to
// 10^6 entries. Each Find is timed beside its floor, the same indexed point lookup through a
// connection of SQLite's own on the same file, measured alternately in the same run; the goal
// is a Find within 1.3 times its floor. Prints figures; asserts nothing.
//
//   engine_bench [largest size, default 1000000]

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace kelvara {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Latency
{
    double meanUs = 0;
    double p50Us = 0;
    double p99Us = 0;
};

Latency summarize(std::vector<double>& samplesUs)
{
    std::sort(samplesUs.begin(), samplesUs.end());
    Latency l;
    for (double s : samplesUs)
        l.meanUs += s;
    l.meanUs /= static_cast<double>(samplesUs.size());
    l.p50Us = samplesUs[samplesUs.size() / 2];
    l.p99Us = samplesUs[samplesUs.size() * 99 / 100];
    return l;
}

/// A Find and its floor, sampled alternately so that the machine's load weighs on both.
struct FindFigures
{
    Latency find;
    Latency floor;
};

/// The floor: a kept connection and a prepared statement stepped to its end, each lookup in a
/// read transaction of its own, as a program that only reads would do it.
class PointLookup
{
public:
    PointLookup(const std::string& path, const char* sql)
    {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(m_db, sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "cannot prepare the floor on %s\n", path.c_str());
            std::exit(1);
        }
    }
    ~PointLookup()
    {
        sqlite3_finalize(m_stmt);
        sqlite3_close_v2(m_db);
    }

    /// Looks the key up; the bytes read.
    int rows(const std::string& key)
    {
        sqlite3_bind_blob(m_stmt, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        int n = 0;
        while (sqlite3_step(m_stmt) == SQLITE_ROW) {
            // The columns are copied out, as any reader of them would.
            for (int c = 0; c < sqlite3_column_count(m_stmt); ++c) {
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_stmt, c));
                m_copy.assign(bytes ? bytes : "", sqlite3_column_bytes(m_stmt, c));
                n += static_cast<int>(m_copy.size());
            }
        }
        sqlite3_reset(m_stmt);
        return n;
    }

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    std::string m_copy;
};

std::string ecWord(long i)
{
    return "word" + std::to_string(i);
}

// C-E words: two GBK characters from a counter, so keys look like real Chinese text.
std::string ceWord(long i)
{
    std::string w;
    do {
        w.push_back(static_cast<char>(0xB0 + (i % 40)));
        w.push_back(static_cast<char>(0xA1 + (i / 40) % 90));
        i /= 3600;
    } while (i > 0);
    return w;
}

class Bench
{
public:
    Bench(std::string folder) : m_folder(std::move(folder)), m_base(m_folder + "UserS")
    {
        if (!m_ec.load(Buffer256(KELVARA_EC_ENGINE)) || !m_ce.load(Buffer256(KELVARA_CE_ENGINE))) {
            std::fprintf(stderr, "cannot load the engines\n");
            std::exit(1);
        }
    }

    // E-C import: one open around the whole file, one ModifyWord "A" per entry.
    double ecImport(long from, long to)
    {
        const auto start = Clock::now();
        m_ec.openCstmRw(m_base);
        const Buffer256 target("a translation of moderate length");
        for (long i = from; i < to; ++i)
            m_ec.modifyWord('A', Buffer256(ecWord(i)), static_cast<unsigned char>(i % 5), target);
        m_ec.closeCstmRw();
        return static_cast<double>(to - from) / secondsSince(start);
    }

    // C-E import: dicopen, a bracketed dicadd and dicclose per record.
    double ceImport(long from, long to)
    {
        const auto start = Clock::now();
        const Buffer16 pos("noun");
        const Buffer128 translation("a translation of moderate length");
        for (long i = from; i < to; ++i) {
            m_ce.dicOpen(m_dir);
            std::int32_t mark = 0;
            m_ce.markGStack(mark);
            m_ce.dicAdd(Buffer128(ceWord(i)), pos, translation);
            m_ce.releaseGStack(mark);
            m_ce.dicClose();
        }
        return static_cast<double>(to - from) / secondsSince(start);
    }

    // A save of one row: open, add one entry, close.
    double ecCycles(long from, int count)
    {
        const auto start = Clock::now();
        for (int i = 0; i < count; ++i) {
            m_ec.openCstmRw(m_base);
            m_ec.modifyWord('A', Buffer256("cycle" + std::to_string(from + i)), 0, Buffer256("t"));
            m_ec.closeCstmRw();
        }
        return count / secondsSince(start);
    }

    double ceCycles(long from, int count) { return ceImport(from, from + count); }

    // The bare open/close pair, E-C and C-E: what every Find, save and C-E import record pays
    // on top of its own work.
    std::pair<Latency, Latency> openClosePairs(int count)
    {
        std::vector<double> ecUs;
        std::vector<double> ceUs;
        for (int i = 0; i < count; ++i) {
            auto start = Clock::now();
            m_ec.openCstmRw(m_base);
            m_ec.closeCstmRw();
            ecUs.push_back(secondsSince(start) * 1e6);
            start = Clock::now();
            m_ce.dicOpen(m_dir);
            m_ce.dicClose();
            ceUs.push_back(secondsSince(start) * 1e6);
        }
        return {summarize(ecUs), summarize(ceUs)};
    }

    // A whole Find: open, SearchWord, GetNextWord until 0, close.
    FindFigures ecFind(long size, int count)
    {
        PointLookup floor(m_folder + "UserS.key",
                          "SELECT source, pos, target FROM entry WHERE fold = ?1 ORDER BY pos");
        std::mt19937 rng(7);
        std::vector<double> us;
        std::vector<double> floorUs;
        Buffer256 word;
        Buffer256 translation;
        unsigned char pos = 0;
        for (int i = 0; i < count; ++i) {
            const std::string key = ecWord(static_cast<long>(rng() % static_cast<unsigned>(size)));
            auto start = Clock::now();
            m_ec.openCstmRw(m_base);
            (void)word.assign(key);
            if (m_ec.searchWord(word, pos, translation) == 1) {
                while (m_ec.getNextWord(word, pos, translation) != 0) {
                }
            }
            m_ec.closeCstmRw();
            us.push_back(secondsSince(start) * 1e6);
            start = Clock::now();
            floor.rows(key);
            floorUs.push_back(secondsSince(start) * 1e6);
        }
        return {summarize(us), summarize(floorUs)};
    }

    // A whole C-E Find: dicopen, a bracketed dicretrieve, dicclose.
    FindFigures ceFind(long size, int count)
    {
        PointLookup floor(m_folder + "UserCe.ext",
                          "SELECT pos, translation FROM sense WHERE word = ?1 ORDER BY id");
        std::mt19937 rng(7);
        std::vector<double> us;
        std::vector<double> floorUs;
        for (int i = 0; i < count; ++i) {
            const std::string key = ceWord(static_cast<long>(rng() % static_cast<unsigned>(size)));
            const Buffer128 word(key);
            auto start = Clock::now();
            m_ce.dicOpen(m_dir);
            std::int32_t mark = 0;
            const char* senses = nullptr;
            m_ce.markGStack(mark);
            m_ce.dicRetrieve(word, senses);
            m_ce.releaseGStack(mark);
            m_ce.dicClose();
            us.push_back(secondsSince(start) * 1e6);
            start = Clock::now();
            floor.rows(key);
            floorUs.push_back(secondsSince(start) * 1e6);
        }
        return {summarize(us), summarize(floorUs)};
    }

private:
    std::string m_folder;
    Buffer256 m_dir{m_folder};
    Buffer256 m_base;
    EcBinding m_ec;
    CeBinding m_ce;
};

int run(int argc, char** argv)
{
    const long largest = argc > 1 ? std::atol(argv[1]) : 1000000;
    char pattern[] = "/tmp/kelvara-engine-bench-XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::string root = pattern;
    std::filesystem::create_directories(root + "/ArticleS");

    std::printf("Reference engines, dictionaries in %s (synchronous=NORMAL, WAL)\n\n",
                root.c_str());
    std::printf("%-9s | %-13s %-13s | %-11s %-11s\n", "entries", "E-C import", "C-E import",
                "E-C cycles", "C-E cycles");
    std::printf("%-9s | %-13s %-13s | %-11s %-11s\n", "", "entries/s", "records/s", "per second",
                "per second");
    std::vector<std::pair<long, std::pair<FindFigures, FindFigures>>> finds;
    std::vector<std::pair<long, std::pair<Latency, Latency>>> pairs;
    {
        Bench bench(root + "/ArticleS/");
        long size = 0;
        long cycleKey = 0;
        for (long target = 1000; target <= largest; target *= 10) {
            const double ecRate = bench.ecImport(size, target);
            const double ceRate = bench.ceImport(size, target);
            size = target;
            const double ecCycle = bench.ecCycles(cycleKey, 2000);
            const double ceCycle = bench.ceCycles(10000000 + cycleKey, 2000);
            cycleKey += 2000;
            finds.push_back({size, {bench.ecFind(size, 5000), bench.ceFind(size, 5000)}});
            pairs.push_back({size, bench.openClosePairs(20000)});
            std::printf("%-9ld | %-13.0f %-13.0f | %-11.0f %-11.0f\n", size, ecRate, ceRate,
                        ecCycle, ceCycle);
            std::fflush(stdout);
        }
        std::printf("\nImport rates are for the entries added to reach each size; the C-E import "
                    "opens and closes once per record, as the utility does.\n\n");
    }
    std::printf("Find against its floor (an indexed SQLite point lookup on the same file), "
                "microseconds mean / p50 / p99; goal: Find within 1.3 x the floor\n\n");
    std::printf("%-9s | %-21s %-21s %-11s | %-21s %-21s %-11s\n", "entries", "E-C Find", "floor",
                "x mean/p50", "C-E Find", "floor", "x mean/p50");
    for (const auto& [size, figures] : finds) {
        const auto& [ec, ce] = figures;
        std::printf("%-9ld | %6.1f %6.1f %6.1f   %6.1f %6.1f %6.1f   %4.2f %4.2f   | "
                    "%6.1f %6.1f %6.1f   %6.1f %6.1f %6.1f   %4.2f %4.2f\n",
                    size, ec.find.meanUs, ec.find.p50Us, ec.find.p99Us, ec.floor.meanUs,
                    ec.floor.p50Us, ec.floor.p99Us, ec.find.meanUs / ec.floor.meanUs,
                    ec.find.p50Us / ec.floor.p50Us, ce.find.meanUs, ce.find.p50Us, ce.find.p99Us,
                    ce.floor.meanUs, ce.floor.p50Us, ce.floor.p99Us,
                    ce.find.meanUs / ce.floor.meanUs, ce.find.p50Us / ce.floor.p50Us);
    }
    std::printf("\nOpen/close pair alone, microseconds mean / p50 / p99 (floor: the Find's own "
                "lookup above)\n\n%-9s | %-21s | %-21s\n",
                "entries", "E-C open+close", "C-E open+close");
    for (const auto& [size, latency] : pairs) {
        const auto& [ec, ce] = latency;
        std::printf("%-9ld | %6.2f %6.2f %6.2f   | %6.2f %6.2f %6.2f\n", size, ec.meanUs, ec.p50Us,
                    ec.p99Us, ce.meanUs, ce.p50Us, ce.p99Us);
    }
    std::printf("E-C file %.1f MB, C-E file %.1f MB\n",
                std::filesystem::file_size(root + "/ArticleS/UserS.key") / 1e6,
                std::filesystem::file_size(root + "/ArticleS/UserCe.ext") / 1e6);
    std::filesystem::remove_all(root);
    return 0;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}

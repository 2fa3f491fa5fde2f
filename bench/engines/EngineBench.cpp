// Speed of the reference engines as the utility drives them: open-add-close cycles, a Find
// (SearchWord / dicretrieve) and import throughput, on generated dictionaries of 10^3 to
// 10^6 entries. Prints figures; asserts nothing.
//
//   engine_bench [largest size, default 1000000]

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace kelvara;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Latency {
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

class Bench {
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

    double ceCycles(long from, int count)
    {
        return ceImport(from, from + count);
    }

    // A whole Find: open, SearchWord, GetNextWord until 0, close.
    Latency ecFind(long size, int count)
    {
        std::mt19937 rng(7);
        std::vector<double> us;
        Buffer256 word;
        Buffer256 translation;
        unsigned char pos = 0;
        for (int i = 0; i < count; ++i) {
            const long k = static_cast<long>(rng() % static_cast<unsigned>(size));
            const auto start = Clock::now();
            m_ec.openCstmRw(m_base);
            (void)word.assign(ecWord(k));
            if (m_ec.searchWord(word, pos, translation) == 1) {
                while (m_ec.getNextWord(word, pos, translation) != 0) {
                }
            }
            m_ec.closeCstmRw();
            us.push_back(secondsSince(start) * 1e6);
        }
        return summarize(us);
    }

    // A whole C-E Find: dicopen, a bracketed dicretrieve, dicclose.
    Latency ceFind(long size, int count)
    {
        std::mt19937 rng(7);
        std::vector<double> us;
        for (int i = 0; i < count; ++i) {
            const Buffer128 word(ceWord(static_cast<long>(rng() % static_cast<unsigned>(size))));
            const auto start = Clock::now();
            m_ce.dicOpen(m_dir);
            std::int32_t mark = 0;
            const char* senses = nullptr;
            m_ce.markGStack(mark);
            m_ce.dicRetrieve(word, senses);
            m_ce.releaseGStack(mark);
            m_ce.dicClose();
            us.push_back(secondsSince(start) * 1e6);
        }
        return summarize(us);
    }

private:
    std::string m_folder;
    Buffer256 m_dir{m_folder};
    Buffer256 m_base;
    EcBinding m_ec;
    CeBinding m_ce;
};

} // namespace

int main(int argc, char** argv)
{
    const long largest = argc > 1 ? std::atol(argv[1]) : 1000000;
    char pattern[] = "/tmp/kelvara-engine-bench-XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::string root = pattern;
    std::filesystem::create_directories(root + "/ArticleS");

    std::printf("Reference engines, dictionaries in %s (synchronous=NORMAL, WAL)\n\n", root.c_str());
    std::printf("%-9s | %-13s %-13s | %-11s %-11s | %-26s | %-26s\n", "entries", "E-C import",
                "C-E import", "E-C cycles", "C-E cycles", "E-C Find mean/p50/p99 us",
                "C-E Find mean/p50/p99 us");
    std::printf("%-9s | %-13s %-13s | %-11s %-11s | %-26s | %-26s\n", "", "entries/s",
                "records/s", "per second", "per second", "", "");
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
            const Latency ecLat = bench.ecFind(size, 5000);
            const Latency ceLat = bench.ceFind(size, 5000);
            std::printf("%-9ld | %-13.0f %-13.0f | %-11.0f %-11.0f | %6.1f %6.1f %6.1f        | "
                        "%6.1f %6.1f %6.1f\n",
                        size, ecRate, ceRate, ecCycle, ceCycle, ecLat.meanUs, ecLat.p50Us,
                        ecLat.p99Us, ceLat.meanUs, ceLat.p50Us, ceLat.p99Us);
            std::fflush(stdout);
        }
        std::printf("\nImport rates are for the entries added to reach each size; the C-E import "
                    "opens and closes once per record, as the utility does.\n");
    }
    std::printf("E-C file %.1f MB, C-E file %.1f MB\n",
                std::filesystem::file_size(root + "/ArticleS/UserS.key") / 1e6,
                std::filesystem::file_size(root + "/ArticleS/UserCe.ext") / 1e6);
    std::filesystem::remove_all(root);
    return 0;
}

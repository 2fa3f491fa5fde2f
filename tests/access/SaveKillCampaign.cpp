// The save kill campaign: a program saving edits of both kinds (the access layer over the
// reference engines, in a worker process) is killed with SIGKILL at random moments of its
// saves. After every kill the dictionary passes SQLite's integrity check and every word holds
// exactly what it held before its save or what the save wrote, never anything between.
//
// What a save writes is learnt from a run of the same edits that is not killed.

#include "ChildProcess.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kelvara {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

/// Each word's stored rows, in the order the dictionary keeps them, as one text per row.
using Words = std::map<std::string, std::vector<std::string>>;

constexpr int kSeedsPerKind = 5;
constexpr int kKillsPerSeed = 10;

/// The worker as a child process whose stdout is a pipe.
class Child : public ChildProcess
{
public:
    explicit Child(const std::vector<std::string>& args)
        : ChildProcess(KELVARA_SAVE_KILL_WORKER, args)
    {}
    /// The exit code, or the signal that ended the child (as 1000 + code for an exit).
    int outcome()
    {
        const int status = wait();
        return WIFSIGNALED(status) ? WTERMSIG(status) : 1000 + WEXITSTATUS(status);
    }
};

std::string hex(const void* data, int size)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < size; ++i) {
        const auto b = static_cast<const unsigned char*>(data)[i];
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

/// Opens the dictionary as the next program would (SQLite recovers its log), checks its
/// integrity and reads every word.
bool readDictionary(const fs::path& file, bool ce, Words& words, std::string& integrity)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_stmt* st = nullptr;
    integrity.clear();
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            integrity += reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    const char* query = ce ? "SELECT word, pos, translation FROM sense ORDER BY id"
                           : "SELECT fold, pos, source, target FROM entry ORDER BY fold, pos";
    bool ok = sqlite3_prepare_v2(db, query, -1, &st, nullptr) == SQLITE_OK;
    int rc = SQLITE_DONE;
    while (ok && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::string row;
        for (int c = 1; c < sqlite3_column_count(st); ++c)
            row += hex(sqlite3_column_blob(st, c), sqlite3_column_bytes(st, c)) + "|";
        const auto* key = sqlite3_column_blob(st, 0);
        words[std::string(static_cast<const char*>(key),
                          static_cast<std::size_t>(sqlite3_column_bytes(st, 0)))]
            .push_back(row);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok && rc == SQLITE_DONE;
}

std::string dump(const std::vector<std::string>& rows)
{
    std::string out = "[";
    for (const std::string& r : rows)
        out += r + " ";
    return out + "]";
}

class SaveKillCampaign : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("save-kill-campaign-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "ArticleS");
        fs::create_directories(root / "Config");
        fs::copy_file(KELVARA_EC_LIBRARY, root / "ArticleS" / "Ecbank.dll");
        fs::copy_file(KELVARA_CE_LIBRARY, root / "ArticleS" / "Hanbank.dll");
        std::ofstream(root / "Config" / "Kelvara.ini")
            << "[Preferences]\r\nChineseType=0\r\n[UserInterface]\r\nLanguageFileName=lang_sc."
               "ini\r\n";
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path dictionary(bool ce) const
    {
        return root / "ArticleS" / (ce ? "UserCe.ext" : "UserS.key");
    }

    /// Puts the dictionary back as the seed left it, without any log beside it.
    void restore(bool ce, const fs::path& pristine)
    {
        const fs::path file = dictionary(ce);
        for (const char* side : {"-wal", "-shm", "-journal"})
            fs::remove(file.string() + side);
        fs::copy_file(pristine, file, fs::copy_options::overwrite_existing);
    }

    void campaign(bool ce)
    {
        const char* kind = ce ? "ce" : "ec";
        {
            Child seed({"seed", root.string(), kind});
            ASSERT_EQ(seed.outcome(), 1000) << "the worker could not fill the dictionary";
        }
        const fs::path pristine = root / (std::string("pristine-") + kind);
        fs::copy_file(dictionary(ce), pristine);
        Words before;
        std::string integrity;
        ASSERT_TRUE(readDictionary(pristine, ce, before, integrity));
        ASSERT_EQ(integrity, "ok");

        std::mt19937 rng(ce ? 11u : 12u);
        for (int seed = 1; seed <= kSeedsPerKind && !HasFailure(); ++seed) {
            const std::string seedText = std::to_string(seed);
            // The run that is not killed: what every save writes, and how long the saves take.
            restore(ce, pristine);
            Words after;
            Clock::duration length{};
            {
                Child run({"save", root.string(), kind, seedText});
                ASSERT_EQ(run.readLine(), "go");
                const auto start = Clock::now();
                ASSERT_EQ(run.readLine(), "done");
                ASSERT_EQ(run.outcome(), 1000);
                length = Clock::now() - start;
            }
            ASSERT_TRUE(readDictionary(dictionary(ce), ce, after, integrity));
            ASSERT_EQ(integrity, "ok");
            ASSERT_NE(after, before) << "the saves wrote nothing";
            const auto lengthUs = std::chrono::duration_cast<std::chrono::microseconds>(length);
            longestRunUs = std::max(longestRunUs, lengthUs.count());

            // Runs that end before their kill comes do not count: each seed gets its kills.
            for (int k = 0, attempts = 0;
                 k < kKillsPerSeed && attempts < 5 * kKillsPerSeed && !HasFailure(); ++attempts) {
                restore(ce, pristine);
                bool killed = false;
                {
                    Child run({"save", root.string(), kind, seedText});
                    ASSERT_EQ(run.readLine(), "go");
                    const auto delay = std::chrono::microseconds(
                        std::uniform_int_distribution<long>(0, lengthUs.count() * 9 / 10)(rng));
                    std::this_thread::sleep_for(delay);
                    killed = run.kill();
                }
                Words now;
                ASSERT_TRUE(readDictionary(dictionary(ce), ce, now, integrity))
                    << kind << " seed " << seed << " kill " << k;
                EXPECT_EQ(integrity, "ok") << kind << " seed " << seed << " kill " << k;
                kills += killed ? 1 : 0;
                ended += killed ? 0 : 1;
                k += killed ? 1 : 0;
                check(before, after, now, kind, seed, k);
            }
        }
    }

    /// Every word holds its rows from before or those of the run that was not killed.
    void check(const Words& before, const Words& after, const Words& now, const char* kind,
               int seed, int kill)
    {
        std::map<std::string, int> all;
        for (const Words* w : {&before, &after, &now})
            for (const auto& [word, rows] : *w)
                all[word] = 0;
        int done = 0, pending = 0;
        for (const auto& [word, unused] : all) {
            (void)unused;
            const auto rowsIn = [&](const Words& w) {
                const auto at = w.find(word);
                return at == w.end() ? std::vector<std::string>{} : at->second;
            };
            const std::vector<std::string> was = rowsIn(before), asked = rowsIn(after),
                                           is = rowsIn(now);
            ++wordsChecked;
            if (is == asked && was != asked)
                ++done;
            else if (is == was && was != asked)
                ++pending;
            EXPECT_TRUE(is == was || is == asked)
                << kind << " seed " << seed << " kill " << kill << ": word " << word
                << " holds neither its rows before nor after its save" << dump(was) << " / "
                << dump(asked) << " / " << dump(is);
        }
        // A kill that left some saves done and some not landed in the middle of the saves.
        if (done > 0 && pending > 0)
            ++killsAmidSaves;
    }

    fs::path root;
    int kills = 0;
    int ended = 0; ///< runs that had ended before their kill came
    int killsAmidSaves = 0;
    long wordsChecked = 0;
    long longestRunUs = 0;
};

TEST_F(SaveKillCampaign, EveryWordHoldsItsRowsBeforeOrAfterItsSave)
{
    const auto start = Clock::now();
    campaign(true);
    const int ceKills = kills;
    campaign(false);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("save kill campaign: %d kills (%d C-E, %d E-C), %d amid the saves, %d runs ended "
                "before their kill; %ld words checked; longest uncut run %.0f ms; %.1f s\n",
                kills, ceKills, kills - ceKills, killsAmidSaves, ended, wordsChecked,
                static_cast<double>(longestRunUs) / 1000.0, seconds);
    RecordProperty("kills", kills);
    RecordProperty("words_checked", static_cast<int>(wordsChecked));
    // The kills must come while saves are under way, not all before or after them.
    EXPECT_EQ(kills, 2 * kSeedsPerKind * kKillsPerSeed);
    EXPECT_GE(killsAmidSaves, kills / 2);
}

} // namespace
} // namespace kelvara

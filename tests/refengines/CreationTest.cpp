// New dictionaries made by several processes at once: two creators of the same file, a
// creator killed at any moment. Nothing committed is lost, no file is left half made.

#include "EngineFixture.h"
#include "Worker.h"

#include <sqlite3.h>

#include <filesystem>
#include <random>
#include <set>
#include <thread>

namespace kelvara {
namespace {

/// Every value of the first column of a query, read as text.
std::set<std::string> Column(const std::string& path, const std::string& sql)
{
    std::set<std::string> values;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW)
                values.emplace(static_cast<const char*>(sqlite3_column_blob(stmt, 0)),
                               sqlite3_column_bytes(stmt, 0));
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return values;
}

/// Names in the folder that a creation leaves only while it runs.
std::vector<std::string> CreationLeftovers(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.find(".new-") != std::string::npos)
            names.push_back(name);
    }
    return names;
}

class CreationTest : public EngineTest
{
protected:
    // Two workers save into the same dictionary, which neither finds when they start.
    void raceOnANewDictionary(const std::string& mode, const std::string& target,
                              const std::string& file, const std::string& wordsSql)
    {
        const std::string start = StartInMs(100);
        Worker a({mode, target, "8", start});
        Worker b({mode, target, "8", start});
        ASSERT_TRUE(a.started() && b.started());
        std::set<std::string> committed;
        for (Worker* w : {&a, &b}) {
            for (const std::string& line : w->readAll())
                committed.insert(line.substr(std::string("committed ").size()));
            EXPECT_EQ(w->wait(), 0);
        }
        EXPECT_EQ(committed.size(), 16u) << "a save failed under the race";
        ASSERT_EQ(QueryFile(file, "PRAGMA integrity_check"), "ok") << file;
        const std::set<std::string> stored = Column(file, wordsSql);
        std::size_t lost = 0;
        for (const std::string& word : committed)
            lost += stored.count(word) == 0 ? 1 : 0;
        EXPECT_EQ(lost, 0u) << "committed but lost in " << file;
        EXPECT_TRUE(CreationLeftovers(FolderOf(file)).empty());
    }

    static std::string FolderOf(const std::string& file)
    {
        return std::filesystem::path(file).parent_path().string();
    }
};

TEST_F(CreationTest, TwoProcessesCreatingTheSameEcDictionaryLoseNothing)
{
    for (int trial = 0; trial < 10; ++trial) {
        const std::string base = simplifiedFolder() + "UserRace" + std::to_string(trial);
        raceOnANewDictionary("ec-race", base, base + ".key", "SELECT source FROM entry");
    }
}

TEST_F(CreationTest, TwoProcessesCreatingTheSameCeDictionaryLoseNothing)
{
    for (int trial = 0; trial < 10; ++trial) {
        const std::string folder = root() + "/Race" + std::to_string(trial);
        std::filesystem::create_directories(folder);
        raceOnANewDictionary("ce-race", folder, folder + "/UserCe.ext", "SELECT word FROM sense");
    }
}

TEST_F(CreationTest, ACreatorKilledAtAnyMomentLeavesNothingTheNextCreationKeeps)
{
    std::mt19937 rng(11);
    const std::string folder = simplifiedFolder();
    for (int trial = 0; trial < 25; ++trial) {
        Worker worker({"ec-create-loop", folder + "K" + std::to_string(trial)});
        ASSERT_TRUE(worker.started());
        ASSERT_EQ(worker.readLine(), "creating 0");
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 30000));
        worker.kill();
        std::string last = "0";
        for (const std::string& line : worker.readAll())
            last = line.substr(std::string("creating ").size());

        // The dictionary the kill interrupted: made now, whole, and whatever the dead creator
        // left beside it is gone.
        const std::string base = folder + "K" + std::to_string(trial) + "D" + last;
        ASSERT_EQ(ecWrite(base, 'A', "after", 0, "the kill"), 1) << base;
        EXPECT_EQ(QueryFile(base + ".key", "PRAGMA integrity_check"), "ok");
        EXPECT_EQ(ecFind(base, "after").size(), 1u);
        const auto leftovers = CreationLeftovers(folder);
        EXPECT_TRUE(leftovers.empty()) << leftovers.front() << " after trial " << trial;
    }
}

} // namespace
} // namespace kelvara

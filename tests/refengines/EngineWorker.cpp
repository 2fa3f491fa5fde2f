// A second process for the engine tests: it loads the built engines and either imports
// until it is killed or holds a dictionary open for a while. It reports on stdout, one line
// per event, flushed at once, so the test knows exactly what was committed.
//
//   kelvara_engine_worker ec-import <base path> <entries per open>
//   kelvara_engine_worker ce-import <engine folder>
//   kelvara_engine_worker ec-hold <base path> <milliseconds>
//   kelvara_engine_worker ce-hold <engine folder> <milliseconds>
//   kelvara_engine_worker ec-race <base path> <saves> <start>
//   kelvara_engine_worker ce-race <engine folder> <saves> <start>
//   kelvara_engine_worker ec-create-loop <folder>
//   kelvara_engine_worker ec-linger <base path> <milliseconds>
//
// The hold modes write one entry, which takes the write lock, and keep it for the time given.
// The race modes wait until <start> (nanoseconds on the monotonic clock, so that two workers
// begin together on a dictionary that does not exist yet) and then save one entry per
// open/close, reporting each word whose save answered success. ec-linger opens and closes
// once, so that its engine keeps a connection to the dictionary, and unloads the engine after
// the time given.

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <unistd.h>

namespace kelvara {
namespace {

void say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void sleepMs(long ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void sleepUntil(const char* monotonicNs)
{
    const std::chrono::steady_clock::time_point at{
        std::chrono::nanoseconds(std::stoll(monotonicNs))};
    std::this_thread::sleep_until(at);
}

// A word no other worker writes.
std::string ownWord(int i)
{
    return "p" + std::to_string(::getpid()) + "n" + std::to_string(i);
}

int run(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string mode = argv[1];
    const Buffer256 target(argv[2]);
    EcBinding ec;
    CeBinding ce;
    if (!ec.load(Buffer256(KELVARA_EC_ENGINE)) || !ce.load(Buffer256(KELVARA_CE_ENGINE)))
        return 3;

    if (mode == "ec-import" && argc == 4) {
        // Repeated imports of a batch each, as from several files; the kill lands in one.
        const int batch = std::stoi(argv[3]);
        for (int n = 0;; n += batch) {
            if (ec.openCstmRw(target) != 1)
                return 4;
            for (int i = n; i < n + batch; ++i)
                ec.modifyWord('A', Buffer256("w" + std::to_string(i)), 0, Buffer256("t"));
            ec.closeCstmRw();
            say("committed " + std::to_string(n + batch - 1));
        }
    }
    if (mode == "ce-import") {
        const Buffer16 pos("noun");
        const Buffer128 translation("translation");
        for (int i = 0;; ++i) {
            if (ce.dicOpen(target) == 0)
                return 4;
            std::int32_t mark = 0;
            ce.markGStack(mark);
            ce.dicAdd(Buffer128("w" + std::to_string(i)), pos, translation);
            ce.releaseGStack(mark);
            ce.dicClose();
            say("committed " + std::to_string(i));
        }
    }
    if ((mode == "ec-hold" || mode == "ce-hold") && argc == 4) {
        const bool isEc = mode == "ec-hold";
        std::int32_t mark = 0;
        if (isEc) {
            if (ec.openCstmRw(target) != 1 ||
                ec.modifyWord('A', Buffer256("held"), 0, Buffer256("by the worker")) != 1)
                return 4;
        } else {
            ce.markGStack(mark);
            if (ce.dicOpen(target) == 0 ||
                ce.entryPoints().dicAdd("held", "noun", "by the worker") != 1)
                return 4;
        }
        say("locked");
        sleepMs(std::stol(argv[3]));
        if (isEc) {
            ec.closeCstmRw();
        } else {
            ce.releaseGStack(mark);
            ce.dicClose();
        }
        say("released");
        return 0;
    }
    if (mode == "ec-linger" && argc == 4) {
        if (ec.openCstmRw(target) != 1 || ec.closeCstmRw() != 1)
            return 4;
        say("connected");
        sleepMs(std::stol(argv[3]));
        ec.unload();
        say("unloaded");
        return 0;
    }
    if ((mode == "ec-race" || mode == "ce-race") && argc == 5) {
        const bool isEc = mode == "ec-race";
        const int saves = std::stoi(argv[3]);
        sleepUntil(argv[4]);
        for (int i = 0; i < saves; ++i) {
            const std::string word = ownWord(i);
            int done = 0;
            if (isEc && ec.openCstmRw(target) == 1) {
                done = ec.modifyWord('A', Buffer256(word), 0, Buffer256("t"));
                done = ec.closeCstmRw() == 1 ? done : 0;
            } else if (!isEc && ce.dicOpen(target) != 0) {
                done = ce.entryPoints().dicAdd(word.c_str(), "noun", "t");
                done = ce.dicClose() != 0 ? done : 0;
            }
            if (done == 1)
                say("committed " + word);
        }
        return 0;
    }
    if (mode == "ec-create-loop") {
        // New dictionaries one after the other, until the worker is killed.
        for (int i = 0;; ++i) {
            say("creating " + std::to_string(i));
            if (ec.openCstmRw(Buffer256(std::string(argv[2]) + "D" + std::to_string(i))) != 1)
                return 4;
            ec.closeCstmRw();
        }
    }
    return 2;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}

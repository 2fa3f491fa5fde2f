// A second process for the engine tests: it loads the built engines and either imports
// until it is killed or holds a dictionary open for a while. It reports on stdout, one line
// per event, flushed at once, so the test knows exactly what was committed.
//
//   kelvara_engine_worker ec-import <base path> <entries per open>
//   kelvara_engine_worker ce-import <engine folder>
//   kelvara_engine_worker ec-hold <base path> <milliseconds>
//   kelvara_engine_worker ce-hold <engine folder> <milliseconds>

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using namespace kelvara;

void say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void sleepMs(long ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

int main(int argc, char** argv)
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
        if (isEc ? ec.openCstmRw(target) != 1 : ce.dicOpen(target) == 0)
            return 4;
        say("locked");
        sleepMs(std::stol(argv[3]));
        if (isEc) {
            ec.modifyWord('A', Buffer256("held"), 0, Buffer256("by the worker"));
            ec.closeCstmRw();
        } else {
            std::int32_t mark = 0;
            ce.markGStack(mark);
            ce.dicAdd(Buffer128("held"), Buffer16("noun"), Buffer128("by the worker"));
            ce.releaseGStack(mark);
            ce.dicClose();
        }
        say("released");
        return 0;
    }
    return 2;
}

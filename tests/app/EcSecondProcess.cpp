// A second program on the same E-C dictionary, for the tests that check the utility keeps
// its engine's locks. It loads the engine library itself, so it has a connection of its own.
//
//   ec_second_process add <engine library> <base path> <word>...   one open/add/close each
//   ec_second_process find <engine library> <base path> <word>...  "found" or "missing" each
//
// Each word gets one line on stdout. The exit code is 0 when every call succeeded.

#include "engines/EngineAbi.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <dlfcn.h>

namespace kelvara {
namespace {

template <typename Fn> Fn entry(void* library, const char* name)
{
    return reinterpret_cast<Fn>(dlsym(library, name));
}

int run(int argc, char** argv)
{
    if (argc < 5)
        return 2;
    const std::string mode = argv[1];
    void* library = dlopen(argv[2], RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return 3;
    auto open = entry<abi::OpenCstmRwFn>(library, "open_cstm_RW");
    auto close = entry<abi::CloseCstmRwFn>(library, "close_cstm_RW");
    auto modify = entry<abi::ModifyWordFn>(library, "ModifyWord");
    auto search = entry<abi::SearchWordFn>(library, "SearchWord");
    if (!open || !close || !modify || !search)
        return 3;

    int failures = 0;
    for (int i = 4; i < argc; ++i) {
        if (open(argv[3]) != 1) {
            std::printf("not opened %s\n", argv[i]);
            ++failures;
            continue;
        }
        if (mode == "add") {
            const bool added = modify('A', argv[i], 0, "second process") == 1;
            const bool committed = close() == 1;
            std::printf("%s %s\n", added && committed ? "stored" : "not stored", argv[i]);
            failures += added && committed ? 0 : 1;
        } else {
            char word[256] = {};
            char target[256] = {};
            unsigned char pos = 0;
            std::strncpy(word, argv[i], sizeof word - 1);
            const bool found = search(word, &pos, target) == 1;
            close();
            std::printf("%s %s\n", found ? "found" : "missing", argv[i]);
            failures += found ? 0 : 1;
        }
        std::fflush(stdout);
    }
    // Unloading closes the connection: the last one out folds the log into the file.
    dlclose(library);
    return failures == 0 ? 0 : 1;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}

// kvdict: imports entry text files into the utility's dictionaries, exports them, finds words.

#include "kvdict/KvdictOptions.h"
#include "kvdict/KvdictRun.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int)
{
    // The import stops between two records and commits what it wrote.
    g_interrupted = true;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace kelvara::kvdict;
    const Parsed parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << "kvdict: " << parsed.error << "\n\n" << UsageText();
        return kExitFailed;
    }
    if (parsed.options->command == Options::Command::Help) {
        std::cout << UsageText();
        return kExitDone;
    }
    std::signal(SIGINT, onInterrupt);
    Console console{std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1, &g_interrupted};
    return Run(*parsed.options, console);
}

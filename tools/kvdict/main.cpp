// kvdict: imports entry text files into the utility's dictionaries, exports them, finds words.

#include "kvdict/KvdictOptions.h"
#include "kvdict/KvdictRun.h"

#include "platform/SignalCleanup.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

namespace {

std::atomic<bool> g_interrupted{false};

void say(const char* text)
{
    std::size_t n = 0;
    while (text[n])
        ++n;
    (void)!::write(STDERR_FILENO, text, n);
}

// Ends the process now, as the signal would have without a handler, leaving no temporary
// file of an export behind. Only async-signal-safe calls.
[[noreturn]] void endBySignal(int signal)
{
    kelvara::RemoveSignalCleanupPaths();
    ::signal(signal, SIG_DFL);
    // The handler runs with its signal blocked: unblocked, the raised one ends the process.
    sigset_t own;
    sigemptyset(&own);
    sigaddset(&own, signal);
    ::sigprocmask(SIG_UNBLOCK, &own, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

extern "C" void onInterrupt(int signal)
{
    // During an engine's dump nothing can be stopped between records, and the dump only
    // reads the dictionary: its file is removed and the tool ends at once.
    if (kelvara::InUninterruptibleEngineCall()) {
        kelvara::RemoveSignalCleanupPaths();
        say("\nkvdict: stopped during the engine's export; nothing was written\n");
        ::_exit(kelvara::kvdict::kExitIncomplete);
    }
    // A second Ctrl+C ends the tool at once.
    if (g_interrupted.exchange(true))
        endBySignal(signal);
    // The first: the work stops between two records and commits what it wrote.
}

extern "C" void onTerminate(int signal)
{
    endBySignal(signal);
}

void installHandlers()
{
    struct sigaction interrupt
    {
    };
    interrupt.sa_handler = onInterrupt;
    sigemptyset(&interrupt.sa_mask);
    interrupt.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &interrupt, nullptr);
    struct sigaction terminate = interrupt;
    terminate.sa_handler = onTerminate;
    ::sigaction(SIGTERM, &terminate, nullptr);
    ::sigaction(SIGHUP, &terminate, nullptr);
    // A closed standard output shows as a failed write (exit status 1), not a silent death.
    ::signal(SIGPIPE, SIG_IGN);
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
    if (parsed.options->command == Options::Command::Version) {
        std::cout << VersionText();
        return kExitDone;
    }
    installHandlers();
    Console console{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1, &g_interrupted};
    return Run(*parsed.options, console);
}

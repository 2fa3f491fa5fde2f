#pragma once

#include "kvdict/KvdictOptions.h"

#include <atomic>
#include <ostream>

namespace kelvara::kvdict {

/// Exit statuses.
inline constexpr int kExitDone = 0;       ///< everything went in; find found senses
inline constexpr int kExitIncomplete = 1; ///< refused, skipped, stopped; find found nothing
inline constexpr int kExitFailed = 2;     ///< the command could not run

/// Where the run writes and whether it may draw a progress line.
struct Console
{
    std::ostream& out;
    std::ostream& err;
    bool progressLine = false;                      ///< stdout is a terminal
    const std::atomic<bool>* interrupted = nullptr; ///< set by Ctrl+C: stop between records
};

/// Runs one command on an installation folder, through the same dictionary access and text
/// commands as the utility's window; answers the exit status.
int Run(const Options& options, Console& console);

} // namespace kelvara::kvdict

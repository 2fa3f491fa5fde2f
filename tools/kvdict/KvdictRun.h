#pragma once

#include "kvdict/KvdictOptions.h"
#include "textio/TextCommandResult.h"

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
    bool progressLine = false;                      ///< stderr is a terminal: progress there
    const std::atomic<bool>* interrupted = nullptr; ///< set by Ctrl+C: stop between records
};

/// The exit status of an import or export: 2 when it could not run at all (the file or the
/// dictionary did not open, the export file was refused or not made), 0 when everything went
/// in, 1 otherwise.
int ExitStatusOf(const TextCommandResult& result);

/// Runs one command on an installation folder, through the same dictionary access and text
/// commands as the utility's window; answers the exit status.
int Run(const Options& options, Console& console);

} // namespace kelvara::kvdict

#pragma once

#include "textio/TextCommandResult.h"

#include <chrono>
#include <functional>

namespace kelvara {

/// Answers false to stop the work between two records.
using TextProgressCallback = std::function<bool(const TextProgress&)>;

/// Hands progress to a callback after the first record and then about every 100 ms of work,
/// however fast the records go, and remembers when the callback asked to stop.
class TextProgressPacer
{
public:
    static constexpr std::chrono::milliseconds kInterval{100};

    TextProgressPacer(TextProgressCallback callback, std::uint64_t workTotal);

    /// Called after each record; false once the work is to stop.
    bool step(std::size_t records, std::uint64_t workDone)
    {
        // A clock read costs some 20 ns, far less than the fastest record.
        if (!m_callback || m_stopped)
            return !m_stopped;
        return check(records, workDone);
    }
    bool stopped() const { return m_stopped; }

private:
    bool check(std::size_t records, std::uint64_t workDone);

    TextProgressCallback m_callback;
    std::uint64_t m_workTotal;
    std::chrono::steady_clock::time_point m_last{}; // long ago: the first step reports
    bool m_stopped = false;
};

} // namespace kelvara

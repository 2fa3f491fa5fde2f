#include "textio/TextProgressPacer.h"

namespace kelvara {

TextProgressPacer::TextProgressPacer(TextProgressCallback callback, std::uint64_t workTotal)
    : m_callback(std::move(callback)), m_workTotal(workTotal)
{}

bool TextProgressPacer::check(std::size_t records, std::uint64_t workDone)
{
    const auto now = std::chrono::steady_clock::now();
    if (now - m_last < kInterval)
        return !m_stopped;
    m_last = now;
    if (!m_callback(TextProgress{records, workDone, m_workTotal}))
        m_stopped = true;
    // The callback may have run a dialog's event loop: its time is not work.
    m_last = std::chrono::steady_clock::now();
    return !m_stopped;
}

} // namespace kelvara

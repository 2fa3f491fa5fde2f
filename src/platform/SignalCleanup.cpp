#include "platform/SignalCleanup.h"

#include <array>
#include <atomic>
#include <cstring>
#include <unistd.h>

namespace kelvara {

namespace {

// A slot is free (0), being filled or emptied (1), or holds a path a handler may unlink (2).
// Only state 2 is ever read by a handler, so it never sees a half-written path.
constexpr std::size_t kSlots = 8;
constexpr std::size_t kPathBytes = 4096;

struct Slot
{
    std::atomic<int> state{0};
    char path[kPathBytes]{};
};

std::array<Slot, kSlots> g_slots;
std::atomic<int> g_engineCalls{0};

static_assert(std::atomic<int>::is_always_lock_free, "read in signal handlers");

} // namespace

SignalCleanupPath::SignalCleanupPath(const std::string& path)
{
    if (path.size() >= kPathBytes)
        return;
    for (std::size_t i = 0; i < kSlots; ++i) {
        int expected = 0;
        if (g_slots[i].state.compare_exchange_strong(expected, 1)) {
            std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
            g_slots[i].state.store(2);
            m_slot = static_cast<int>(i);
            return;
        }
    }
}

SignalCleanupPath::~SignalCleanupPath()
{
    if (m_slot >= 0)
        g_slots[static_cast<std::size_t>(m_slot)].state.store(0);
}

UninterruptibleEngineCall::UninterruptibleEngineCall()
{
    g_engineCalls.fetch_add(1);
}

UninterruptibleEngineCall::~UninterruptibleEngineCall()
{
    g_engineCalls.fetch_sub(1);
}

bool InUninterruptibleEngineCall() noexcept
{
    return g_engineCalls.load() > 0;
}

void RemoveSignalCleanupPaths() noexcept
{
    for (Slot& slot : g_slots) {
        if (slot.state.load() == 2)
            ::unlink(slot.path);
    }
}

} // namespace kelvara

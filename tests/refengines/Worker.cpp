#include "Worker.h"

#include <chrono>

namespace kelvara {

std::string StartInMs(int ms)
{
    const auto at = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    return std::to_string(
        std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count());
}

} // namespace kelvara

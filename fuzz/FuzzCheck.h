#pragma once

#include <cstdlib>

namespace kelvara {

/// Stops the run when a property does not hold: libFuzzer keeps the input as a crash, the
/// replay driver fails its test.
inline void require(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace kelvara

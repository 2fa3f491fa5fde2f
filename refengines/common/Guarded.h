#pragma once

namespace kelvara::ref {

/// Runs an entry point's body so that nothing is thrown across the engine boundary: an
/// exception inside the engine (out of memory) answers the failure result 0.
template <typename Call> int Guarded(Call call)
{
    try {
        return call();
    } catch (...) {
        return 0;
    }
}

} // namespace kelvara::ref

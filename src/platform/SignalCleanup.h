#pragma once

#include <string>

namespace kelvara {

/// A file the process removes if it must end at once from a signal handler (a second
/// Ctrl+C, or an interrupt during an engine call that cannot be stopped): the temporary
/// files of an export, which are never a file of the user's. The path is registered for the
/// life of the object; a few can be registered at once, and registering more is harmless
/// (the extra ones are simply not removed by a signal).
class SignalCleanupPath
{
public:
    explicit SignalCleanupPath(const std::string& path);
    ~SignalCleanupPath();
    SignalCleanupPath(const SignalCleanupPath&) = delete;
    SignalCleanupPath& operator=(const SignalCleanupPath&) = delete;

private:
    int m_slot = -1;
};

/// Marks an engine call that does not return until its work is done (a whole-dictionary
/// dump): a signal handler that sees it may end the process rather than wait for the call.
class UninterruptibleEngineCall
{
public:
    UninterruptibleEngineCall();
    ~UninterruptibleEngineCall();
    UninterruptibleEngineCall(const UninterruptibleEngineCall&) = delete;
    UninterruptibleEngineCall& operator=(const UninterruptibleEngineCall&) = delete;
};

/// True while an UninterruptibleEngineCall is alive. Safe in a signal handler.
bool InUninterruptibleEngineCall() noexcept;

/// Removes every registered path. Safe in a signal handler (only unlink is called).
void RemoveSignalCleanupPaths() noexcept;

} // namespace kelvara

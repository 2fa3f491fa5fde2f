#pragma once

#include "ChildProcess.h"

#include <string>
#include <vector>

namespace kelvara {

/// The worker program (EngineWorker.cpp) as a second process, with its stdout on a pipe.
class Worker : public ChildProcess
{
public:
    explicit Worker(const std::vector<std::string>& args)
        : ChildProcess(KELVARA_ENGINE_WORKER, args)
    {}
};

/// A point on the monotonic clock `ms` milliseconds from now, as the workers take it: several
/// workers started with it begin their work at the same moment.
std::string StartInMs(int ms);

} // namespace kelvara

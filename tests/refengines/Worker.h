#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <sys/types.h>

namespace kelvara {

/// The worker program (EngineWorker.cpp) as a second process, with its stdout on a pipe.
class Worker
{
public:
    explicit Worker(const std::vector<std::string>& args);
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    bool started() const { return m_pid > 0 && m_out; }

    /// The next line, without its end; "" at the end of the output.
    std::string readLine();
    /// Every remaining line up to the end of the output.
    std::vector<std::string> readAll();

    void kill();
    /// The wait status of the ended worker.
    int wait();

private:
    pid_t m_pid = -1;
    std::FILE* m_out = nullptr;
};

/// A point on the monotonic clock `ms` milliseconds from now, as the workers take it: several
/// workers started with it begin their work at the same moment.
std::string StartInMs(int ms);

} // namespace kelvara

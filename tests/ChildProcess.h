#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <sys/types.h>

namespace kelvara {

/// A test's second process: a program started with arguments, its stdout on a pipe.
class ChildProcess
{
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0 && m_out; }

    /// The next line, without its end; "" at the end of the output.
    std::string readLine();
    /// Every remaining line up to the end of the output.
    std::vector<std::string> readAll();

    /// Kills the child unless it has ended; true when the kill is what ended it.
    bool kill();
    /// The wait status of the ended child (as waitpid gives it).
    int wait();

private:
    pid_t m_pid = -1;
    std::FILE* m_out = nullptr;
};

} // namespace kelvara

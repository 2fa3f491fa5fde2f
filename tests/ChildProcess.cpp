#include "ChildProcess.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvara {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    m_out = ::fdopen(fds[0], "r");
}

ChildProcess::~ChildProcess()
{
    kill();
    if (m_out)
        std::fclose(m_out);
}

std::string ChildProcess::readLine()
{
    char line[256];
    if (!m_out || !std::fgets(line, sizeof line, m_out))
        return "";
    std::string s(line);
    if (!s.empty() && s.back() == '\n')
        s.pop_back();
    return s;
}

std::vector<std::string> ChildProcess::readAll()
{
    std::vector<std::string> lines;
    for (std::string line; !(line = readLine()).empty();)
        lines.push_back(line);
    return lines;
}

bool ChildProcess::kill()
{
    if (m_pid <= 0)
        return false;
    ::kill(m_pid, SIGKILL);
    const int status = wait();
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

int ChildProcess::wait()
{
    int status = 0;
    if (m_pid > 0)
        ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return status;
}

} // namespace kelvara

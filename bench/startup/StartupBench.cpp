// Time from a process's start to the first paint of its main window, for the utility on the
// demo installation and for a comparable minimal window and a Qt hello-world, all on the
// offscreen platform at the scale factors 1 and 2, runs interleaved so that load on the shared
// machine hits each alike. The comparable window started once more with Qt's Simplified
// Chinese translation installed (as the utility installs it on the demo's Simplified
// interface) shows what loading the translation costs.
//
//   startup_bench [runs per program, default 20] [utility executable]
//
// The utility is the build's demo installation unless another executable is named (one laid
// out as an installation too, to compare builds).
//
// Each program writes "first-paint" when its window has been painted (it is started with
// KELVARA_REPORT_FIRST_PAINT=1) and then ends; the time is taken from just before the spawn
// to the arrival of that line. The CPU time is the child's user and system time to its end.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvara {
namespace {

constexpr double kFloorRatio = 1.3; // the utility's goal against the comparable window
constexpr const char* kScales[] = {"1", "2"};

struct Program
{
    const char* label;
    std::vector<std::string> argv;
    std::vector<double> firstPaintMs;
    std::vector<double> cpuMs;
};

struct Run
{
    bool ok = false;
    double firstPaintMs = 0;
    double cpuMs = 0;
};

std::vector<std::string> childEnvironment(const char* scale)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0 &&
            std::strncmp(*e, "QT_SCALE_FACTOR=", 16) != 0 &&
            std::strncmp(*e, "KELVARA_REPORT_FIRST_PAINT=", 27) != 0)
            env.emplace_back(*e);
    }
    env.emplace_back("QT_QPA_PLATFORM=offscreen");
    env.emplace_back(std::string("QT_SCALE_FACTOR=") + scale);
    env.emplace_back("KELVARA_REPORT_FIRST_PAINT=1");
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> out;
    for (std::string& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

Run startOnce(Program& program, std::vector<std::string>& env)
{
    Run run;
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv = pointers(program.argv);
    std::vector<char*> envp = pointers(env);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return run;
    }
    std::string seen;
    char buffer[256];
    for (;;) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, static_cast<std::size_t>(n));
        if (seen.find("first-paint\n") != std::string::npos) {
            run.ok = true;
            break;
        }
    }
    const auto painted = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.ok = run.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.firstPaintMs = std::chrono::duration<double, std::milli>(painted - start).count();
    run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double mean(const std::vector<double>& values)
{
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

int run(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string utility = argc > 2 ? argv[2] : KELVARA_UTILITY;
    // One set of programs per scale factor, all started in the same interleaved rounds.
    struct Scale
    {
        const char* factor;
        std::vector<std::string> env;
        std::vector<Program> programs;
    };
    std::vector<Scale> scales;
    for (const char* factor : kScales) {
        scales.push_back(
            {factor,
             childEnvironment(factor),
             {
                 {"utility (demo installation)", {utility}, {}, {}},
                 {"comparable window", {KELVARA_COMPARABLE}, {}, {}},
                 {"comparable + Qt zh_CN texts", {KELVARA_COMPARABLE, "translated"}, {}, {}},
                 {"Qt hello-world", {KELVARA_COMPARABLE, "hello"}, {}, {}},
             }});
    }

    // One unmeasured start each brings the libraries into the page cache.
    for (Scale& scale : scales) {
        for (Program& p : scale.programs) {
            if (!startOnce(p, scale.env).ok) {
                std::fprintf(stderr, "%s did not report its first paint at scale %s: %s\n", p.label,
                             scale.factor, p.argv[0].c_str());
                return 1;
            }
        }
    }
    for (int i = 0; i < runs; ++i) {
        for (Scale& scale : scales) {
            for (Program& p : scale.programs) {
                const Run run = startOnce(p, scale.env);
                if (!run.ok) {
                    std::fprintf(stderr, "%s failed in run %d at scale %s\n", p.label, i + 1,
                                 scale.factor);
                    return 1;
                }
                p.firstPaintMs.push_back(run.firstPaintMs);
                p.cpuMs.push_back(run.cpuMs);
            }
        }
    }

    std::printf("Start-up to first paint, offscreen, %d runs each (interleaved, both scales)\n",
                runs);
    bool met = true;
    for (const Scale& scale : scales) {
        const std::vector<Program>& programs = scale.programs;
        std::printf("\nQT_SCALE_FACTOR=%s\n", scale.factor);
        std::printf("%-30s %10s %10s %10s %14s\n", "program", "median ms", "mean ms", "min ms",
                    "CPU ms median");
        for (const Program& p : programs) {
            std::printf("%-30s %10.1f %10.1f %10.1f %14.1f\n", p.label, median(p.firstPaintMs),
                        mean(p.firstPaintMs),
                        *std::min_element(p.firstPaintMs.begin(), p.firstPaintMs.end()),
                        median(p.cpuMs));
        }
        const double ours = median(programs[0].firstPaintMs);
        const double comparable = median(programs[1].firstPaintMs);
        const double translated = median(programs[2].firstPaintMs);
        const double hello = median(programs[3].firstPaintMs);
        const double ratio = ours / comparable;
        met = met && ratio <= kFloorRatio;
        std::printf("utility / comparable window: %.2fx (floor: within %.1fx) %s\n", ratio,
                    kFloorRatio, ratio <= kFloorRatio ? "met" : "NOT met");
        std::printf("utility / Qt hello-world:    %.2fx\n", ours / hello);
        std::printf("Qt zh_CN translation load:   %+.1f ms median (CPU %+.1f ms)\n",
                    translated - comparable, median(programs[2].cpuMs) - median(programs[1].cpuMs));
    }
    std::printf("\nwithin %.1fx of the comparable window at every scale: %s\n", kFloorRatio,
                met ? "met" : "NOT met");
    return 0;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}

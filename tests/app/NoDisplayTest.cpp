// The program started where no window can be shown: one line saying so and how to try the
// utility anyway, and an exit code that is not success, instead of the toolkit's abort.

#include "startup/DisplayCheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace kelvara {
namespace {

struct Outcome
{
    int exitCode = -1;
    std::string output; // standard output and error
};

// Runs the built program in an environment holding only the given assignments.
Outcome runWithEnvironment(const std::string& assignments)
{
    const std::string command =
        "env -i " + assignments + " '" KELVARA_CUSTOMDICT "' 2>&1 </dev/null";
    Outcome outcome;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return outcome;
    char buffer[512];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        outcome.output.append(buffer, n);
    const int status = ::pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

TEST(NoDisplayTest, StartWithoutDisplaySaysHowToTryItError)
{
    const Outcome outcome = runWithEnvironment("");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.output, NoDisplayMessage() + "\n");
    EXPECT_NE(outcome.output.find("xvfb-run scripts/demo"), std::string::npos);
}

TEST(NoDisplayTest, ChosenPlatformStartsAsUsual)
{
    // The offscreen platform needs no display; the program paints its window and, asked to
    // report that, ends there.
    const Outcome outcome =
        runWithEnvironment("QT_QPA_PLATFORM=offscreen KELVARA_REPORT_FIRST_PAINT=1");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("first-paint\n"), std::string::npos) << outcome.output;
    EXPECT_EQ(outcome.output.find(NoDisplayMessage()), std::string::npos);
}

} // namespace
} // namespace kelvara

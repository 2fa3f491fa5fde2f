#include "startup/DisplayCheck.h"

#include <cstring>

namespace kelvara {

namespace {

bool isSet(const EnvironmentLookup& environment, const char* name)
{
    const char* value = environment(name);
    return value && *value;
}

} // namespace

bool DisplayAvailable(const EnvironmentLookup& environment, int argc, const char* const* argv)
{
#if defined(_WIN32) || defined(__APPLE__)
    // The desktop is always there: the toolkit draws through the system itself.
    (void)environment;
    (void)argc;
    (void)argv;
    return true;
#else
    if (isSet(environment, "QT_QPA_PLATFORM") || isSet(environment, "DISPLAY") ||
        isSet(environment, "WAYLAND_DISPLAY"))
        return true;
    // The toolkit also takes the platform from its command line.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0 ||
            std::strncmp(argv[i], "-platform=", 10) == 0 ||
            std::strncmp(argv[i], "--platform=", 11) == 0)
            return true;
    }
    return false;
#endif
}

std::string NoDisplayMessage()
{
    return "CustomDict needs a graphical display and none is set (DISPLAY or WAYLAND_DISPLAY); "
           "to try it without one, run: xvfb-run scripts/demo";
}

} // namespace kelvara

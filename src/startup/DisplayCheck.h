#pragma once

#include <functional>
#include <string>

namespace kelvara {

/// Reads one environment variable: its value, or nothing when it is unset.
using EnvironmentLookup = std::function<const char*(const char* name)>;

/// Whether a window can be shown: a platform was chosen (QT_QPA_PLATFORM or a -platform
/// argument), or an X or Wayland display is named. Without one the toolkit would abort.
bool DisplayAvailable(const EnvironmentLookup& environment, int argc, const char* const* argv);

/// The one line said when there is no display, with how to try the utility without one.
std::string NoDisplayMessage();

} // namespace kelvara

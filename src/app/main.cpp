#include "app/StartupState.h"
#include "platform/Paths.h"

#include <cstdio>

int main()
{
    using namespace kelvara;
    StartupState state = ReadStartupState(ProgramFolder());
    static const char* const languages[] = {"Simplified Chinese", "Traditional Chinese", "English"};
    std::printf("program folder:     %s\n", state.programFolder.c_str());
    std::printf("engine directory:   %s\n", state.engineDirectory.c_str());
    std::printf("Chinese variant:    %s\n",
                state.chineseVariant == ChineseVariant::Traditional ? "Traditional" : "Simplified");
    std::printf("interface language: %s\n", languages[static_cast<int>(state.language)]);
    std::printf("E-C engine:         %s\n", state.ec.available() ? "bound" : "unavailable");
    std::printf("C-E engine:         %s%s\n", state.ce.available() ? "bound" : "unavailable",
                state.ce.canCreate() ? " (can create dictionaries)" : "");
    UnloadEngines(state);
    return 0;
}

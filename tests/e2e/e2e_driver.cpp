// End-to-end driver: starts KORVAN3.exe with the stand-in HID2.DLL in test mode and
// checks it from outside through the Win32 API, as a user and the board would see it.
//   e2e_driver <scenario> <path of KORVAN3.exe> <log file> [screenshot of the window]
// Prints one line per failed check and exits 1 if any failed, 2 on a wrong command line.
#include "check.h"
#include "scenarios.h"

#include <cstdio>
#include <cstring>

namespace {

struct Scenario {
    const char* name;
    void (*run)(const Run& run);
};

const Scenario SCENARIOS[] = {
    {"window", ScenarioWindow}, {"startup", ScenarioStartup},
    {"typing", ScenarioTyping}, {"texts", ScenarioEmptyAndLong},
    {"time", ScenarioTime},     {"absent", ScenarioAbsent},
    {"late", ScenarioLate},     {"early-click", ScenarioEarlyClick},
    {"resize", ScenarioResize}, {"conventions", ScenarioConventions},
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: e2e_driver <scenario> <KORVAN3.exe> <log> [screenshot.bmp]\n");
        return 2;
    }
    const char* name = argv[1];
    for (const Scenario& scenario : SCENARIOS) {
        if (std::strcmp(scenario.name, name) == 0) {
            scenario.run({argv[2], argv[3], argc > 4 ? argv[4] : nullptr});
            if (FailedChecks() == 0) {
                std::printf("PASS %s\n", name);
            } else {
                std::printf("%d checks failed in %s\n", FailedChecks(), name);
            }
            return FailedChecks() == 0 ? 0 : 1;
        }
    }
    std::printf("unknown scenario %s\n", name);
    return 2;
}

#include "standin.h"

#include "forward_link.h"
#include "hid2_log.h"
#include "sim_link.h"
#include "standin_variables.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace StandIn {
namespace {

// The next scripted hidinit result; the script is read once, at the first call.
int NextScriptedInitResult() {
    static char script[512];
    static const char* next = nullptr;
    static int last = DEFAULT_HANDLE;
    if (next == nullptr) {
        const DWORD length = GetEnvironmentVariableA("HID2_INIT", script, sizeof script);
        script[length < sizeof script ? length : 0] = '\0';
        next = script;
    }
    if (*next != '\0') {
        char* end = nullptr;
        last = static_cast<int>(std::strtoll(next, &end, 0));
        next = (*end == ',') ? end + 1 : end + std::strlen(end);
    }
    return last;
}

bool EnvironmentIs(const char* name, const char* expected) {
    char value[8];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value && std::strcmp(value, expected) == 0;
}

enum class Mode { TEST, SIMULATOR, FORWARD };

Mode ModeFromEnvironment() {
    if (ForwardLink::Wanted()) {
        return Mode::FORWARD;
    }
    const bool recording = GetEnvironmentVariableW(StandInVariables::LOG, nullptr, 0) > 1;
    return !recording || EnvironmentIs("HID2_SIMULATOR", "1") ? Mode::SIMULATOR : Mode::TEST;
}

// Decided once: the environment of the process does not change its mind later.
Mode CurrentMode() {
    static const Mode mode = ModeFromEnvironment();
    return mode;
}

} // namespace

int Open() {
    int result = 0;
    switch (CurrentMode()) {
    case Mode::FORWARD:
        result = ForwardLink::Open();
        break;
    case Mode::SIMULATOR:
        result = SimLink::Open();
        break;
    case Mode::TEST:
        result = NextScriptedInitResult();
        break;
    }
    Hid2Log::Line("hidinit %d", result);
    return result;
}

int Write(int handle, int port, int value) {
    // Recorded before it is passed on: the time is that of the call.
    Hid2Log::Line("Hidwrite %d %d %d", handle, port, value);
    switch (CurrentMode()) {
    case Mode::FORWARD:
        return ForwardLink::Write(handle, port, value);
    case Mode::SIMULATOR:
        return SimLink::Write(handle, port, value);
    case Mode::TEST:
        break;
    }
    return 1;
}

int Read(int handle, int port) {
    Hid2Log::Line("Hidread %d %d", handle, port);
    return CurrentMode() == Mode::FORWARD ? ForwardLink::Read(handle, port) : 0;
}

} // namespace StandIn

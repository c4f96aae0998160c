// Stand-in for HID2.DLL, so the program runs without the USB-IO board.
//
// Simulator mode (HID2_LOG not set): the calls go to LCDSIM.exe, the simulated board
// and display (see sim_link.h). hidinit returns the running simulator's handle, or 0
// when none runs; Hidwrite reaches the simulator's board before it returns.
//
// Test mode (HID2_LOG names a file): every call is appended to that file, one line
// each, prefixed with the time in microseconds of the system's performance counter:
//   <us> hidinit <result>
//   <us> Hidwrite <handle> <port> <value>
//   <us> Hidread <handle> <port>
// HID2_INIT lists the results of successive hidinit calls, separated by commas,
// decimal or 0x-hex, the last one repeating; without it hidinit returns DEFAULT_HANDLE.
//
// Both (HID2_LOG set and HID2_SIMULATOR=1): the calls go to the simulator and are
// recorded; hidinit returns, and the log shows, the simulator's answer (HID2_INIT is
// not read).
#include "hid2_log.h"
#include "sim_link.h"
#include "window_report.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int DEFAULT_HANDLE = 0x1234;

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

// Decided once: the environment of the process does not change its mind later.
bool Forwarding() {
    static const bool forwarding = GetEnvironmentVariableA("HID2_LOG", nullptr, 0) <= 1 ||
                                   EnvironmentIs("HID2_SIMULATOR", "1");
    return forwarding;
}

} // namespace

extern "C" __declspec(dllexport) int __stdcall hidinit(void) {
    WindowReport::WriteOnce();
    const int result = Forwarding() ? SimLink::Open() : NextScriptedInitResult();
    Hid2Log::Line("hidinit %d", result);
    return result;
}

extern "C" __declspec(dllexport) int __stdcall Hidwrite(int handle, int port, int value) {
    Hid2Log::Line("Hidwrite %d %d %d", handle, port, value);
    return Forwarding() ? SimLink::Write(handle, port, value) : 1;
}

extern "C" __declspec(dllexport) int __stdcall Hidread(int handle, int port) {
    Hid2Log::Line("Hidread %d %d", handle, port);
    return 0;
}

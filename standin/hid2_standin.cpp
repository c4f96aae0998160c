// Stand-in for HID2.DLL, so the program runs without the USB-IO board.
//
// Simulator mode (HID2_LOG not set): the calls go to LCDSIM.exe, the simulated board
// and display (see sim_link.h). hidinit returns the running simulator's handle, or 0
// when none runs; Hidwrite reaches the simulator's board before it returns, and returns
// at the simulated board's pace (its write cost, a real board's 1 ms by default).
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
//
// Capture (HID2_FORWARD names another library, the board maker's HID2.DLL renamed):
// every call is passed on to that library and its result returned, whichever calling
// convention it uses; with HID2_LOG set each call is recorded as in test mode. A stand-in
// that HID2_FORWARD names itself works as it would otherwise, but leaves the recording
// to the copy that passes the calls on.
//
// The exports are stdcall; built with HID2_STANDIN_CDECL they are cdecl, as some
// libraries are, and with HID2_STANDIN_WITHOUT_HIDREAD Hidread is left out. With
// HID2_STANDIN_EXPORTS_BY_DEF a definition file linked in names the exports. Built with
// HID2_STANDIN_FAULTS (for the checker's tests only), HID2_FAULT makes one entry point
// misbehave as a broken library's would: crash-hidinit, hang-Hidwrite, slow-hidinit ...
// Built with HID2_STANDIN_WINDOW_REPORT (for the end-to-end tests only), the first hidinit
// describes the calling program's window (window_report.h).
#include "forward_link.h"
#include "hid2_log.h"
#include "sim_link.h"
#if defined(HID2_STANDIN_WINDOW_REPORT)
#include "window_report.h"
#endif

#include <windows.h>

#include <cstdint>
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

enum class Mode { TEST, SIMULATOR, FORWARD };

Mode ModeFromEnvironment() {
    if (ForwardLink::Wanted()) {
        return Mode::FORWARD;
    }
    const bool recording = GetEnvironmentVariableA("HID2_LOG", nullptr, 0) > 1;
    return !recording || EnvironmentIs("HID2_SIMULATOR", "1") ? Mode::SIMULATOR : Mode::TEST;
}

// Decided once: the environment of the process does not change its mind later.
Mode CurrentMode() {
    static const Mode mode = ModeFromEnvironment();
    return mode;
}

// crash-<entry>: a write through a null pointer; hang-<entry>: never returns;
// slow-<entry>: returns as usual after 300 ms, as a library that waits for a board does;
// lag-<entry>: after 150 ms, as a board that answers slowly; exit-<entry>: ends the
// process with exit code 3; chatty-<entry>: writes a line to its standard output and
// error, then returns as usual.
void MisbehaveIfAsked(const char* entry) {
#if defined(HID2_STANDIN_FAULTS)
    char fault[32];
    const DWORD length = GetEnvironmentVariableA("HID2_FAULT", fault, sizeof fault);
    const char* dash = length < sizeof fault ? std::strchr(fault, '-') : nullptr;
    if (dash == nullptr || std::strcmp(dash + 1, entry) != 0) {
        return;
    }
    if (std::strncmp(fault, "crash-", 6) == 0) {
        static volatile uintptr_t nowhere = 0;
        *reinterpret_cast<volatile int*>(nowhere) = 0;
    } else if (std::strncmp(fault, "hang-", 5) == 0) {
        Sleep(INFINITE);
    } else if (std::strncmp(fault, "slow-", 5) == 0) {
        Sleep(300);
    } else if (std::strncmp(fault, "lag-", 4) == 0) {
        Sleep(150);
    } else if (std::strncmp(fault, "exit-", 5) == 0) {
        ExitProcess(3);
    } else if (std::strncmp(fault, "chatty-", 7) == 0) {
        static const char chatter[] = "HID2 CHATTER\r\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), chatter, sizeof chatter - 1, &written, nullptr);
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), chatter, sizeof chatter - 1, &written, nullptr);
    }
#else
    (void)entry;
#endif
}

} // namespace

#if defined(HID2_STANDIN_EXPORTS_BY_DEF)
#define HID2_EXPORT extern "C" int __stdcall
#elif defined(HID2_STANDIN_CDECL)
#define HID2_EXPORT extern "C" __declspec(dllexport) int __cdecl
#else
#define HID2_EXPORT extern "C" __declspec(dllexport) int __stdcall
#endif

HID2_EXPORT hidinit(void) {
    MisbehaveIfAsked("hidinit");
#if defined(HID2_STANDIN_WINDOW_REPORT)
    WindowReport::WriteOnce();
#endif
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

HID2_EXPORT Hidwrite(int handle, int port, int value) {
    MisbehaveIfAsked("Hidwrite");
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

#if !defined(HID2_STANDIN_WITHOUT_HIDREAD)
HID2_EXPORT Hidread(int handle, int port) {
    Hid2Log::Line("Hidread %d %d", handle, port);
    return CurrentMode() == Mode::FORWARD ? ForwardLink::Read(handle, port) : 0;
}
#endif

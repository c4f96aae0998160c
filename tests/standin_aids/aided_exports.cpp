// The stand-in with the tests' aids, for the tests only: HID2_FAULT makes one entry point
// misbehave as a broken library's would (crash-hidinit, hang-Hidwrite, slow-hidinit ...),
// and the first hidinit describes the calling program's window when HID2_WINDOW_REPORT
// names a file (window_report.h). Otherwise each call is the stand-in's own.
#include "exports.h"
#include "standin.h"
#include "window_report.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

// An informational status, as a library may raise one and leave it unhandled.
constexpr DWORD RAISED_CODE = 0x40000015;

// crash-<entry>: a write through a null pointer; hang-<entry>: never returns;
// slow-<entry>: returns as usual after 300 ms, as a library that waits for a board does;
// lag-<entry>: after 150 ms, as a board that answers slowly; exit-<entry>: ends the
// process with exit code 3; chatty-<entry>: writes a line to its standard output and
// error, then returns as usual; raise-<entry>: raises an exception that nothing handles,
// of a code below 0x80000000, which an exit code alone cannot tell from an exit.
void MisbehaveIfAsked(const char* entry) {
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
    } else if (std::strncmp(fault, "raise-", 6) == 0) {
        RaiseException(RAISED_CODE, 0, 0, nullptr);
    } else if (std::strncmp(fault, "chatty-", 7) == 0) {
        static const char chatter[] = "HID2 CHATTER\r\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), chatter, sizeof chatter - 1, &written, nullptr);
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), chatter, sizeof chatter - 1, &written, nullptr);
    }
}

} // namespace

HID2_EXPORT hidinit(void) {
    MisbehaveIfAsked("hidinit");
    WindowReport::WriteOnce();
    return StandIn::Open();
}

HID2_EXPORT Hidwrite(int handle, int port, int value) {
    MisbehaveIfAsked("Hidwrite");
    return StandIn::Write(handle, port, value);
}

HID2_EXPORT Hidread(int handle, int port) {
    return StandIn::Read(handle, port);
}

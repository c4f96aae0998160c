#include "sim_link.h"

#include "clock.h"
#include "sim_protocol.h"

#include <windows.h>

#include <cstdint>

namespace SimLink {
namespace {

// The simulator window that issued the last handle. A simulator started after it closed
// is a different board: writes with the old handle must not reach it.
HWND openedWindow = nullptr;
long long lastCallMicroseconds = -1;
// A real board answers a port write once per USB report interval: no write returns
// sooner than this after the previous one did.
long long paceMicroseconds = 0;
long long lastWriteReturnedMicroseconds = -1;

constexpr UINT SEND_TIMEOUT_MS = 5000;

// Microseconds since the previous call into the library; 0 for the first call.
uint64_t MicrosecondsSinceLastCall() {
    const long long previous = lastCallMicroseconds;
    lastCallMicroseconds = Clock::NowMicroseconds();
    if (previous < 0 || lastCallMicroseconds < previous) {
        return 0;
    }
    return static_cast<uint64_t>(lastCallMicroseconds - previous);
}

// A simulator that stopped answering counts as unplugged for this call (result 0).
LRESULT Send(HWND window, uint32_t request, const void* payload, DWORD size) {
    COPYDATASTRUCT data;
    data.dwData = request;
    data.cbData = size;
    data.lpData = const_cast<void*>(payload);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &result) == 0) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

// Sleeps for the bulk of a wait, then spins: a sleep ends on the system's timer tick,
// often a millisecond or more late.
void KeepPace() {
    const long long due = lastWriteReturnedMicroseconds + paceMicroseconds;
    long long now = Clock::NowMicroseconds();
    while (lastWriteReturnedMicroseconds >= 0 && now < due) {
        if (due - now > 2000) {
            Sleep(1);
        }
        now = Clock::NowMicroseconds();
    }
    lastWriteReturnedMicroseconds = now;
}

} // namespace

int Open() {
    MicrosecondsSinceLastCall();
    const HWND window = FindWindowW(SimProtocol::WINDOW_CLASS, nullptr);
    if (window == nullptr) {
        return 0;
    }
    const int handle = static_cast<int>(Send(window, SimProtocol::OPEN, nullptr, 0));
    if (handle != 0) {
        openedWindow = window;
        paceMicroseconds = static_cast<long long>(Send(window, SimProtocol::PACE, nullptr, 0));
    }
    return handle;
}

int Write(int handle, int port, int value) {
    SimProtocol::WritePayload write;
    write.handle = handle;
    write.port = port;
    write.value = value;
    write.reserved = 0;
    write.gapMicroseconds = MicrosecondsSinceLastCall();
    // Only the simulator that gave the handle takes its writes: once that one has closed,
    // the request fails, and a simulator started since is another board.
    const HWND window =
        openedWindow != nullptr ? openedWindow : FindWindowW(SimProtocol::WINDOW_CLASS, nullptr);
    if (window == nullptr) {
        return 0;
    }
    const int result = static_cast<int>(Send(window, SimProtocol::WRITE, &write, sizeof write));
    KeepPace();
    return result;
}

} // namespace SimLink

// How the stand-in HID2.DLL and LCDSIM.exe talk: the simulator's main window is found by
// its class name, and every request is one WM_COPYDATA sent to it, told apart by
// COPYDATASTRUCT::dwData. SendMessage returns only when the simulator has handled the
// request, so writes arrive and take effect in call order. The layout is the same for
// i686 and x86_64 processes, which may talk to each other.
#pragma once

#include <cstdint>

namespace SimProtocol {

// Class of the simulator's main window; there is at most one per desktop session.
constexpr const wchar_t* WINDOW_CLASS = L"LCDSIM";

// Values of COPYDATASTRUCT::dwData.
// OPEN: no payload. The result is the instance's board handle (low 16 bits never 0).
constexpr uint32_t OPEN = 0x4C430001;
// WRITE: a WritePayload. The result is 1 if the write reached the board, 0 if the handle
// is not this instance's (the board it was opened on has been unplugged since).
constexpr uint32_t WRITE = 0x4C430002;
// PRINT: no payload; wParam is a window of the asker. Before returning, the simulator
// sends that window a PRINT_REPLY whose payload is the display as UTF-8 text:
// "<row 0>\n<row 1>\nviolations N writes M\n". The result is 1.
constexpr uint32_t PRINT = 0x4C430003;
constexpr uint32_t PRINT_REPLY = 0x4C430004;
// PACE: no payload. The result is the time of one port write of the simulated board in
// microseconds, the pace a real board keeps; 0 when it keeps none (a replay plays).
constexpr uint32_t PACE = 0x4C430005;
// REWIRE: the payload is "<wiring>\n<choices>" in UTF-8, a list as --miswire takes it and
// one as --controller takes it, either empty for the board's own. The board keeps its
// display; the new wiring and choices count from its next port write on. The result is 1,
// or 0 if a list is not read (nothing changes then).
constexpr uint32_t REWIRE = 0x4C430006;

struct WritePayload {
    int32_t handle;
    int32_t port;
    int32_t value;
    int32_t reserved;
    // Real time since the caller's previous call into the library, in microseconds.
    uint64_t gapMicroseconds;
};
static_assert(sizeof(WritePayload) == 24, "the same layout in 32-bit and 64-bit processes");

// Only the low 16 bits of a handle travel through the program, widened with their sign.
constexpr bool SameHandle(int32_t a, int32_t b) {
    return ((a ^ b) & 0xFFFF) == 0;
}

} // namespace SimProtocol

// The simulator's main window: it owns the simulated board, answers the stand-in
// HID2.DLL's requests (sim_protocol.h) and shows the board.
#pragma once

#include <windows.h>

#include <cstdint>

namespace SimWindow {

struct Settings {
    // Virtual time each port write costs.
    uint32_t writeCostMicroseconds;
    // Whether the real time a client lets pass between its calls, beyond one write cost,
    // advances virtual time too (it then stands for the client's sleeps and work).
    bool countGaps;
    // A hidden window still answers requests.
    bool visible;
    // Screen position of the window (CW_USEDEFAULT: the system's choice).
    int x;
    int y;
};

// Registers the window class and creates the window with a freshly powered board.
// Returns nullptr if the window could not be made.
HWND Create(HINSTANCE instance, const Settings& settings);

} // namespace SimWindow

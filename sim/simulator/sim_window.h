// The simulator's main window: it owns the simulated board, answers the stand-in
// HID2.DLL's requests (sim_protocol.h) and shows the board.
#pragma once

#include <windows.h>

#include <cstdint>

namespace SimWindow {

// Registers the window class and creates the window with a freshly powered board whose
// port writes each cost `writeCostMicroseconds` of virtual time. A hidden window still
// answers requests. Returns nullptr if the window could not be made.
HWND Create(HINSTANCE instance, uint32_t writeCostMicroseconds, bool visible);

} // namespace SimWindow

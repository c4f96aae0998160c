// The simulator's main window: it owns the simulated board, answers the stand-in
// HID2.DLL's requests (sim_protocol.h) and shows the board.
#pragma once

#include "controller_choices.h"
#include "replay.h"
#include "wiring.h"

#include <windows.h>

#include <cstdint>
#include <vector>

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
    // A recorded run to play at its recorded pace instead of answering the library
    // (nullptr: a live board), and the file it came from, for the title.
    const std::vector<Sim::LoggedCall>* replay;
    const wchar_t* replayName;
    // How the board reaches the display, and what its controller does where the datasheet
    // is silent; the title names a mis-wiring and the choices that are not the defaults.
    Sim::Wiring wiring;
    Sim::ControllerChoices choices;
};

// Registers the window class and creates the window with a freshly powered board.
// Returns nullptr if the window could not be made. While it replays a recording the
// board is no client's: opening it answers 0 (no board), as the board is busy.
HWND Create(HINSTANCE instance, const Settings& settings);

} // namespace SimWindow

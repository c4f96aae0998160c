// What a second start of LCDSIM.exe does to the simulator that already runs.
#pragma once

#include <windows.h>

#include <string>

namespace Remote {

// The running simulator's window, or nullptr.
HWND FindSimulator();

// Shows the running simulator (also one started hidden) and brings it to the front.
void BringToFront(HWND simulator);

// Asks the running simulator for its display text (rows and counters, UTF-8). False if it
// did not answer.
bool FetchDisplayText(HINSTANCE instance, HWND simulator, std::string& text);

// Gives the running simulator's board a new wiring and new controller choices, as
// --miswire and --controller write them (empty: the board's own), keeping its display.
// False if it did not take them.
bool Rewire(HWND simulator, const std::string& wiring, const std::string& choices);

// Closes the running simulator and waits until its process has ended, so that the board
// is gone and a new simulator can start at once. False if it did not end in time.
bool Close(HWND simulator);

} // namespace Remote

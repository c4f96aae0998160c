// Stand-in for HID2.DLL, so the program runs without the USB-IO board: what its three
// entry points do (exports.h makes them the library's exports).
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
#pragma once

namespace StandIn {

// What hidinit returns in test mode when HID2_INIT does not say.
constexpr int DEFAULT_HANDLE = 0x1234;

int Open();
int Write(int handle, int port, int value);
int Read(int handle, int port);

} // namespace StandIn

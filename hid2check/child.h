// The checking process: hid2check started again to make every call into the user's
// library, so that a library that crashes or hangs takes only this process with it. It
// tells the reporting process what happens, one line at a time (see report.h).
#pragma once

#include <windows.h>

#include <string>

namespace Child {

// The switch that makes hid2check the checking process:
//   hid2check --check-in-child <pipe handle> load|bind|live|wiring|lines <screen> <library path>
constexpr const wchar_t* SWITCH = L"--check-in-child";

// LOAD: only load the library (its names are not all there); BIND: load it and find the
// three entry points, as Windows does for KORVAN3.exe; LIVE: then also open the board,
// probe, time the writes and show the test screen; WIRING: open the board and show one
// wiring screen; LINES: open the board and set one step of the line walk, or after the
// last step put the display back to a clean state.
enum class Check { LOAD, BIND, LIVE, WIRING, LINES };
constexpr const wchar_t* CHECK_NAMES[] = {L"load", L"bind", L"live", L"wiring", L"lines"};

struct Task {
    Check check = Check::LOAD;
    int screen = 0; // WIRING: the wiring screen to show; LINES: the step
};

// Checks the library as asked; every line goes to `report`. The process's exit code.
int Run(HANDLE report, const Task& task, const std::wstring& path);
// hid2check started with SWITCH: reads the rest of the command line and runs the check.
int Main(int argc, wchar_t** argv);

} // namespace Child

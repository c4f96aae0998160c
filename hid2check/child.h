// The checking process: hid2check started again to make every call into the user's
// library, so that a library that crashes or hangs takes only this process with it. It
// tells the reporting process what happens, one line at a time (see report.h).
#pragma once

#include <windows.h>

#include <string>

namespace Child {

// The switch that makes hid2check the checking process:
//   hid2check --check-in-child <pipe handle> load|live <library path>
constexpr const wchar_t* SWITCH = L"--check-in-child";

// Loads the library and, when `live`, opens the board, probes, times the writes and shows
// the test screen; every line goes to `report`. The process's exit code.
int Run(HANDLE report, bool live, const std::wstring& path);

} // namespace Child

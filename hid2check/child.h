// The checking process: hid2check started again to make every call into the user's
// library, so that a library that crashes or hangs takes only this process with it. It
// tells the reporting process what happens, one line at a time (protocol.h).
#pragma once

#include "protocol.h"

#include <windows.h>

#include <string>

namespace Child {

// Runs `run` on the library at `path`; every line goes to `report`. The process's exit
// code.
int Run(HANDLE report, const Protocol::Run& run, const std::wstring& path);
// hid2check started with Protocol::SWITCH: reads the rest of the command line and runs
// the check.
int Main(int argc, wchar_t** argv);

} // namespace Child

// The stand-in's call log (HID2_LOG) as the driver reads it while the program runs,
// through the simulator's own reader of that log.
#pragma once

#include "expected_screens.h"
#include "replay.h"

#include <cstddef>
#include <string>
#include <vector>

using Calls = std::vector<Sim::LoggedCall>;

// The calls logged so far; none if there is no log yet. A line still being written when
// the file is read ends the calls before it.
Calls ReadLog(const std::string& path);

// The port writes among the calls, from call `from` on.
Expected::Writes WritesOf(const Calls& calls, size_t from = 0);

size_t CountOf(const Calls& calls, Sim::LoggedCall::Kind kind);

// The microseconds between port write `index` (from 0) and the call before it; -1 if
// there is no such write or no call before it.
long long GapBeforeWrite(const Calls& calls, size_t index);

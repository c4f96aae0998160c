// KORVAN3.exe's screens as the LCD subsystem itself sends them, caught on their way
// through its seam instead of reaching a library and the clock.
#pragma once

#include "board.h"

#include <functional>
#include <vector>

namespace Recorder {

// Runs `show` with every port write and sleep of the LCD subsystem caught; what was
// caught, in order.
std::vector<Sim::WriteOrWait> Record(const std::function<void()>& show);

// For the seam: true while a recording runs. The handle hidinit gives the subsystem then.
bool Recording();
constexpr int RECORDING_HANDLE = 1;
// For the seam: keeps the step and returns true while a recording runs; false otherwise,
// and the step must really happen.
bool Caught(const Sim::WriteOrWait& step);

} // namespace Recorder

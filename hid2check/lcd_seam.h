// The LCD subsystem's seam as hid2check binds it: HID2.DLL's three entry points in the
// library the checking process loaded, and the sleep. While a recording runs
// (recorder.h) the writes and sleeps go there instead.
#pragma once

#include "hid2_entries.h"

#include <functional>

namespace LcdSeam {

// The library the subsystem's calls go to, and the handle hidinit already gave: the
// bring-up opens the board again and gets that one instead of a second. `written` is
// told after each write returns.
void Bind(const Hid2Entries::Entries& library, int openedHandle, std::function<void()> written);

} // namespace LcdSeam

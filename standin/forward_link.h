// The stand-in's link to another HID2.DLL, the board maker's for example, so that a run
// with the real board can be recorded: each call is passed on and its result returned.
#pragma once

namespace ForwardLink {

// True when HID2_FORWARD names a library to pass the calls on to.
bool Wanted();
// The calls, passed on to that library whichever calling convention it was built with.
// A library that cannot be loaded, or lacks the entry point, answers 0 (no board).
int Open();
int Write(int handle, int port, int value);
int Read(int handle, int port);

} // namespace ForwardLink

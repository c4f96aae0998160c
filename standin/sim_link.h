// The stand-in's link to LCDSIM.exe, the simulated board: opening asks the running
// simulator for its handle, and each write is handed to it synchronously, together with
// the real time that passed since the previous call into the library.
#pragma once

namespace SimLink {

// The running simulator's handle, or 0 when no simulator runs.
int Open();
// Applies one port write to the simulator's board before returning, if `handle` is the
// handle of the simulator that runs now, and returns no sooner than the simulated board's
// write cost after the previous write returned, as a real board answers. Returns 1 if the
// board took the write, else 0.
int Write(int handle, int port, int value);

} // namespace SimLink

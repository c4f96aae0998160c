// The stand-in's call log: one line per call, written through at once so that a
// reader sees every call as soon as it has returned, even if the process dies.
#pragma once

namespace Hid2Log {

// Appends "<microseconds> <formatted text>\n" to the file named by HID2_LOG, if set.
void Line(const char* format, ...);

} // namespace Hid2Log

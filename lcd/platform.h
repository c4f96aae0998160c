// The LCD subsystem's seam to the operating system, besides HID2.DLL.
#pragma once

namespace Platform {

// Size of the buffers that receive a formatted date or time, terminating zero included.
constexpr int FORMAT_BUFFER_SIZE = 255;

// Blocks the calling thread for `milliseconds`.
void SleepMilliseconds(int milliseconds);

// Format the current local date or time with a Windows date/time picture for the
// system default locale into `buffer` (FORMAT_BUFFER_SIZE bytes, zero-filled by the
// caller). Each call reads the clock once. On failure the buffer is left as it is.
void FormatCurrentDate(const char* picture, char* buffer);
void FormatCurrentTime(const char* picture, char* buffer);

} // namespace Platform

// The system's performance counter in microseconds: the time base of the stand-in's log,
// which the end-to-end driver compares with its own readings and a replay keeps pace with.
#pragma once

#include <windows.h>

inline long long NowMicroseconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return counter.QuadPart / frequency.QuadPart * 1000000 +
           counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

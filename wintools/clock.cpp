#include "clock.h"

#include <windows.h>

namespace Clock {

long long NowMicroseconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    // Whole seconds and the remainder apart, so that a long uptime cannot overflow.
    return counter.QuadPart / frequency.QuadPart * 1000000 +
           counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

} // namespace Clock

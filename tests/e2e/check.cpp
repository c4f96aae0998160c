#include "check.h"

#include <cstdarg>
#include <cstdio>

namespace {

int failures = 0;

} // namespace

void Check(bool condition, const char* format, ...) {
    if (condition) {
        return;
    }
    ++failures;
    std::printf("FAIL: ");
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::printf("\n");
    // The lines of a driver that hangs later still reach the test's output.
    std::fflush(stdout);
}

int FailedChecks() {
    return failures;
}

// The driver's checks: each failed one is a line on the standard output.
#pragma once

// Prints "FAIL: " and the formatted message unless `condition` holds.
void Check(bool condition, const char* format, ...);

int FailedChecks();

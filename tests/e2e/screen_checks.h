// The program's port writes compared with the expected screens.
#pragma once

#include "expected_screens.h"

#include <cstddef>

// What every run writes before anything the user does.
extern const size_t BRING_UP_AND_SPLASH;

// A failed check names the counts and the first writes that differ.
void CheckWrites(const Expected::Writes& actual, const Expected::Writes& expected,
                 const char* what);

// The writes that follow the bring-up and the splash.
Expected::Writes AfterSplash(const Expected::Writes& writes);

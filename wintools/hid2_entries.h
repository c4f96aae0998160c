// The three names KORVAN3.exe imports from HID2.DLL, and their binding in a library
// loaded at run time. Windows refuses to start the exe if one of them is missing.
#pragma once

#include "hid2_call.h"

#include <windows.h>

namespace Hid2Entries {

constexpr const char* HIDINIT = "hidinit";
constexpr const char* HIDWRITE = "Hidwrite";
constexpr const char* HIDREAD = "Hidread";
constexpr const char* NAMES[] = {HIDINIT, HIDWRITE, HIDREAD};

struct Entries {
    Hid2Call::Entry hidinit = nullptr;
    Hid2Call::Entry hidwrite = nullptr;
    Hid2Call::Entry hidread = nullptr;
};

// Finds the three entry points of `module`, each one it can. A name in the export table
// may still lead nowhere (forwarded to a missing library). False unless all three were
// found; the last error is then that of the first name that was not.
bool Bind(HMODULE module, Entries& entries);

} // namespace Hid2Entries

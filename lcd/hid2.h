// The USB-IO library's entry points, as the exe imports them from HID2.DLL. Only
// lcd/usbio_link.cpp calls them; the unit tests' fake board defines them, hid2check defines
// them to reach a library it loads itself, and hid2_call.h takes their convention.
#pragma once

#if defined(_WIN32)
#define HID2_CALL __stdcall
// A program that loads the library itself defines these functions in its own code.
#if defined(HID2_BOUND_AT_RUN_TIME)
#define HID2_IMPORT
#else
#define HID2_IMPORT __declspec(dllimport)
#endif
#else
#define HID2_CALL
#define HID2_IMPORT
#endif

extern "C" {
// Opens the board; the low 16 bits of the result are 0 when no board is usable.
HID2_IMPORT int HID2_CALL hidinit(void);
// Drives the output lines of `port` (1 or 2) to the low bits of `value`.
HID2_IMPORT int HID2_CALL Hidwrite(int handle, int port, int value);
// Reads a port; the program never calls it, but the exe imports it.
HID2_IMPORT int HID2_CALL Hidread(int handle, int port);
}

// A picture of a window for the test's artifacts.
#pragma once

#include <windows.h>

#include <string>

// Saves what the screen shows of the window as a 24-bit BMP.
void SaveWindowBitmap(HWND window, const std::string& path);

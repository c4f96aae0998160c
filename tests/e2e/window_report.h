// The stand-in's report (HID2_WINDOW_REPORT) of what it saw from inside the program
// while the window was being created.
#pragma once

#include <string>

// Checks the class icons, cursor and brush, the window's icons and the controls' font.
void CheckWindowReport(const std::string& path);

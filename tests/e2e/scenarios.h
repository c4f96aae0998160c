// The driver's scenarios: each starts KORVAN3.exe with the stand-in HID2.DLL, acts as a
// user or the board would, and reports what differs through Check.
#pragma once

#include <string>

struct Run {
    std::string exe; // KORVAN3.exe, as Windows names it
    std::string log; // the stand-in's call log
    // Where the window scenario saves a picture of the window; nullptr: nowhere.
    const char* screenshot;
};

// The window and its controls.
void ScenarioWindow(const Run& run);
void ScenarioResize(const Run& run);

// What reaches the display.
void ScenarioStartup(const Run& run);
void ScenarioTyping(const Run& run);
void ScenarioEmptyAndLong(const Run& run);
void ScenarioTime(const Run& run);
void ScenarioAbsent(const Run& run);
void ScenarioLate(const Run& run);
void ScenarioEarlyClick(const Run& run);
void ScenarioConventions(const Run& run);

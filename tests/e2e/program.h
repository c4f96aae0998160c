// KORVAN3.exe under test: started with the stand-in HID2.DLL recording to a log, driven
// through its window as a user drives it, and closed as a user closes it.
#pragma once

#include "call_log.h"

#include <windows.h>

#include <string>

constexpr int ID_EDIT_LINE1 = 1000;
constexpr int ID_EDIT_LINE2 = 1001;
constexpr int ID_BUTTON_SHOW = 1002;
constexpr int ID_BUTTON_TIME = 1003;

struct Program {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    std::string log;
    long long startMicroseconds = 0;
};

// Starts the program with the stand-in's hidinit results scripted by `initScript` (empty:
// a board that answers) and waits for its window; false, after a failed check, if it
// did not appear.
bool Start(Program& program, const std::string& exe, const std::string& log,
           const std::string& initScript);

// Waits until the log holds at least `count` calls of the kind, or the time is up; the
// calls logged by then.
Calls WaitForCalls(const Program& program, Sim::LoggedCall::Kind kind, size_t count,
                   DWORD timeoutMs = 5000);
inline Calls WaitForWrites(const Program& program, size_t count) {
    return WaitForCalls(program, Sim::LoggedCall::Kind::HIDWRITE, count);
}

// Closes the window as the user does; the exit code.
DWORD Close(Program& program);

HWND Control(const Program& program, int id);
std::wstring TextOf(HWND window);
void SetText(const Program& program, int id, const char* bytes);
void SetText(const Program& program, int id, const wchar_t* text);

// A click as the button's notification, straight to the window procedure.
void Click(const Program& program, int id);
// A real mouse click in the middle of a control, through the system's input queue.
void ClickOn(HWND control);
// Real keystrokes: each character as a key press and release.
void Type(const std::wstring& text);

#include "bitmap.h"
#include "check.h"
#include "program.h"
#include "scenarios.h"
#include "screen_checks.h"
#include "window_report.h"

#include <windows.h>

#include <cwchar>

namespace {

struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    LONG extendedStyle;
    RECT rect; // client coordinates: left, top, right, bottom
};

const ExpectedControl CONTROLS[] = {
    {ID_EDIT_LINE1, L"Edit", L"", WS_EX_CLIENTEDGE, {19, 14, 19 + 155, 14 + 23}},
    {ID_EDIT_LINE2, L"Edit", L"", WS_EX_CLIENTEDGE, {19, 40, 19 + 155, 40 + 23}},
    {ID_BUTTON_SHOW, L"Button", L"LCD\u8868\u793A", 0, {179, 13, 179 + 78, 13 + 52}},
    {ID_BUTTON_TIME, L"Button", L"\u6642\u9593", 0, {264, 12, 264 + 61, 12 + 53}},
};

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CheckControlPlaces(const Program& program, const char* when) {
    for (const ExpectedControl& expected : CONTROLS) {
        const RECT r = ClientRectOf(Control(program, expected.id));
        Check(EqualRect(&r, &expected.rect) != FALSE,
              "%s: control %d at (%ld,%ld)-(%ld,%ld), expected (%ld,%ld)-(%ld,%ld)", when,
              expected.id, r.left, r.top, r.right, r.bottom, expected.rect.left, expected.rect.top,
              expected.rect.right, expected.rect.bottom);
    }
}

} // namespace

// The window and its controls as created, and the splash with nothing else after it.
void ScenarioWindow(const Run& run) {
    const std::string report = run.log + ".window";
    DeleteFileA(report.c_str());
    SetEnvironmentVariableA("HID2_WINDOW_REPORT", report.c_str());
    Program program;
    const bool started = Start(program, run.exe, run.log, "");
    SetEnvironmentVariableA("HID2_WINDOW_REPORT", nullptr);
    if (!started) {
        return;
    }
    const HWND window = program.window;
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    Check(std::wcscmp(text, L"KORVAN3") == 0, "title is %ls", text);
    RECT rect;
    GetWindowRect(window, &rect);
    Check(rect.right - rect.left == 354 && rect.bottom - rect.top == 100, "outer size %ldx%ld",
          rect.right - rect.left, rect.bottom - rect.top);
    // The system adds WS_CLIPSIBLINGS to every top-level window, and the window edge to
    // every framed one.
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    Check((style & ~static_cast<DWORD>(WS_CLIPSIBLINGS)) == 0x10CF0000u, "window style %08lx",
          style);
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    Check((exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE)) == 0, "extended style %08lx", exStyle);
    Check(GetClassLongW(window, GCL_STYLE) == 0x000B, "class style %08lx",
          GetClassLongW(window, GCL_STYLE));
    Check(GetMenu(window) == nullptr, "window has a menu");
    CheckWindowReport(report);

    // The four controls, in creation order.
    HWND child = GetWindow(window, GW_CHILD);
    for (const ExpectedControl& expected : CONTROLS) {
        Check(child != nullptr, "control %d missing", expected.id);
        if (child == nullptr) {
            break;
        }
        Check(GetDlgCtrlID(child) == expected.id, "control %d found where %d was expected",
              GetDlgCtrlID(child), expected.id);
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        Check(_wcsicmp(className, expected.className) == 0, "control %d class %ls", expected.id,
              className);
        Check(TextOf(child) == expected.text, "control %d caption %ls", expected.id,
              TextOf(child).c_str());
        const auto childStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        Check(childStyle == 0x50000000u, "control %d style %08lx", expected.id, childStyle);
        const auto childExStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE));
        Check(childExStyle == static_cast<DWORD>(expected.extendedStyle),
              "control %d extended style %08lx", expected.id, childExStyle);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    Check(child == nullptr, "more than four controls");
    CheckControlPlaces(program, "at start");

    GUITHREADINFO threadInfo = {};
    threadInfo.cbSize = sizeof threadInfo;
    GetGUIThreadInfo(program.process.dwThreadId, &threadInfo);
    Check(threadInfo.hwndFocus == nullptr || threadInfo.hwndFocus == window,
          "control %d has the focus at start", GetDlgCtrlID(threadInfo.hwndFocus));

    WaitForWrites(program, BRING_UP_AND_SPLASH);
    if (run.screenshot != nullptr) {
        SetForegroundWindow(window);
        Sleep(300);
        SaveWindowBitmap(window, run.screenshot);
    }
    Check(Close(program) == 0, "exit code not 0");
}

// Resizing and maximising move nothing.
void ScenarioResize(const Run& run) {
    Program program;
    if (!Start(program, run.exe, run.log, "")) {
        return;
    }
    SetWindowPos(program.window, nullptr, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER);
    Sleep(200);
    CheckControlPlaces(program, "after resizing");
    ShowWindow(program.window, SW_MAXIMIZE);
    Sleep(300);
    Check(IsZoomed(program.window) != FALSE, "not maximised");
    CheckControlPlaces(program, "after maximising");
    SetWindowPos(program.window, nullptr, 0, 0, 120, 60, SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(program.window, SW_RESTORE);
    Sleep(200);
    CheckControlPlaces(program, "after shrinking");
    Check(Close(program) == 0, "exit code not 0");
}

#include "program.h"

#include "check.h"
#include "clock.h"

#include <cwchar>

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    // Visible only once its creation, display bring-up included, has finished.
    if (processId == search->processId && std::wcscmp(className, L"NORMAL0") == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool Start(Program& program, const std::string& exe, const std::string& log,
           const std::string& initScript) {
    DeleteFileA(log.c_str());
    program.log = log;
    SetEnvironmentVariableA("HID2_LOG", log.c_str());
    SetEnvironmentVariableA("HID2_INIT", initScript.empty() ? nullptr : initScript.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    program.startMicroseconds = Clock::NowMicroseconds();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &program.process)) {
        Check(false, "cannot start %s (error %lu)", exe.c_str(), GetLastError());
        return false;
    }
    WindowSearch search{program.process.dwProcessId, nullptr};
    for (int i = 0; i < 2000 && search.found == nullptr; ++i) {
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(5);
        }
    }
    program.window = search.found;
    Check(program.window != nullptr, "no window of class NORMAL0 appeared");
    return program.window != nullptr;
}

Calls WaitForCalls(const Program& program, Sim::LoggedCall::Kind kind, size_t count,
                   DWORD timeoutMs) {
    Calls calls;
    const DWORD start = GetTickCount();
    do {
        calls = ReadLog(program.log);
        if (CountOf(calls, kind) >= count) {
            break;
        }
        Sleep(10);
    } while (GetTickCount() - start < timeoutMs);
    return calls;
}

DWORD Close(Program& program) {
    PostMessageW(program.window, WM_CLOSE, 0, 0);
    const DWORD waited = WaitForSingleObject(program.process.hProcess, 10000);
    Check(waited == WAIT_OBJECT_0, "the program did not end after WM_CLOSE");
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(program.process.hProcess, 99);
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(program.process.hProcess, &exitCode);
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    return exitCode;
}

HWND Control(const Program& program, int id) {
    return GetDlgItem(program.window, id);
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

void SetText(const Program& program, int id, const char* bytes) {
    SendMessageA(Control(program, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes));
}

void SetText(const Program& program, int id, const wchar_t* text) {
    SendMessageW(Control(program, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Click(const Program& program, int id) {
    SendMessageW(program.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(program, id)));
}

void ClickOn(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Sleep(50);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    Sleep(150);
}

void Type(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = inputs[1].ki.wScan = static_cast<WORD>(c);
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        Sleep(15);
    }
    Sleep(150);
}

// End-to-end driver: starts KORVAN3.exe with the stand-in HID2.DLL in test mode and
// checks it from outside through the Win32 API, as a user and the board would see it.
//   e2e_driver <scenario> <path of KORVAN3.exe> <log file> [screenshot of the window]
// Prints one line per failed check and exits 1 if any failed.
#include "clock.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Check(bool condition, const char* format, ...) {
    if (condition) {
        return;
    }
    ++failures;
    std::printf("FAIL: ");
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::printf("\n");
    std::fflush(stdout);
}

// One recorded call of the stand-in.
struct Call {
    long long microseconds;
    std::string name;
    int handle; // Hidwrite; hidinit: its result
    int port;
    int value;
};

std::vector<Call> ReadLog(const std::string& path) {
    std::vector<Call> calls;
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return calls;
    }
    char line[160];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        Call call{0, "", 0, 0, 0};
        char name[32];
        const int fields = std::sscanf(line, "%lld %31s %d %d %d", &call.microseconds, name,
                                       &call.handle, &call.port, &call.value);
        if (fields >= 3) {
            call.name = name;
            calls.push_back(call);
        }
    }
    std::fclose(file);
    return calls;
}

struct PortWrite {
    int port;
    int value;
    bool operator==(const PortWrite& other) const {
        return port == other.port && value == other.value;
    }
};
using Writes = std::vector<PortWrite>;

Writes WritesOf(const std::vector<Call>& calls, size_t from = 0) {
    Writes writes;
    for (size_t i = from; i < calls.size(); ++i) {
        if (calls[i].name == "Hidwrite") {
            writes.push_back({calls[i].port, calls[i].value});
        }
    }
    return writes;
}

// The microseconds between port write `index` (0-based) and the call before it; -1 if
// there is no such write or no call before it.
long long GapBeforeWrite(const std::vector<Call>& calls, size_t index) {
    size_t seen = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].name == "Hidwrite" && seen++ == index) {
            return i == 0 ? -1 : calls[i].microseconds - calls[i - 1].microseconds;
        }
    }
    return -1;
}

size_t CountOf(const std::vector<Call>& calls, const char* name) {
    size_t count = 0;
    for (const Call& call : calls) {
        count += call.name == name ? 1u : 0u;
    }
    return count;
}

void AppendCycle(Writes& writes, int code, int control) {
    writes.push_back({1, code});
    writes.push_back({2, control});
    writes.push_back({2, control + 8});
    writes.push_back({2, control});
}

void AppendText(Writes& writes, const std::string& bytes, int control) {
    for (char c : bytes) {
        AppendCycle(writes, static_cast<unsigned char>(c), control);
    }
}

Writes BringUpWrites() {
    Writes writes;
    for (int code : {0x30, 0x30, 0x30, 0x38, 0x0C, 0x01, 0x06}) {
        AppendCycle(writes, code, 2);
    }
    writes.push_back({2, 0});
    return writes;
}

const std::string SPLASH_0 = "\xCA\xDD\xD6\xB3USB-IO + LCD";
const std::string SPLASH_1 = "KORVAN   by OLKA";
const std::string GOODBYE = " --- \xBC\xAD\xB3\xD8\xAE\xB3 ---";

Writes SplashWrites() {
    Writes writes;
    AppendCycle(writes, 0x80, 0);
    AppendText(writes, SPLASH_0, 1);
    AppendCycle(writes, 0xC0, 0);
    AppendText(writes, SPLASH_1, 1);
    return writes;
}

Writes UserTextWrites(const std::string& first, const std::string& second) {
    Writes writes;
    AppendCycle(writes, 0x01, 0);
    AppendCycle(writes, 0x80, 0);
    AppendText(writes, first, 1);
    AppendCycle(writes, 0xC0, 0);
    AppendText(writes, second, 1);
    return writes;
}

Writes GoodbyeWrites() {
    Writes writes = {{2, 2}};
    AppendCycle(writes, 0x01, 2);
    AppendText(writes, GOODBYE, 3);
    return writes;
}

std::string Describe(const Writes& writes, size_t from, size_t count) {
    std::string text;
    for (size_t i = from; i < writes.size() && i < from + count; ++i) {
        char pair[24];
        std::snprintf(pair, sizeof pair, "(%d,%d)", writes[i].port, writes[i].value);
        text += pair;
    }
    return text;
}

void CheckWrites(const Writes& actual, const Writes& expected, const char* what) {
    size_t first = 0;
    while (first < actual.size() && first < expected.size() && actual[first] == expected[first]) {
        ++first;
    }
    Check(actual == expected, "%s: %zu writes, expected %zu; first difference at %zu: %s vs %s",
          what, actual.size(), expected.size(), first, Describe(actual, first, 6).c_str(),
          Describe(expected, first, 6).c_str());
}

Writes Concat(std::initializer_list<Writes> parts) {
    Writes all;
    for (const Writes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// The program under test.
struct Program {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    std::string log;
    long long startMicroseconds = 0;
};

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

// Starts the program with the stand-in scripted by `initScript` and waits for its window.
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

// Waits until the log holds at least `count` port writes.
std::vector<Call> WaitForWrites(const Program& program, size_t count, DWORD timeoutMs = 5000) {
    std::vector<Call> calls;
    const DWORD start = GetTickCount();
    do {
        calls = ReadLog(program.log);
        if (CountOf(calls, "Hidwrite") >= count) {
            break;
        }
        Sleep(10);
    } while (GetTickCount() - start < timeoutMs);
    return calls;
}

// Closes the window as the user does and returns the exit code.
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

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A real mouse click in the middle of a control, through the system's input queue.
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

// Real keystrokes: each character as a key press and release.
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

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

void Click(const Program& program, int id) {
    SendMessageW(program.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(program, id)));
}

constexpr int ID_EDIT_LINE1 = 1000;
constexpr int ID_EDIT_LINE2 = 1001;
constexpr int ID_BUTTON_SHOW = 1002;
constexpr int ID_BUTTON_TIME = 1003;

const size_t BRING_UP_AND_SPLASH = 29 + 136;

// The writes that follow the bring-up and the splash.
Writes AfterSplash(const Writes& writes) {
    return Writes(writes.begin() + static_cast<long>(std::min(writes.size(), BRING_UP_AND_SPLASH)),
                  writes.end());
}

// Saves what the screen shows of a window as a 24-bit BMP.
void SaveWindowBitmap(HWND window, const std::string& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
        0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        std::fwrite(&header, sizeof header, 1, file);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file);
        std::fwrite(bits, imageSize, 1, file);
        std::fclose(file);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

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

void CheckControlPlaces(const Program& program, const char* when) {
    for (const ExpectedControl& expected : CONTROLS) {
        const RECT r = ClientRectOf(Control(program, expected.id));
        Check(EqualRect(&r, &expected.rect) != FALSE,
              "%s: control %d at (%ld,%ld)-(%ld,%ld), expected (%ld,%ld)-(%ld,%ld)", when,
              expected.id, r.left, r.top, r.right, r.bottom, expected.rect.left, expected.rect.top,
              expected.rect.right, expected.rect.bottom);
    }
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* file = std::fopen(path.c_str(), "r");
    char line[256];
    while (file != nullptr && std::fgets(line, sizeof line, file) != nullptr) {
        lines.emplace_back(line, std::strcspn(line, "\n"));
    }
    if (file != nullptr) {
        std::fclose(file);
    }
    return lines;
}

// What the stand-in saw from inside the program while its window was being created:
// class icons, cursor and brush, the window's icons and the controls' font.
void CheckWindowReport(const std::string& path) {
    const std::vector<std::string> lines = ReadLines(path);
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    const char* expected[] = {
        "class_icon_is_stock_application 1",
        "class_small_icon_is_stock_winlogo 1",
        "class_cursor_is_stock_arrow 1",
        "large_icon 1 small_icon 0",
        "large_icon_pixels 32x32 transparent 408 black 76 yellow 540 other 0",
    };
    for (const char* line : expected) {
        Check(has(line), "window report lacks '%s'", line);
    }
    // Height -12, width, escapement, orientation 0, weight 400, not italic, underlined or
    // struck out, Shift_JIS, stroke precisions, draft quality, Swiss family, default pitch.
    const std::string font = " font -12 0 0 0 400 0 0 0 128 3 2 1 32 "
                             "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7"
                             "\xE3\x83\x83\xE3\x82\xAF";
    for (int id = 1000; id <= 1003; ++id) {
        Check(has("control " + std::to_string(id) + font), "control %d font not as created", id);
    }
    unsigned style = 99;
    unsigned long colour = 1;
    unsigned long buttonFace = 2;
    for (const std::string& line : lines) {
        std::sscanf(line.c_str(), "class_background style %u colour %lx button_face %lx", &style,
                    &colour, &buttonFace);
    }
    Check(style == BS_SOLID && colour == buttonFace,
          "class background: style %u colour %06lx, button face %06lx", style, colour, buttonFace);
}

// The window and its controls as created, and the splash with nothing else after it.
void ScenarioWindow(const std::string& exe, const std::string& log, const char* screenshot) {
    const std::string report = log + ".window";
    DeleteFileA(report.c_str());
    SetEnvironmentVariableA("HID2_WINDOW_REPORT", report.c_str());
    Program program;
    const bool started = Start(program, exe, log, "");
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
    if (screenshot != nullptr) {
        SetForegroundWindow(window);
        Sleep(300);
        SaveWindowBitmap(window, screenshot);
    }
    Check(Close(program) == 0, "exit code not 0");
}

// Bring-up, the splash once about 100 ms later, and the goodbye at the end.
void ScenarioStartup(const std::string& exe, const std::string& log) {
    Program program;
    if (!Start(program, exe, log, "")) {
        return;
    }
    std::vector<Call> calls = WaitForWrites(program, BRING_UP_AND_SPLASH);
    Sleep(500);
    calls = ReadLog(log);
    CheckWrites(WritesOf(calls), Concat({BringUpWrites(), SplashWrites()}), "bring-up and splash");
    Check(CountOf(calls, "hidinit") == 1, "hidinit called %zu times", CountOf(calls, "hidinit"));
    Check(!calls.empty() && calls[0].name == "hidinit", "the first call is not hidinit");
    for (const Call& call : calls) {
        Check(call.name != "Hidwrite" || call.handle == 0x1234, "a write with handle %d",
              call.handle);
    }
    if (WritesOf(calls).size() == BRING_UP_AND_SPLASH) {
        // The gap between the bring-up's last write and the splash's first.
        const long long gap = GapBeforeWrite(calls, 29);
        Check(gap >= 95000 && gap < 1000000, "splash came %lld us after the bring-up", gap);
        std::printf("bring-up to splash: %lld us\n", gap);
    }
    const size_t before = calls.size();
    Check(Close(program) == 0, "exit code not 0");
    calls = ReadLog(log);
    CheckWrites(WritesOf(calls, before), GoodbyeWrites(), "goodbye");
}

// Real typing and clicks: katakana arrive as single bytes, a box takes only what fits.
void ScenarioTyping(const std::string& exe, const std::string& log) {
    Program program;
    if (!Start(program, exe, log, "")) {
        return;
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    ClickOn(Control(program, ID_EDIT_LINE1));
    Type(L"\uFF8A\uFF9D\uFF96\uFF73Ab1"); // ﾊﾝﾖｳAb1
    ClickOn(Control(program, ID_EDIT_LINE2));
    Type(L"x y");
    Check(TextOf(Control(program, ID_EDIT_LINE1)) == L"\uFF8A\uFF9D\uFF96\uFF73Ab1",
          "box 1 holds %ls", TextOf(Control(program, ID_EDIT_LINE1)).c_str());
    Check(TextOf(Control(program, ID_EDIT_LINE2)) == L"x y", "box 2 holds %ls",
          TextOf(Control(program, ID_EDIT_LINE2)).c_str());
    ClickOn(Control(program, ID_BUTTON_SHOW));
    std::vector<Call> calls = WaitForWrites(program, BRING_UP_AND_SPLASH + 4 * 13);
    const Writes writes = WritesOf(calls);
    CheckWrites(AfterSplash(writes),
                UserTextWrites("\xCA\xDD\xD6\xB3"
                               "Ab1",
                               "x y"),
                "click on LCD display");

    // Typing beyond the visible width is refused by the box.
    ClickOn(Control(program, ID_EDIT_LINE2));
    Type(std::wstring(40, L'W'));
    const std::wstring typed = TextOf(Control(program, ID_EDIT_LINE2));
    Check(typed.size() > 3 && typed.size() < 43, "box 2 took %zu characters of 43", typed.size());
    Check(Close(program) == 0, "exit code not 0");
}

// Both boxes empty, then a text far longer than a row: sent whole.
void ScenarioEmptyAndLong(const std::string& exe, const std::string& log) {
    Program program;
    if (!Start(program, exe, log, "")) {
        return;
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    Click(program, ID_BUTTON_SHOW);
    std::string longText;
    for (int i = 0; i < 300; ++i) {
        longText += static_cast<char>('!' + i % 90);
    }
    SendMessageA(Control(program, ID_EDIT_LINE1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(longText.c_str()));
    SendMessageA(Control(program, ID_EDIT_LINE2), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("\xB1\xB2"));
    Click(program, ID_BUTTON_SHOW);
    // Kanji, ASCII and half-width katakana: 6 characters, 8 bytes of code page 932. The
    // box's length must be taken in bytes, or the text is cut short.
    SendMessageW(Control(program, ID_EDIT_LINE1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"\u6F22\u5B57A\uFF76\uFF851"));
    SendMessageW(Control(program, ID_EDIT_LINE2), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"\u6F22"));
    Click(program, ID_BUTTON_SHOW);
    // Commands that are not clicks of the two buttons do nothing.
    SendMessageW(program.window, WM_COMMAND, MAKEWPARAM(ID_BUTTON_SHOW, BN_DOUBLECLICKED), 0);
    SendMessageW(program.window, WM_COMMAND, MAKEWPARAM(ID_EDIT_LINE1, 0), 0);
    SendMessageW(program.window, WM_COMMAND, MAKEWPARAM(1004, 0), 0);
    const std::vector<Call> calls = ReadLog(log);
    const Writes writes = WritesOf(calls);
    CheckWrites(AfterSplash(writes),
                Concat({UserTextWrites("", ""), UserTextWrites(longText, "\xB1\xB2"),
                        UserTextWrites("\x8A\xBF\x8E\x9A"
                                       "A\xB6\xC5"
                                       "1",
                                       "\x8A\xBF")}),
                "empty boxes, a long text, double-byte text");
    Check(Close(program) == 0, "exit code not 0");
}

// The date and time of the click, between the clock readings taken around it.
void ScenarioTime(const std::string& exe, const std::string& log) {
    Program program;
    if (!Start(program, exe, log, "")) {
        return;
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    SYSTEMTIME before;
    GetLocalTime(&before);
    ClickOn(Control(program, ID_BUTTON_TIME));
    SYSTEMTIME after;
    GetLocalTime(&after);
    const std::vector<Call> calls = WaitForWrites(program, BRING_UP_AND_SPLASH + 4 * 22);
    const Writes writes = WritesOf(calls);
    Check(writes.size() == BRING_UP_AND_SPLASH + 4 * 22, "%zu writes after the click",
          writes.size() - std::min(writes.size(), BRING_UP_AND_SPLASH));
    if (writes.size() != BRING_UP_AND_SPLASH + 4 * 22) {
        Close(program);
        return;
    }
    std::string codes;
    for (size_t i = BRING_UP_AND_SPLASH; i < writes.size(); i += 4) {
        codes += static_cast<char>(writes[i].value);
    }
    std::string date = codes.substr(2, 11);
    std::string time = codes.substr(14, 8);
    Check(codes.substr(0, 2) == "\x01\x80" && codes[13] == '\xC0', "instructions around the rows");
    char earliest[32];
    char latest[32];
    std::snprintf(earliest, sizeof earliest, "%04u/%02u/%02u %02u:%02u:%02u", before.wYear,
                  before.wMonth, before.wDay, before.wHour, before.wMinute, before.wSecond);
    std::snprintf(latest, sizeof latest, "%04u/%02u/%02u %02u:%02u:%02u", after.wYear, after.wMonth,
                  after.wDay, after.wHour, after.wMinute, after.wSecond);
    const std::string shown = date + time;
    Check(shown >= earliest && shown <= latest, "shown '%s' not within '%s'..'%s'", shown.c_str(),
          earliest, latest);
    std::printf("shown: %s\n", shown.c_str());
    Check(Close(program) == 0, "exit code not 0");
}

// No board at all: nothing written, the window works, the program ends normally.
void ScenarioAbsent(const std::string& exe, const std::string& log) {
    Program program;
    if (!Start(program, exe, log, "0")) {
        return;
    }
    Sleep(400);
    Click(program, ID_BUTTON_SHOW);
    Click(program, ID_BUTTON_TIME);
    Check(Close(program) == 0, "exit code not 0");
    const std::vector<Call> calls = ReadLog(log);
    Check(CountOf(calls, "Hidwrite") == 0, "%zu writes", CountOf(calls, "Hidwrite"));
    // Every link operation asked: bring-up 22, splash 102, empty texts 9, time 66, goodbye 49.
    Check(CountOf(calls, "hidinit") == 22 + 102 + 9 + 66 + 49, "hidinit called %zu times",
          CountOf(calls, "hidinit"));
}

// The board plugged in after the splash: the click's writes come first, no initialisation.
void ScenarioLate(const std::string& exe, const std::string& log) {
    std::string script;
    for (int i = 0; i < 22 + 102; ++i) {
        script += "0,";
    }
    script += "0x1234";
    Program program;
    if (!Start(program, exe, log, script)) {
        return;
    }
    Sleep(400);
    SendMessageA(Control(program, ID_EDIT_LINE1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("late"));
    Click(program, ID_BUTTON_SHOW);
    const std::vector<Call> calls = ReadLog(log);
    CheckWrites(WritesOf(calls), UserTextWrites("late", ""), "first writes after plugging in");
    Check(Close(program) == 0, "exit code not 0");
}

// A click before the splash timer fires: the splash is then written over it.
void ScenarioEarlyClick(const std::string& exe, const std::string& log) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        Program program;
        if (!Start(program, exe, log, "")) {
            return;
        }
        Click(program, ID_BUTTON_SHOW);
        const bool early = WritesOf(ReadLog(log)).size() == 29 + 12;
        WaitForWrites(program, BRING_UP_AND_SPLASH + 12);
        Sleep(200);
        const Writes writes = WritesOf(ReadLog(log));
        Close(program);
        if (writes.size() >= 29 + 136 &&
            Writes(writes.begin() + 29, writes.begin() + 29 + 136) == SplashWrites()) {
            continue; // the timer won the race; try again
        }
        Check(early, "the click's writes did not follow the bring-up directly");
        CheckWrites(writes, Concat({BringUpWrites(), UserTextWrites("", ""), SplashWrites()}),
                    "click before the splash");
        return;
    }
    Check(false, "the splash fired before the click three times");
}

// Resizing and maximising move nothing.
void ScenarioResize(const std::string& exe, const std::string& log) {
    Program program;
    if (!Start(program, exe, log, "")) {
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

// One run for the conventions scenario: bring-up and splash, a user-text screen, the goodbye.
std::vector<Call> RunConventionScript(const std::string& exe, const std::string& log,
                                      const char* convention) {
    Program program;
    if (!Start(program, exe, log, "")) {
        return {};
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    Sleep(200);
    SendMessageA(Control(program, ID_EDIT_LINE1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("\xB6\xDE\xDD\xCA\xDE\xDA!"));
    SendMessageA(Control(program, ID_EDIT_LINE2), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("stack ok"));
    Click(program, ID_BUTTON_SHOW);
    Check(Close(program) == 0, "%s: exit code not 0", convention);
    return ReadLog(log);
}

// The same exe with a stdcall and with a cdecl HID2.DLL (bin\cdecl): the same writes in
// the same order, the same waits, and a normal end with either.
void ScenarioConventions(const std::string& exe, const std::string& log) {
    const std::string cdeclExe = exe.substr(0, exe.find_last_of('\\') + 1) + "cdecl\\KORVAN3.exe";
    const std::vector<Call> stdcallCalls = RunConventionScript(exe, log, "stdcall");
    const std::vector<Call> cdeclCalls = RunConventionScript(cdeclExe, log + ".cdecl", "cdecl");
    const Writes expected =
        Concat({BringUpWrites(), SplashWrites(),
                UserTextWrites("\xB6\xDE\xDD\xCA\xDE\xDA!", "stack ok"), GoodbyeWrites()});
    CheckWrites(WritesOf(stdcallCalls), expected, "stdcall library");
    CheckWrites(WritesOf(cdeclCalls), expected, "cdecl library");
    for (const std::vector<Call>* calls : {&stdcallCalls, &cdeclCalls}) {
        const char* convention = calls == &stdcallCalls ? "stdcall" : "cdecl";
        Check(CountOf(*calls, "hidinit") == 1, "%s: hidinit called %zu times", convention,
              CountOf(*calls, "hidinit"));
        // The 6 ms and 3 ms waits before the second and third reset, the splash 100 ms on.
        Check(GapBeforeWrite(*calls, 4) >= 5000 && GapBeforeWrite(*calls, 8) >= 2000,
              "%s: waits of %lld and %lld us before the resets", convention,
              GapBeforeWrite(*calls, 4), GapBeforeWrite(*calls, 8));
        Check(GapBeforeWrite(*calls, 29) >= 95000, "%s: splash %lld us after the bring-up",
              convention, GapBeforeWrite(*calls, 29));
    }
}

long long Median(std::vector<long long> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Figures for the benchmark script, not checks: start-up times, click round trips,
// port writes per screen and the peak working set.
void Benchmark(const std::string& exe, const std::string& log) {
    Program program;
    if (!Start(program, exe, log, "")) {
        return;
    }
    const long long windowAt = Clock::NowMicroseconds() - program.startMicroseconds;
    std::vector<Call> calls = WaitForWrites(program, BRING_UP_AND_SPLASH);
    const size_t bringUpAndSplash = CountOf(calls, "Hidwrite");
    std::printf("window exists after      %8.1f ms\n", static_cast<double>(windowAt) / 1000.0);
    if (!calls.empty()) {
        std::printf("splash's last write after %7.1f ms\n",
                    static_cast<double>(calls.back().microseconds - program.startMicroseconds) /
                        1000.0);
    }
    SendMessageA(Control(program, ID_EDIT_LINE1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("0123456789ABCDEF"));
    SendMessageA(Control(program, ID_EDIT_LINE2), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("\xCA\xDD\xD6\xB3 USB-IO LCD!"));
    for (int id : {ID_BUTTON_SHOW, ID_BUTTON_TIME}) {
        const size_t before = CountOf(ReadLog(log), "Hidwrite");
        std::vector<long long> roundTrips;
        for (int i = 0; i < 200; ++i) {
            const long long start = Clock::NowMicroseconds();
            Click(program, id);
            roundTrips.push_back(Clock::NowMicroseconds() - start);
        }
        const size_t writes = CountOf(ReadLog(log), "Hidwrite") - before;
        std::printf("%s click: median round trip %.3f ms over 200, %zu port writes per screen\n",
                    id == ID_BUTTON_SHOW ? "LCD display" : "time",
                    static_cast<double>(Median(roundTrips)) / 1000.0, writes / 200);
    }
    std::printf("bring-up and splash: %zu port writes (29 + 136)\n", bringUpAndSplash);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(program.process.hProcess, &memory, sizeof memory);
    const size_t beforeClose = ReadLog(log).size();
    Close(program);
    calls = ReadLog(log);
    std::printf("goodbye: %zu port writes\n", WritesOf(calls, beforeClose).size());
    std::printf("peak working set: %zu KiB\n",
                static_cast<size_t>(memory.PeakWorkingSetSize / 1024));
    // Waits show as gaps between calls: the initialisation's 6 and 3 ms, and nothing
    // else within the 200 clicks on the display button, which follow each other at once.
    size_t bringUpGaps = 0;
    long long largestLaterGap = 0;
    for (size_t i = 1; i < calls.size(); ++i) {
        const long long gap = calls[i].microseconds - calls[i - 1].microseconds;
        if (i < 30) {
            bringUpGaps += gap > 2500 ? 1u : 0u;
        } else if (i > bringUpAndSplash + 1 && i <= bringUpAndSplash + 200 * 140) {
            largestLaterGap = std::max(largestLaterGap, gap);
        }
    }
    std::printf("gaps over 2.5 ms in the bring-up: %zu; largest gap between writes during "
                "the display clicks: %.3f ms\n",
                bringUpGaps, static_cast<double>(largestLaterGap) / 1000.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: e2e_driver <scenario> <KORVAN3.exe> <log> [screenshot.bmp]\n");
        return 2;
    }
    const std::string scenario = argv[1];
    const std::string exe = argv[2];
    const std::string log = argv[3];
    if (scenario == "window") {
        ScenarioWindow(exe, log, argc > 4 ? argv[4] : nullptr);
    } else if (scenario == "startup") {
        ScenarioStartup(exe, log);
    } else if (scenario == "typing") {
        ScenarioTyping(exe, log);
    } else if (scenario == "texts") {
        ScenarioEmptyAndLong(exe, log);
    } else if (scenario == "time") {
        ScenarioTime(exe, log);
    } else if (scenario == "absent") {
        ScenarioAbsent(exe, log);
    } else if (scenario == "late") {
        ScenarioLate(exe, log);
    } else if (scenario == "early-click") {
        ScenarioEarlyClick(exe, log);
    } else if (scenario == "resize") {
        ScenarioResize(exe, log);
    } else if (scenario == "conventions") {
        ScenarioConventions(exe, log);
    } else if (scenario == "benchmark") {
        Benchmark(exe, log);
    } else {
        std::printf("unknown scenario %s\n", scenario.c_str());
        return 2;
    }
    if (failures == 0) {
        std::printf("PASS %s\n", scenario.c_str());
    } else {
        std::printf("%d checks failed in %s\n", failures, scenario.c_str());
    }
    return failures == 0 ? 0 : 1;
}

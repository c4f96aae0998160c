#include "main_window.h"

#include "lcd_screens.h"
#include "resource.h"

#include <cstdlib>
#include <string_view>

namespace MainWindow {
namespace {

constexpr int ID_EDIT_LINE1 = 1000;
constexpr int ID_EDIT_LINE2 = 1001;
constexpr int ID_BUTTON_SHOW = 1002;
constexpr int ID_BUTTON_TIME = 1003;
constexpr UINT_PTR TIMER_SPLASH = 0;
constexpr UINT SPLASH_DELAY_MS = 100;

constexpr DWORD CLASS_STYLE = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
constexpr DWORD WINDOW_STYLE = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr int WINDOW_WIDTH = 354;
constexpr int WINDOW_HEIGHT = 100;
constexpr DWORD CONTROL_STYLE = WS_CHILD | WS_VISIBLE;
const wchar_t CLASS_NAME[] = L"NORMAL0";
const wchar_t TITLE[] = L"KORVAN3";
const wchar_t FONT_FACE[] = L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF"; // ＭＳ Ｐゴシック

// Text boxes carry no edit style bits: single line without automatic scrolling, so a
// box takes only as much text as its visible width holds.
struct Control {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD extendedStyle;
    int x, y, width, height;
};
const Control CONTROLS[] = {
    {ID_EDIT_LINE1, L"EDIT", L"", WS_EX_CLIENTEDGE, 19, 14, 155, 23},
    {ID_EDIT_LINE2, L"EDIT", L"", WS_EX_CLIENTEDGE, 19, 40, 155, 23},
    {ID_BUTTON_SHOW, L"BUTTON", L"LCD\u8868\u793A", 0, 179, 13, 78, 52}, // LCD表示
    {ID_BUTTON_TIME, L"BUTTON", L"\u6642\u9593", 0, 264, 12, 61, 53},    // 時間
};

HWND mainWindow = nullptr;
HFONT uiFont = nullptr;
HBRUSH backgroundBrush = nullptr;
HICON appIcon = nullptr;

// A box's text in the bytes of the system code page, as the display takes them.
// The caller frees the result; an empty buffer stands in if memory runs out.
char* ReadBox(int id) {
    const HWND box = GetDlgItem(mainWindow, id);
    const int length = GetWindowTextLengthA(box);
    const size_t size = static_cast<size_t>(length < 0 ? 0 : length) + 1;
    auto* text = static_cast<char*>(std::calloc(size, 1));
    if (text != nullptr) {
        GetWindowTextA(box, text, static_cast<int>(size));
    }
    return text;
}

std::string_view TextOf(const char* text) {
    return text != nullptr ? std::string_view(text) : std::string_view();
}

void OnCreate(HWND window) {
    mainWindow = window;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const Control& c : CONTROLS) {
        CreateWindowExW(c.extendedStyle, c.className, c.text, CONTROL_STYLE, c.x, c.y, c.width,
                        c.height, mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                        instance, nullptr);
        SendMessageW(GetDlgItem(mainWindow, c.id), WM_SETFONT, reinterpret_cast<WPARAM>(uiFont),
                     FALSE);
    }
    appIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    SendMessageW(mainWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon));
    LcdScreens::BringUp();
    // The splash comes through the message loop a moment later.
    SetTimer(mainWindow, TIMER_SPLASH, SPLASH_DELAY_MS, nullptr);
}

// Whatever timer fired, the splash timer is stopped first so the splash shows once.
void OnTimer() {
    KillTimer(mainWindow, TIMER_SPLASH);
    LcdScreens::ShowSplash();
}

// Any command with a button's id and code 0 counts as its click, whoever sent it.
void OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return;
    }
    if (id == ID_BUTTON_SHOW) {
        char* first = ReadBox(ID_EDIT_LINE1);
        char* second = ReadBox(ID_EDIT_LINE2);
        LcdScreens::ShowUserText(TextOf(first), TextOf(second));
        std::free(first);
        std::free(second);
    } else if (id == ID_BUTTON_TIME) {
        LcdScreens::ShowDateTime();
    }
}

void OnDestroy() {
    LcdScreens::ShowGoodbye();
    DestroyIcon(appIcon);
    DeleteObject(uiFont);
    DeleteObject(backgroundBrush);
    PostQuitMessage(0);
}

} // namespace

void CreateUiFont() {
    uiFont = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                         OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, FONT_FACE);
}

// The colour is read once: a later change of the system colours leaves it as it is.
HBRUSH CreateBackgroundBrush() {
    backgroundBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    return backgroundBrush;
}

void RegisterWindowClass(HINSTANCE instance, HBRUSH background) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CLASS_STYLE;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = CLASS_NAME;
    windowClass.hIconSm = LoadIconW(nullptr, IDI_WINLOGO);
    RegisterClassExW(&windowClass);
}

HWND Create(HINSTANCE instance) {
    return CreateWindowExW(0, CLASS_NAME, TITLE, WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                           WINDOW_WIDTH, WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        OnTimer();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace MainWindow

#include "sim_window.h"

#include "board.h"
#include "clock.h"
#include "lcd_view.h"
#include "lcdsim_resources.h"
#include "replay.h"
#include "sim_protocol.h"
#include "texts.h"
#include "utf8.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace SimWindow {
namespace {

constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The display is redrawn at most this often, not once per port write: a program sends
// hundreds of writes in a burst, and drawing each would slow it down.
constexpr UINT_PTR TIMER_REFRESH = 1;
constexpr UINT REFRESH_MS = 40;
// Half the blink period: the controller alternates a blinking cell between all dots
// and the character at roughly this rate.
constexpr ULONGLONG BLINK_HALF_PERIOD_MS = 500;
// A replay plays what is due this often.
constexpr UINT_PTR TIMER_REPLAY = 2;
constexpr UINT REPLAY_TICK_MS = 10;

std::optional<Sim::Board> board;
int32_t boardHandle = 0;
bool countGaps = true;
bool boardChanged = false;
bool blinkPhase = false;
std::optional<Sim::Replay> replay;
std::wstring replayName;
long long replayStartMicroseconds = 0;
// The title as last set, without the wiring and choices named after it.
std::string title;

// A handle that another simulator instance is unlikely to repeat: only its low 16 bits
// travel through the program, and they are never 0.
int32_t MakeBoardHandle() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const uint64_t mixed = (static_cast<uint64_t>(counter.QuadPart) * 0x9E3779B97F4A7C15ull) ^
                           (static_cast<uint64_t>(GetCurrentProcessId()) << 7);
    return static_cast<int32_t>((mixed >> 32) % 0xFFFF + 1);
}

// Time the client spent between calls beyond one port write's cost is time the board
// waited; a gap shorter than the write cost changes nothing.
LRESULT ApplyWrite(const COPYDATASTRUCT& data) {
    SimProtocol::WritePayload write;
    if (data.cbData != sizeof write || data.lpData == nullptr) {
        return 0;
    }
    std::memcpy(&write, data.lpData, sizeof write);
    if (!SimProtocol::SameHandle(write.handle, boardHandle)) {
        return 0;
    }
    if (countGaps && write.gapMicroseconds > board->WriteCostMicroseconds()) {
        board->Wait(write.gapMicroseconds - board->WriteCostMicroseconds());
    }
    board->WritePort(write.port, write.value);
    boardChanged = true;
    return 1;
}

// The answer goes back by a message of its own to the asker's window, while the asker
// still waits for its request to return.
LRESULT Print(HWND window, HWND asker) {
    if (asker == nullptr) {
        return 0;
    }
    const std::string text = Sim::DisplayReport(*board);
    COPYDATASTRUCT reply;
    reply.dwData = SimProtocol::PRINT_REPLY;
    reply.cbData = static_cast<DWORD>(text.size());
    reply.lpData = const_cast<char*>(text.data());
    SendMessageW(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                 reinterpret_cast<LPARAM>(&reply));
    return 1;
}

// The title, and after it the board's mis-wiring and the controller's choices that are
// not the defaults, if any.
void SetTitle(HWND window, const std::string& newTitle) {
    title = newTitle;
    std::string named = title;
    const Sim::Wiring& wiring = board->LcdWiring();
    if (!wiring.Correct()) {
        named += LcdsimTexts::Say(LcdsimTexts::Id::MISWIRED, {wiring.Describe()});
    }
    const std::string choices = board->Choices().Describe();
    if (!choices.empty()) {
        named += LcdsimTexts::Say(LcdsimTexts::Id::CONTROLLER, {choices});
    }
    SetWindowTextW(window, Utf8::ToWide(named).c_str());
}

// A wire changed while the board is powered: the display stays as it is. A list left
// empty keeps the board's own.
LRESULT Rewire(HWND window, const COPYDATASTRUCT& data) {
    if (data.lpData == nullptr) {
        return 0;
    }
    const std::string_view payload(static_cast<const char*>(data.lpData), data.cbData);
    const size_t newline = payload.find('\n');
    if (newline == std::string_view::npos) {
        return 0;
    }
    const std::string_view wiringText = payload.substr(0, newline);
    const std::string_view choicesText = payload.substr(newline + 1);
    std::string badItem;
    const std::optional<Sim::Wiring> wiring =
        wiringText.empty() ? board->LcdWiring() : Sim::Wiring::Parse(wiringText, badItem);
    const std::optional<Sim::ControllerChoices> choices =
        choicesText.empty() ? board->Choices()
                            : Sim::ControllerChoices::Parse(choicesText, badItem);
    if (!wiring || !choices) {
        return 0;
    }
    board->Rewire(*wiring, *choices);
    SetTitle(window, title);
    boardChanged = true;
    return 1;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW* create) {
    const auto* settings = static_cast<const Settings*>(create->lpCreateParams);
    board.emplace(settings->writeCostMicroseconds, settings->wiring, settings->choices);
    SetTitle(window, LcdsimTexts::Say(LcdsimTexts::Id::TITLE));
    countGaps = settings->countGaps;
    boardHandle = MakeBoardHandle();
    SetTimer(window, TIMER_REFRESH, REFRESH_MS, nullptr);
    if (settings->replay != nullptr) {
        replay.emplace(*settings->replay, countGaps);
        replayName = settings->replayName;
        SetTitle(window,
                 LcdsimTexts::Say(LcdsimTexts::Id::REPLAY_TITLE, {Utf8::FromWide(replayName)}));
        replayStartMicroseconds = Clock::NowMicroseconds();
        SetTimer(window, TIMER_REPLAY, REPLAY_TICK_MS, nullptr);
    }
    return 0;
}

LRESULT OnCopyData(HWND window, HWND sender, const COPYDATASTRUCT* data) {
    switch (data->dwData) {
    case SimProtocol::OPEN:
        return replay ? 0 : boardHandle;
    case SimProtocol::WRITE:
        return replay ? 0 : ApplyWrite(*data);
    case SimProtocol::PRINT:
        return Print(window, sender);
    case SimProtocol::PACE:
        return replay ? 0 : static_cast<LRESULT>(board->WriteCostMicroseconds());
    case SimProtocol::REWIRE:
        return Rewire(window, *data);
    default:
        return 0;
    }
}

void OnReplayTimer(HWND window) {
    if (replay->PlayUntil(static_cast<uint64_t>(Clock::NowMicroseconds() - replayStartMicroseconds),
                          *board)) {
        boardChanged = true;
    }
    if (replay->Finished()) {
        KillTimer(window, TIMER_REPLAY);
        SetTitle(window, LcdsimTexts::Say(LcdsimTexts::Id::REPLAY_ENDED_TITLE,
                                          {Utf8::FromWide(replayName)}));
    }
}

void OnTimer(HWND window, UINT_PTR timer) {
    if (timer == TIMER_REPLAY) {
        OnReplayTimer(window);
        return;
    }
    const bool phase = (GetTickCount64() / BLINK_HALF_PERIOD_MS) % 2 == 0;
    const bool blinkChanged = phase != blinkPhase && board->Lcd().BlinkOn();
    blinkPhase = phase;
    if (boardChanged || blinkChanged) {
        boardChanged = false;
        InvalidateRect(window, nullptr, FALSE);
    }
}

// Drawn off screen first, so that the frequent redraws do not flicker.
void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const SIZE size = LcdView::ClientSize();
    const HDC offscreen = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, size.cx, size.cy);
    const HGDIOBJ previous = SelectObject(offscreen, bitmap);
    LcdView::Paint(offscreen, *board, blinkPhase);
    BitBlt(dc, 0, 0, size.cx, size.cy, offscreen, 0, 0, SRCCOPY);
    SelectObject(offscreen, previous);
    DeleteObject(bitmap);
    DeleteDC(offscreen);
    EndPaint(window, &paint);
}

// Closing the simulator unplugs the board: from now on no client can find it.
void OnDestroy(HWND window) {
    KillTimer(window, TIMER_REFRESH);
    KillTimer(window, TIMER_REPLAY);
    PostQuitMessage(0);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_COPYDATA:
        return OnCopyData(window, reinterpret_cast<HWND>(wParam),
                          reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_TIMER:
        OnTimer(window, static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

HWND Create(HINSTANCE instance, const Settings& settings) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Its own icon in the title bar and the task bar, large and small from the one image.
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LCDSIM));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_LCDSIM),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.lpszClassName = SimProtocol::WINDOW_CLASS;
    if (RegisterClassExW(&windowClass) == 0) {
        return nullptr;
    }
    const SIZE client = LcdView::ClientSize();
    RECT frame = {0, 0, client.cx, client.cy};
    AdjustWindowRect(&frame, WINDOW_STYLE, FALSE);
    const HWND window = CreateWindowExW(
        0, SimProtocol::WINDOW_CLASS,
        Utf8::ToWide(LcdsimTexts::Say(LcdsimTexts::Id::TITLE)).c_str(), WINDOW_STYLE, settings.x,
        settings.y, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
        const_cast<Settings*>(&settings));
    if (window != nullptr && settings.visible) {
        ShowWindow(window, SW_SHOWNORMAL);
    }
    return window;
}

} // namespace SimWindow

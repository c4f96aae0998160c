#include "remote.h"

#include "sim_protocol.h"

#include <cstring>

namespace Remote {
namespace {

constexpr UINT ANSWER_TIMEOUT_MS = 5000;
constexpr DWORD EXIT_TIMEOUT_MS = 10000;
const wchar_t REPLY_CLASS[] = L"LCDSIM_REPLY";

std::string* replyText = nullptr;
bool replied = false;

LRESULT CALLBACK ReplyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == SimProtocol::PRINT_REPLY && replyText != nullptr) {
            replyText->assign(static_cast<const char*>(data->lpData), data->cbData);
            replied = true;
            return 1;
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window: it receives the answer, and no simulator client can find it.
HWND CreateReplyWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ReplyProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = REPLY_CLASS;
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, REPLY_CLASS, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                           nullptr);
}

} // namespace

HWND FindSimulator() {
    return FindWindowW(SimProtocol::WINDOW_CLASS, nullptr);
}

void BringToFront(HWND simulator) {
    ShowWindow(simulator, IsIconic(simulator) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(simulator);
}

bool FetchDisplayText(HINSTANCE instance, HWND simulator, std::string& text) {
    const HWND replyWindow = CreateReplyWindow(instance);
    if (replyWindow == nullptr) {
        return false;
    }
    replyText = &text;
    replied = false;
    COPYDATASTRUCT request;
    request.dwData = SimProtocol::PRINT;
    request.cbData = 0;
    request.lpData = nullptr;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(simulator, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow),
                        reinterpret_cast<LPARAM>(&request), SMTO_ABORTIFHUNG, ANSWER_TIMEOUT_MS,
                        &result);
    replyText = nullptr;
    DestroyWindow(replyWindow);
    return replied;
}

bool Rewire(HWND simulator, const std::string& wiring, const std::string& choices) {
    std::string payload = wiring + "\n" + choices;
    COPYDATASTRUCT request;
    request.dwData = SimProtocol::REWIRE;
    request.cbData = static_cast<DWORD>(payload.size());
    request.lpData = payload.data();
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(simulator, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&request),
                               SMTO_ABORTIFHUNG, ANSWER_TIMEOUT_MS, &result) != 0 &&
           result == 1;
}

bool Close(HWND simulator) {
    DWORD processId = 0;
    GetWindowThreadProcessId(simulator, &processId);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(simulator, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, ANSWER_TIMEOUT_MS, &result);
    if (process == nullptr) {
        return FindSimulator() == nullptr;
    }
    const bool ended = WaitForSingleObject(process, EXIT_TIMEOUT_MS) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

} // namespace Remote

#include "console.h"

#include <windows.h>

namespace Console {
namespace {

void Write(DWORD which, const std::string& utf8) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Wide(utf8);
        WriteConsoleW(handle, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::string windowsText;
    for (const char c : utf8) {
        windowsText += c == '\n' ? "\r\n" : std::string(1, c);
    }
    WriteFile(handle, windowsText.data(), static_cast<DWORD>(windowsText.size()), &written,
              nullptr);
}

} // namespace

void Line(const std::string& utf8) {
    Write(STD_OUTPUT_HANDLE, utf8 + "\n");
}

void ErrorLine(const std::string& utf8) {
    Write(STD_ERROR_HANDLE, utf8 + "\n");
}

void Text(const std::string& utf8) {
    Write(STD_OUTPUT_HANDLE, utf8);
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::wstring Wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

} // namespace Console

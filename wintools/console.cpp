#include "console.h"

#include "utf8.h"

#include <windows.h>

namespace Console {
namespace {

bool borrowsParentConsole = false;

bool Usable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

HANDLE HandleOf(Stream stream) {
    const DWORD which = stream == Stream::OUTPUT ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    HANDLE handle = GetStdHandle(which);
    if (!Usable(handle) && borrowsParentConsole) {
        // Wine hands a window program the shell's own handles; Windows gives it none.
        AttachConsole(ATTACH_PARENT_PROCESS);
        handle = GetStdHandle(which);
        if (!Usable(handle)) {
            handle = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        }
    }
    return handle;
}

std::string WindowsLineEnds(const std::string& text) {
    std::string windowsText;
    for (const char c : text) {
        windowsText += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return windowsText;
}

} // namespace

void Write(Stream stream, const std::string& utf8, LineEnds ends) {
    const HANDLE handle = HandleOf(stream);
    if (!Usable(handle)) {
        return;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Utf8::ToWide(utf8);
        WriteConsoleW(handle, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    const std::string bytes = ends == LineEnds::WINDOWS ? WindowsLineEnds(utf8) : utf8;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Line(const std::string& utf8) {
    Write(Stream::OUTPUT, utf8 + "\n");
}

void ErrorLine(const std::string& utf8) {
    Write(Stream::ERRORS, utf8 + "\n");
}

void Text(const std::string& utf8) {
    Write(Stream::OUTPUT, utf8);
}

void BorrowParentConsole() {
    borrowsParentConsole = true;
}

} // namespace Console

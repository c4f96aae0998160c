#include "hid2_log.h"

#include "clock.h"
#include "forward_link.h"
#include "standin_variables.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace Hid2Log {
namespace {

HANDLE OpenLog() {
    static HANDLE file = nullptr;
    if (file == nullptr) {
        wchar_t path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(StandInVariables::LOG, path, MAX_PATH);
        // A copy of the stand-in that passes its calls on to this one records them.
        file = (length == 0 || length >= MAX_PATH || ForwardLink::IsTarget())
                   ? INVALID_HANDLE_VALUE
                   : CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return file;
}

} // namespace

void Line(const char* format, ...) {
    const HANDLE file = OpenLog();
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    char line[128];
    int length = std::snprintf(line, sizeof line, "%lld ", Clock::NowMicroseconds());
    va_list arguments;
    va_start(arguments, format);
    length += std::vsnprintf(line + length, sizeof line - static_cast<size_t>(length) - 1, format,
                             arguments);
    va_end(arguments);
    if (length < 0 || length > static_cast<int>(sizeof line) - 2) {
        length = static_cast<int>(sizeof line) - 2;
    }
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
}

} // namespace Hid2Log

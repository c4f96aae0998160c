// A HID2.DLL that only records: each call that reaches it is appended, with the arguments
// as they arrived, to the file RECORDED_CALLS names, one line each, as the stand-in's log
// has them without the time:
//   hidinit <result>
//   Hidwrite <handle> <port> <value>
//   Hidread <handle> <port>
// hidinit answers BOARD_HANDLE, a board; Hidwrite answers 1, Hidread READ_RESULT, so that a
// caller can tell the answer came back.
// The exports are stdcall; built with RECORDING_CDECL they are cdecl.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int BOARD_HANDLE = 0x1234;
constexpr int READ_RESULT = 0xA5;
constexpr size_t LINE_SIZE = 64;

void Record(const char* line) {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("RECORDED_CALLS", path, MAX_PATH);
    std::FILE* file = length > 0 && length < MAX_PATH ? std::fopen(path, "ab") : nullptr;
    if (file != nullptr) {
        std::fputs(line, file);
        std::fclose(file);
    }
}

int Handle() {
    char number[16];
    const DWORD length = GetEnvironmentVariableA("RECORDED_HANDLE", number, sizeof number);
    return length > 0 && length < sizeof number ? static_cast<int>(std::strtol(number, nullptr, 0))
                                                : BOARD_HANDLE;
}

} // namespace

#if defined(RECORDING_CDECL)
#define RECORDING_EXPORT extern "C" __declspec(dllexport) int __cdecl
#else
#define RECORDING_EXPORT extern "C" __declspec(dllexport) int __stdcall
#endif

RECORDING_EXPORT hidinit(void) {
    char line[LINE_SIZE];
    const int handle = Handle();
    std::snprintf(line, sizeof line, "hidinit %d\n", handle);
    Record(line);
    return handle;
}

RECORDING_EXPORT Hidwrite(int handle, int port, int value) {
    char line[LINE_SIZE];
    std::snprintf(line, sizeof line, "Hidwrite %d %d %d\n", handle, port, value);
    Record(line);
    return 1;
}

RECORDING_EXPORT Hidread(int handle, int port) {
    char line[LINE_SIZE];
    std::snprintf(line, sizeof line, "Hidread %d %d\n", handle, port);
    Record(line);
    return READ_RESULT;
}

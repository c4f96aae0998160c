// A HID2.DLL that only records: each call that reaches it is appended, with the arguments
// as they arrived, to the file RECORDED_CALLS names, one line each:
//   Hidwrite <handle> <port> <value>
//   Hidread <handle> <port>
// Hidwrite answers 1, Hidread READ_RESULT, so that a caller can tell the answer came back;
// there is no hidinit, which a forwarder answers as an absent board.
// The exports are stdcall; built with RECORDING_CDECL they are cdecl.
#include <windows.h>

#include <cstdio>

namespace {

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

} // namespace

#if defined(RECORDING_CDECL)
#define RECORDING_EXPORT extern "C" __declspec(dllexport) int __cdecl
#else
#define RECORDING_EXPORT extern "C" __declspec(dllexport) int __stdcall
#endif

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

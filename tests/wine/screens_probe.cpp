// Runs the LCD screens named on the command line, in order, through the real HID2.DLL
// import, so that a Wine test can stop between screens or hold the board open:
//   bringup | splash | text ROW0 ROW1 | datetime | goodbye
//   await FILE       waits (up to a minute) until FILE exists, then goes on
//   write H P V      calls Hidwrite(H, P, V) directly, bypassing the link's handle
//   read H P         calls Hidread(H, P), which the program never does, and prints its result
// Exits 2 on an argument it does not know.
#include "lcd_screens.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// The library's entries, called here with handles the link would never use.
extern "C" __declspec(dllimport) int __stdcall Hidwrite(int handle, int port, int value);
extern "C" __declspec(dllimport) int __stdcall Hidread(int handle, int port);

namespace {

constexpr int AWAIT_POLLS = 600;
constexpr DWORD AWAIT_INTERVAL_MS = 100;

void Await(const char* path) {
    for (int poll = 0; poll < AWAIT_POLLS; ++poll) {
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
            return;
        }
        Sleep(AWAIT_INTERVAL_MS);
    }
}

int Number(const char* text) {
    return static_cast<int>(std::strtol(text, nullptr, 0));
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* step = argv[i];
        const int left = argc - 1 - i;
        if (std::strcmp(step, "bringup") == 0) {
            LcdScreens::BringUp();
        } else if (std::strcmp(step, "splash") == 0) {
            LcdScreens::ShowSplash();
        } else if (std::strcmp(step, "text") == 0 && left >= 2) {
            LcdScreens::ShowUserText(argv[i + 1], argv[i + 2]);
            i += 2;
        } else if (std::strcmp(step, "datetime") == 0) {
            LcdScreens::ShowDateTime();
        } else if (std::strcmp(step, "goodbye") == 0) {
            LcdScreens::ShowGoodbye();
        } else if (std::strcmp(step, "await") == 0 && left >= 1) {
            Await(argv[++i]);
        } else if (std::strcmp(step, "write") == 0 && left >= 3) {
            Hidwrite(Number(argv[i + 1]), Number(argv[i + 2]), Number(argv[i + 3]));
            i += 3;
        } else if (std::strcmp(step, "read") == 0 && left >= 2) {
            std::printf("%d\n", Hidread(Number(argv[i + 1]), Number(argv[i + 2])));
            i += 2;
        } else {
            return 2;
        }
    }
    return 0;
}

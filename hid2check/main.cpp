// hid2check: tells a user whether KORVAN3.exe will work with their HID2.DLL and, when
// asked, with their board and wiring. Its help text (Id::USAGE in texts.cpp) lists the
// options and the exit codes.
#include "answers.h"
#include "child.h"
#include "closing.h"
#include "run.h"

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// Read at start: once the checking process runs, it shares the console too.
Closing::ConsoleAtStart ConsoleAtStart() {
    DWORD processes[2];
    DWORD mode = 0;
    return {GetConsoleProcessList(processes, 2),
            GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0,
            GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0};
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wcscmp(argv[1], Protocol::SWITCH) == 0) {
        return Child::Main(argc, argv);
    }
    const bool waits = Closing::WaitsForEnter(ConsoleAtStart());
    const int code = Hid2check::Run(std::vector<std::wstring>(argv + 1, argv + argc));
    if (waits) {
        Answers::WaitForEnter();
    }
    return code;
}

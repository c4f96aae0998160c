// hid2check: tells a user whether KORVAN3.exe will work with their HID2.DLL and, when
// asked, with their board and wiring. Its help text (Id::USAGE in texts.cpp) lists the
// options and the exit codes.
#include "checks.h"
#include "child.h"

#include <cwchar>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wcscmp(argv[1], Child::SWITCH) == 0) {
        return Child::Main(argc, argv);
    }
    const bool waits = Closing::WaitsForEnter(Checks::ConsoleAtStart());
    const int code = Checks::Run(std::vector<std::wstring>(argv + 1, argv + argc));
    if (waits) {
        Checks::WaitForEnter();
    }
    return code;
}

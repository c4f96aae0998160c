#include "child.h"

#include "clock.h"
#include "exit_code.h"
#include "hid2_call.h"
#include "hid2_entries.h"
#include "keep_up.h"
#include "lcd_screens.h"
#include "lcd_seam.h"
#include "line_walk.h"
#include "report.h"
#include "usbio_link.h"
#include "wiring_screens.h"

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace Child {
namespace {

// Port 2 with every control line low: E stays low, so the LCD latches nothing.
constexpr int ALL_LINES_LOW = 0;
constexpr int TIMED_WRITES = 64;
// A slow library is timed with fewer writes rather than for longer than this.
constexpr long long TIMING_BUDGET_MICROSECONDS = 2000000;

HANDLE reportPipe = INVALID_HANDLE_VALUE;
Hid2Entries::Entries library;

void Tell(const char* line, size_t length) {
    DWORD written = 0;
    WriteFile(reportPipe, line, static_cast<DWORD>(length), &written, nullptr);
}

void Tell(const std::string& line) {
    Tell((line + "\n").c_str(), line.size() + 1);
}

// Runs on whatever stack the library left, perhaps nearly none: no allocation, no
// formatting library, and the process ends here, without the library's detach code.
LONG WINAPI OnCrash(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    char line[] = "crash 00000000\n";
    for (int digit = 0; digit < 8; ++digit) {
        line[6 + digit] = "0123456789ABCDEF"[(code >> (28 - 4 * digit)) & 0xF];
    }
    Tell(line, sizeof line - 1);
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

int WriteControlLow(int handle) {
    const int arguments[] = {handle, UsbIoLink::CONTROL_PORT, ALL_LINES_LOW};
    return Hid2Call::Call(library.hidwrite, arguments, 3).stackLeft;
}

void TimeWrites(int handle) {
    std::string times = "timed";
    const long long start = Clock::NowMicroseconds();
    for (int i = 0; i < TIMED_WRITES &&
                    (i == 0 || Clock::NowMicroseconds() - start < TIMING_BUDGET_MICROSECONDS);
         ++i) {
        const long long before = Clock::NowMicroseconds();
        WriteControlLow(handle);
        times += " " + std::to_string(Clock::NowMicroseconds() - before);
        Tell("tick");
    }
    Tell(times);
}

// Opens the board, timed; the handle as KORVAN3.exe keeps it, 0 when no board answered.
int OpenBoard() {
    Tell("step hidinit");
    const long long before = Clock::NowMicroseconds();
    const int result = Hid2Call::Call(library.hidinit, nullptr, 0).value;
    Tell("opened " + std::to_string(result) + " " +
         std::to_string(Clock::NowMicroseconds() - before));
    const int handle = UsbIoLink::HandleOf(result);
    if (handle != 0) {
        LcdSeam::Bind(library, result, [] { Tell("tick"); });
    }
    return handle;
}

// Opens the board, finds the convention, times the writes and shows the test screen;
// stops where the report's verdict is already clear.
void CheckLive() {
    const int handle = OpenBoard();
    if (handle == 0) {
        return;
    }

    Tell("step probe");
    const int stackLeft = WriteControlLow(handle);
    Tell("probed " + std::to_string(stackLeft));
    const Report::Convention convention = Report::ConventionOf(stackLeft, sizeof(void*) == 8);
    if (convention == Report::Convention::UNKNOWN) {
        return;
    }

    Tell("step timing");
    TimeWrites(handle);

    Tell("step screen");
    KeepUp::ShowTestScreen(Report::ShortName(convention));
    Tell("shown");
}

// One write to the board, and word that it returned: a slow board is not a hung one.
void WriteAndTell(int handle, int port, int value) {
    const int arguments[] = {handle, port, value};
    Hid2Call::Call(library.hidwrite, arguments, 3);
    Tell("tick");
}

// Opens the board and shows one wiring screen, every write its own call of the library.
void ShowWiring(int screen) {
    const int handle = OpenBoard();
    if (handle == 0) {
        return;
    }
    Tell("step wiring");
    WiringScreens::Show(
        screen, [handle](int port, int value) { WriteAndTell(handle, port, value); },
        [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); });
    Tell("wired " + std::to_string(screen));
}

// Opens the board and drives one step of the line walk; past the last step, brings the
// display up as KORVAN3.exe does, which leaves it cleared and on.
void ShowLines(int step) {
    const int handle = OpenBoard();
    if (handle == 0) {
        return;
    }
    Tell("step wiring");
    const std::vector<LineWalk::Step>& steps = LineWalk::Steps();
    if (step < static_cast<int>(steps.size())) {
        const LineWalk::Step& levels = steps[static_cast<size_t>(step)];
        for (const auto& [port, value] : {std::pair{UsbIoLink::DATA_PORT, levels.dataPort},
                                          std::pair{UsbIoLink::CONTROL_PORT, levels.controlPort}}) {
            WriteAndTell(handle, port, value);
        }
    } else {
        LcdScreens::BringUp();
    }
    Tell("wired " + std::to_string(step));
}

} // namespace

int Run(HANDLE report, const Task& task, const std::wstring& path) {
    reportPipe = report;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(OnCrash);

    Tell("step load");
    const HMODULE module = LoadLibraryW(path.c_str());
    // Windows binds all three names when it starts KORVAN3.exe, or does not start it.
    const bool bound =
        module != nullptr && (task.check == Check::LOAD || Hid2Entries::Bind(module, library));
    if (!bound) {
        Tell("load-failed " + std::to_string(GetLastError()));
    } else {
        Tell("loaded");
        if (task.check == Check::LIVE) {
            CheckLive();
        } else if (task.check == Check::LINES) {
            ShowLines(task.screen);
        } else if (task.check == Check::WIRING) {
            ShowWiring(task.screen);
        }
    }
    Tell("end");
    return 0;
}

int Main(int argc, wchar_t** argv) {
    if (argc != 6) {
        return ExitCode::USAGE;
    }
    const HANDLE report =
        reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::wcstoull(argv[2], nullptr, 10)));
    for (const Check check : {Check::LOAD, Check::BIND, Check::LIVE, Check::WIRING, Check::LINES}) {
        if (std::wcscmp(argv[3], CHECK_NAMES[static_cast<int>(check)]) == 0) {
            const int screen = static_cast<int>(std::wcstol(argv[4], nullptr, 10));
            return Run(report, {check, screen}, argv[5]);
        }
    }
    return ExitCode::USAGE;
}

} // namespace Child

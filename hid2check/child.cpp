// The checking process: every call into the user's library, each told to the reporting process.
#include "child.h"

#include "clock.h"
#include "convention.h"
#include "exit_code.h"
#include "hid2_call.h"
#include "hid2_entries.h"
#include "keep_up.h"
#include "lcd_screens.h"
#include "lcd_seam.h"
#include "line_walk.h"
#include "usbio_link.h"
#include "utf8.h"
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

void Tell(Protocol::Event event, const std::string& figures = "") {
    Tell(std::string(Protocol::Word(event)) + (figures.empty() ? "" : " " + figures));
}

void TellStep(Protocol::Call call) {
    Tell(Protocol::Event::STEP, std::string(Protocol::Word(call)));
}

// Runs on whatever stack the library left, perhaps nearly none: no allocation, no
// formatting library, and the process ends here, without the library's detach code.
LONG WINAPI OnCrash(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    const std::string_view crash = Protocol::Word(Protocol::Event::CRASH);
    char figures[] = " 00000000\n";
    for (int digit = 0; digit < 8; ++digit) {
        figures[1 + digit] = "0123456789ABCDEF"[(code >> (28 - 4 * digit)) & 0xF];
    }
    Tell(crash.data(), crash.size());
    Tell(figures, sizeof figures - 1);
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

int WriteControlLow(int handle) {
    const int arguments[] = {handle, UsbIoLink::CONTROL_PORT, ALL_LINES_LOW};
    return Hid2Call::Call(library.hidwrite, arguments, 3).stackLeft;
}

void TimeWrites(int handle) {
    std::string times(Protocol::Word(Protocol::Event::TIMED));
    const long long start = Clock::NowMicroseconds();
    for (int i = 0; i < TIMED_WRITES &&
                    (i == 0 || Clock::NowMicroseconds() - start < TIMING_BUDGET_MICROSECONDS);
         ++i) {
        const long long before = Clock::NowMicroseconds();
        WriteControlLow(handle);
        times += " " + std::to_string(Clock::NowMicroseconds() - before);
        Tell(Protocol::Event::TICK);
    }
    Tell(times);
}

// Opens the board, timed; the handle as KORVAN3.exe keeps it, 0 when no board answered.
int OpenBoard() {
    TellStep(Protocol::Call::HIDINIT);
    const long long before = Clock::NowMicroseconds();
    const int result = Hid2Call::Call(library.hidinit, nullptr, 0).value;
    Tell(Protocol::Event::OPENED,
         std::to_string(result) + " " + std::to_string(Clock::NowMicroseconds() - before));
    const int handle = UsbIoLink::HandleOf(result);
    if (handle != 0) {
        LcdSeam::Bind(library, result, [] { Tell(Protocol::Event::TICK); });
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

    TellStep(Protocol::Call::PROBE);
    const int stackLeft = WriteControlLow(handle);
    Tell(Protocol::Event::PROBED, std::to_string(stackLeft));
    const Convention::Kind convention = Convention::Of(stackLeft);
    if (convention == Convention::Kind::UNKNOWN) {
        return;
    }

    TellStep(Protocol::Call::TIMING);
    TimeWrites(handle);

    TellStep(Protocol::Call::SCREEN);
    KeepUp::ShowTestScreen(Convention::ShortName(convention));
    Tell(Protocol::Event::SHOWN);
}

// One write to the board, and word that it returned: a slow board is not a hung one.
void WriteAndTell(int handle, int port, int value) {
    const int arguments[] = {handle, port, value};
    Hid2Call::Call(library.hidwrite, arguments, 3);
    Tell(Protocol::Event::TICK);
}

// Opens the board and shows one wiring screen, every write its own call of the library.
void ShowWiring(int screen, const std::string& mark) {
    const int handle = OpenBoard();
    if (handle == 0) {
        return;
    }
    TellStep(Protocol::Call::WIRING);
    WiringScreens::Write(
        screen, mark, [handle](int port, int value) { WriteAndTell(handle, port, value); },
        [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); });
    Tell(Protocol::Event::WIRED, std::to_string(screen));
}

// Opens the board and drives one step of the line walk; past the last step, brings the
// display up as KORVAN3.exe does, which leaves it cleared and on.
void ShowLines(int step) {
    const int handle = OpenBoard();
    if (handle == 0) {
        return;
    }
    TellStep(Protocol::Call::WIRING);
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
    Tell(Protocol::Event::WIRED, std::to_string(step));
}

} // namespace

int Run(HANDLE report, const Protocol::Run& run, const std::wstring& path) {
    reportPipe = report;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(OnCrash);

    TellStep(Protocol::Call::LOAD);
    const HMODULE module = LoadLibraryW(path.c_str());
    // Windows binds all three names when it starts KORVAN3.exe, or does not start it.
    const bool bound = module != nullptr &&
                       (run.task == Protocol::Task::LOAD || Hid2Entries::Bind(module, library));
    if (!bound) {
        Tell(Protocol::Event::LOAD_FAILED, std::to_string(GetLastError()));
    } else {
        Tell(Protocol::Event::LOADED);
        if (run.task == Protocol::Task::LIVE) {
            CheckLive();
        } else if (run.task == Protocol::Task::LINES) {
            ShowLines(run.screen);
        } else if (run.ShowsOnTheLcd()) {
            ShowWiring(run.screen, run.mark);
        }
    }
    Tell(Protocol::Event::END);
    return 0;
}

int Main(int argc, wchar_t** argv) {
    if (argc != 7) {
        return ExitCode::USAGE;
    }
    const HANDLE report =
        reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::wcstoull(argv[2], nullptr, 10)));
    const std::optional<Protocol::Task> task =
        Protocol::FromWord<Protocol::Task>(Protocol::TASK_WORDS, std::wstring_view(argv[3]));
    if (!task) {
        return ExitCode::USAGE;
    }
    const std::wstring mark = argv[5];
    return Run(report,
               {*task, static_cast<int>(std::wcstol(argv[4], nullptr, 10)), false,
                mark == Protocol::NO_MARK ? "" : Utf8::FromWide(mark)},
               argv[6]);
}

} // namespace Child

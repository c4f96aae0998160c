// LCDSIM.exe: the USB-IO board with its 16x2 LCD, simulated in a window, so that the
// program runs against the stand-in HID2.DLL and shows what the real display would.
// Its help text (Id::USAGE in texts.cpp) lists the forms, the options and the exit codes.
#include "board.h"
#include "console.h"
#include "language.h"
#include "remote.h"
#include "replay.h"
#include "sim_window.h"
#include "texts.h"
#include "utf8.h"
#include "whole_file.h"

#include <shellapi.h>
#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

const wchar_t INSTANCE_MUTEX[] = L"LCDSIM.single-instance";
// How long a second start looks for the window of a first one that is still starting.
constexpr int FIND_ATTEMPTS = 50;
constexpr DWORD FIND_INTERVAL_MS = 100;

struct Options {
    bool hidden = false;
    bool print = false;
    bool quit = false;
    bool help = false;
    bool ignoreGaps = false;
    LcdsimTexts::Language language = UiLanguage::OfWindows();
    // A log of the stand-in to play instead of answering the library; `text`: played at
    // once, without a window, and the display printed.
    std::wstring replay;
    bool text = false;
    uint32_t writeCostMicroseconds = Sim::Board::DEFAULT_WRITE_COST_US;
    Sim::Wiring wiring;
    Sim::ControllerChoices choices;
    // The lists of --miswire and --controller as given (empty: not given), for a
    // simulator that runs already.
    std::string miswire;
    std::string controller;
    // The first item of --miswire or --controller that is none of theirs, when there is one.
    std::string badMiswire;
    std::string badController;
    // Screen position of the window; the system's default place unless given.
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
};

bool ParseMicroseconds(const wchar_t* text, uint32_t& value) {
    if (text == nullptr || *text < L'0' || *text > L'9') {
        return false;
    }
    wchar_t* end = nullptr;
    const unsigned long long parsed = std::wcstoull(text, &end, 10);
    if (*end != L'\0' || parsed > UINT32_MAX) {
        return false;
    }
    value = static_cast<uint32_t>(parsed);
    return true;
}

bool ParseOptions(int count, wchar_t** arguments, Options& options) {
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (argument == L"--hidden") {
            options.hidden = true;
        } else if (argument == L"--print") {
            options.print = true;
        } else if (argument == L"--quit") {
            options.quit = true;
        } else if (argument == L"--help") {
            options.help = true;
        } else if (argument == L"--lang" && i + 1 < count &&
                   UiLanguage::FromOption(arguments[i + 1], options.language)) {
            ++i;
        } else if (argument == L"--ignore-gaps") {
            options.ignoreGaps = true;
        } else if (argument == L"--replay" && i + 1 < count && arguments[i + 1][0] != L'\0') {
            options.replay = arguments[++i];
        } else if (argument == L"--text") {
            options.text = true;
        } else if (argument == L"--at" && i + 2 < count) {
            options.x = static_cast<int>(std::wcstol(arguments[++i], nullptr, 10));
            options.y = static_cast<int>(std::wcstol(arguments[++i], nullptr, 10));
        } else if (argument == L"--miswire" && i + 1 < count) {
            options.miswire = Utf8::FromWide(arguments[++i]);
            const std::optional<Sim::Wiring> wiring =
                Sim::Wiring::Parse(options.miswire, options.badMiswire);
            if (!wiring) {
                return false;
            }
            options.wiring = *wiring;
        } else if (argument == L"--controller" && i + 1 < count) {
            options.controller = Utf8::FromWide(arguments[++i]);
            const std::optional<Sim::ControllerChoices> choices =
                Sim::ControllerChoices::Parse(options.controller, options.badController);
            if (!choices) {
                return false;
            }
            options.choices = *choices;
        } else if (argument == L"--write-cost-us" && i + 1 < count) {
            if (!ParseMicroseconds(arguments[++i], options.writeCostMicroseconds)) {
                return false;
            }
        } else {
            return false;
        }
    }
    const bool replaying = !options.replay.empty();
    return !(options.print && options.quit) && !(replaying && (options.print || options.quit)) &&
           !(options.text && !replaying);
}

// What scripts read (--print, --text) and what people read alike go out with the line
// ends as written.
void WriteOutput(const std::string& text) {
    Console::Write(Console::Stream::OUTPUT, text, Console::LineEnds::AS_WRITTEN);
}

void WriteError(const std::string& message) {
    Console::Write(Console::Stream::ERRORS, message, Console::LineEnds::AS_WRITTEN);
}

void WriteError(LcdsimTexts::Id id) {
    WriteError(LcdsimTexts::Say(id));
}

// Reads and checks a replay file; on failure says why and gives the exit code, 1 for a
// file that cannot be read, 2 for a malformed line.
int LoadReplay(const std::wstring& path, std::vector<Sim::LoggedCall>& calls) {
    std::string text;
    if (!WholeFile::Read(path, text)) {
        WriteError(LcdsimTexts::Say(LcdsimTexts::Id::CANNOT_READ, {Utf8::FromWide(path)}));
        return 1;
    }
    Sim::ParsedLog log = Sim::ParseLog(text);
    if (log.badLine != 0) {
        WriteError(LcdsimTexts::Say(LcdsimTexts::Id::BAD_LINE,
                                    {Utf8::FromWide(path), std::to_string(log.badLine),
                                     LcdsimTexts::Describe(log.problem)}));
        return 2;
    }
    calls = std::move(log.calls);
    return 0;
}

// The recording played at once into a board of its own; no window, no running simulator
// involved.
int ReplayText(const Options& options, std::vector<Sim::LoggedCall> calls) {
    Sim::Board board(options.writeCostMicroseconds, options.wiring, options.choices);
    Sim::Replay replay(std::move(calls), !options.ignoreGaps);
    replay.PlayAll(board);
    WriteOutput(Sim::DisplayReport(board));
    return 0;
}

int Print(HINSTANCE instance) {
    const HWND simulator = Remote::FindSimulator();
    std::string text;
    if (simulator == nullptr || !Remote::FetchDisplayText(instance, simulator, text)) {
        WriteError(LcdsimTexts::Id::NO_SIMULATOR);
        return 1;
    }
    WriteOutput(text);
    return 0;
}

int Quit() {
    const HWND simulator = Remote::FindSimulator();
    if (simulator == nullptr) {
        WriteError(LcdsimTexts::Id::NO_SIMULATOR);
        return 1;
    }
    if (!Remote::Close(simulator)) {
        WriteError(LcdsimTexts::Id::DID_NOT_CLOSE);
        return 1;
    }
    return 0;
}

// The first simulator may still be creating its window when a second one starts.
HWND FindFirst() {
    for (int attempt = 0; attempt < FIND_ATTEMPTS; ++attempt) {
        const HWND simulator = Remote::FindSimulator();
        if (simulator != nullptr) {
            return simulator;
        }
        Sleep(FIND_INTERVAL_MS);
    }
    return nullptr;
}

// What the running simulator's board is wired as now, and what its controller chooses.
void SayRewired(const Options& options) {
    using LcdsimTexts::Id;
    using LcdsimTexts::Say;
    if (!options.miswire.empty()) {
        WriteOutput(options.wiring.Correct() ? Say(Id::REWIRED_CORRECTLY)
                                             : Say(Id::REWIRED, {options.wiring.Describe()}));
    }
    if (!options.controller.empty()) {
        const std::string chosen = options.choices.Describe();
        WriteOutput(chosen.empty() ? Say(Id::CONTROLLER_DEFAULTS)
                                   : Say(Id::CONTROLLER_CHOSEN, {chosen}));
    }
}

// A second start brings the running simulator to the front, and gives its board the
// wiring and the controller choices it names, as a wire changed while powered.
int PassToFirst(const Options& options) {
    const HWND simulator = FindFirst();
    if (simulator == nullptr) {
        return 1;
    }
    if (!options.miswire.empty() || !options.controller.empty()) {
        if (!Remote::Rewire(simulator, options.miswire, options.controller)) {
            WriteError(LcdsimTexts::Id::DID_NOT_REWIRE);
            return 1;
        }
        SayRewired(options);
    }
    Remote::BringToFront(simulator);
    return 0;
}

int RunSimulator(HINSTANCE instance, const Options& options,
                 const std::vector<Sim::LoggedCall>* replay) {
    const SimWindow::Settings settings = {options.writeCostMicroseconds,
                                          !options.ignoreGaps,
                                          !options.hidden,
                                          options.x,
                                          options.y,
                                          replay,
                                          options.replay.c_str(),
                                          options.wiring,
                                          options.choices};
    if (SimWindow::Create(instance, settings) == nullptr) {
        WriteError(LcdsimTexts::Id::NO_WINDOW);
        return 1;
    }
    MSG message;
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0 || result == -1) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Console::BorrowParentConsole();
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    Options options;
    const bool valid = arguments != nullptr && ParseOptions(count, arguments, options);
    LocalFree(arguments);
    LcdsimTexts::Use(options.language);
    if (!valid) {
        if (!options.badMiswire.empty()) {
            WriteError(LcdsimTexts::Say(LcdsimTexts::Id::BAD_MISWIRE, {options.badMiswire}));
        }
        if (!options.badController.empty()) {
            WriteError(LcdsimTexts::Say(LcdsimTexts::Id::BAD_CONTROLLER, {options.badController}));
        }
        WriteError(LcdsimTexts::Id::USAGE);
        return 2;
    }
    if (options.help) {
        WriteOutput(LcdsimTexts::Say(LcdsimTexts::Id::USAGE) +
                    LcdsimTexts::Say(LcdsimTexts::Id::HELP));
        return 0;
    }
    if (options.print) {
        return Print(instance);
    }
    if (options.quit) {
        return Quit();
    }
    std::vector<Sim::LoggedCall> calls;
    if (!options.replay.empty()) {
        if (const int failure = LoadReplay(options.replay, calls)) {
            return failure;
        }
        if (options.text) {
            return ReplayText(options, std::move(calls));
        }
    }
    // Held until the process ends: the mark that a simulator runs, set before its window
    // exists, so that two starts at the same moment do not both become the board.
    CreateMutexW(nullptr, TRUE, INSTANCE_MUTEX);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (!options.replay.empty()) {
            WriteError(LcdsimTexts::Id::RUNNING_ALREADY);
            return 1;
        }
        return PassToFirst(options);
    }
    return RunSimulator(instance, options, options.replay.empty() ? nullptr : &calls);
}

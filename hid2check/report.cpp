#include "report.h"

#include "exit_code.h"
#include "time_limits.h"
#include "usbio_link.h"
#include "wiring_screens.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace Report {
namespace {

using Hid2checkTexts::Id;

// One hidinit without a board, beyond which a user feels KORVAN3.exe freeze.
constexpr double SLOW_OPEN_MILLISECONDS = 20.0;
// A click on "LCD表示" with two full rows: the clear, then per row the cursor and 16
// characters; while no board answers, each cycle asks hidinit once per port operation.
constexpr int FULL_CLICK_CYCLES = 1 + 2 * (1 + 16);
constexpr int OPENS_PER_CYCLE = 3;

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    size_t at = 0;
    while (at < line.size()) {
        const size_t end = std::min(line.find(' ', at), line.size());
        if (end > at) {
            words.push_back(line.substr(at, end - at));
        }
        at = end + 1;
    }
    return words;
}

std::string Decimals(double value, int places) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

int Integer(const std::string& word) {
    return static_cast<int>(std::strtoll(word.c_str(), nullptr, 10));
}

uint32_t Code(const std::string& word) {
    return static_cast<uint32_t>(std::strtoul(word.c_str(), nullptr, 16));
}

// A process ended by an exception nothing handled exits with the exception's code;
// those are the error and warning status values, with their top bits set.
bool IsExceptionCode(uint32_t exitCode) {
    return exitCode >= 0x80000000u;
}

// The middle one of the times, in order.
double Median(std::vector<double> times) {
    if (times.empty()) {
        return 0.0;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

Convention ConventionOf(int stackLeft, bool sixtyFourBit) {
    if (sixtyFourBit) {
        return Convention::X64;
    }
    if (stackLeft == 0) {
        return Convention::CALLEE_CLEANS;
    }
    // The three int arguments, left on the stack for the caller to remove.
    if (stackLeft == -12) {
        return Convention::CALLER_CLEANS;
    }
    return Convention::UNKNOWN;
}

const char* ShortName(Convention convention) {
    switch (convention) {
    case Convention::CALLEE_CLEANS:
        return "stdcall";
    case Convention::CALLER_CLEANS:
        return "cdecl";
    case Convention::X64:
        return "x64";
    case Convention::UNKNOWN:
        break;
    }
    return "";
}

bool Decorated(const std::vector<std::string>& nearNames) {
    return std::any_of(nearNames.begin(), nearNames.end(), [](const std::string& name) {
        return name.find('@') != std::string::npos || (!name.empty() && name[0] == '_');
    });
}

Session::Session(Hid2checkTexts::Language language_, RunMode mode_, Names names_, Print print_,
                 SystemMessage systemMessage_, bool sixtyFourBit_)
    : language(language_), mode(mode_), names(std::move(names_)), print(std::move(print_)),
      systemMessage(std::move(systemMessage_)), sixtyFourBit(sixtyFourBit_) {}

std::string Session::Say(Id id, std::initializer_list<std::string> arguments) const {
    return Hid2checkTexts::Say(language, id, arguments);
}

void Session::Finding(const std::string& line) const {
    print(line);
}

void Session::Hear(const std::string& line) {
    const std::vector<std::string> words = Words(line);
    if (words.empty()) {
        return;
    }
    const std::string& what = words[0];
    const std::string first = words.size() > 1 ? words[1] : "";
    if (what == "step") {
        const std::pair<const char*, Step> steps[] = {
            {"load", Step::LOAD},     {"hidinit", Step::HIDINIT}, {"probe", Step::PROBE},
            {"timing", Step::TIMING}, {"screen", Step::SCREEN},   {"wiring", Step::WIRING}};
        for (const auto& [name, value] : steps) {
            step = first == name ? value : step;
        }
    } else if (what == "loaded" || what == "load-failed") {
        if (what == "load-failed") {
            const uint32_t error = static_cast<uint32_t>(Integer(first));
            Finding(Say(Id::LOAD_FAILED, {systemMessage(error), std::to_string(error)}));
        }
        ReportLoad(what == "loaded");
    } else if (what == "opened" && words.size() == 3) {
        Opened(Integer(first), std::strtod(words[2].c_str(), nullptr) / 1000.0);
    } else if (what == "probed") {
        Probed(Integer(first));
    } else if (what == "timed") {
        std::vector<double> times;
        for (size_t i = 1; i < words.size(); ++i) {
            times.push_back(std::strtod(words[i].c_str(), nullptr) / 1000.0);
        }
        Timed(times);
    } else if (what == "shown") {
        Finding(Say(Id::DISPLAY, {ShortName(convention)}));
    } else if (what == "wired" && mode.ShowsOnTheLcd()) {
        wired = true;
        // The dialogue's question or the line walk's step says what the LCD shows instead.
        if (mode.kind == RunMode::Kind::WIRING) {
            Finding(
                Say(mode.screen == 0 ? Id::WIRING_SHOWN_OK : Id::WIRING_SHOWN,
                    {std::to_string(mode.screen), std::to_string(WiringScreens::ScreenCount() - 1),
                     std::string(WiringScreens::Claim(mode.screen))}));
        }
    } else if (what == "crash") {
        Crashed(Code(first));
    } else if (what == "end") {
        finished = true;
    }
}

// The load's outcome, then what the reading of the file found about the names.
void Session::ReportLoad(bool loadedNow) {
    loaded = loadedNow;
    loadReported = true;
    if (loaded && mode.repeat) {
        return;
    }
    if (loaded) {
        Finding(Say(Id::LOAD_OK));
    }
    for (const std::string& line : names.findings) {
        Finding(line);
    }
}

void Session::Opened(int result, double milliseconds) {
    handle = UsbIoLink::HandleOf(result);
    if (handle != 0 && mode.repeat) {
        return;
    }
    Finding(Say(Id::OPEN_TIME, {Decimals(milliseconds, 3)}));
    if (handle != 0) {
        Finding(Say(Id::BOARD_OK, {std::to_string(handle)}));
        return;
    }
    Finding(Say(Id::BOARD_NONE, {std::to_string(result)}));
    if (milliseconds > SLOW_OPEN_MILLISECONDS) {
        const double frozenSeconds = milliseconds * FULL_CLICK_CYCLES * OPENS_PER_CYCLE / 1000.0;
        Finding(
            Say(Id::SLOW_OPEN_WARNING, {Decimals(milliseconds, 1), Decimals(frozenSeconds, 1)}));
    }
}

void Session::Probed(int stackLeft) {
    convention = ConventionOf(stackLeft, sixtyFourBit);
    switch (convention) {
    case Convention::CALLEE_CLEANS:
        Finding(Say(Id::CONVENTION, {Say(Id::CONVENTION_STDCALL)}));
        break;
    case Convention::CALLER_CLEANS:
        Finding(Say(Id::CONVENTION, {Say(Id::CONVENTION_CDECL)}));
        break;
    case Convention::X64:
        Finding(Say(Id::CONVENTION, {Say(Id::CONVENTION_X64)}));
        break;
    case Convention::UNKNOWN:
        Finding(Say(Id::CONVENTION_UNKNOWN, {std::to_string(stackLeft)}));
        break;
    }
}

void Session::KeepUpWith(std::vector<KeepUp::Step> screens) {
    korvan3Screens = std::move(screens);
}

// The display keeps up or not at the board's pace, as the model of both tells.
void Session::Timed(const std::vector<double>& times) {
    const double milliseconds = Median(times);
    Finding(Say(Id::TIMING, {Decimals(milliseconds, 3), std::to_string(times.size())}));
    if (korvan3Screens.empty()) {
        return;
    }
    const KeepUp::Outcome outcome =
        KeepUp::Run(korvan3Screens, static_cast<uint32_t>(milliseconds * 1000.0));
    if (outcome.busyTransfers > 0) {
        const double safe = KeepUp::LeastSafeWriteCost(korvan3Screens) / 1000.0;
        Finding(Say(Id::KEEP_UP_WARNING,
                    {Decimals(milliseconds, 3), std::to_string(outcome.busyTransfers),
                     std::to_string(outcome.transfers), Decimals(safe, 3)}));
    }
}

std::string Session::CalledFunction() const {
    switch (step) {
    case Step::NONE:
    case Step::LOAD:
        return Say(Id::STARTUP_CODE);
    case Step::HIDINIT:
        return "hidinit";
    case Step::PROBE:
    case Step::TIMING:
    case Step::SCREEN:
    case Step::WIRING:
        break;
    }
    return "Hidwrite";
}

void Session::Crashed(uint32_t code) {
    if (fault != Fault::NONE) {
        return;
    }
    fault = Fault::CRASHED;
    faultCode = code;
    Finding(Say(Id::CRASHED, {CalledFunction(), Say(Hid2checkTexts::ExceptionName(code)),
                              Hid2checkTexts::Hex(code)}));
}

int Session::Ended(uint32_t exitCode) {
    if (fault == Fault::NONE && !finished) {
        if (IsExceptionCode(exitCode)) {
            Crashed(exitCode);
        } else {
            fault = Fault::ENDED;
            faultCode = exitCode;
            Finding(Say(Id::ENDED_PROCESS, {CalledFunction(), std::to_string(exitCode)}));
        }
    }
    return Verdict();
}

int Session::Stopped(bool callTimedOut) {
    if (fault == Fault::NONE) {
        fault = callTimedOut ? Fault::HUNG : Fault::TOO_SLOW;
        Finding(callTimedOut
                    ? Say(Id::DID_NOT_RETURN,
                          {CalledFunction(), std::to_string(TimeLimits::CALL_LIMIT_SECONDS)})
                    : Say(Id::TOO_SLOW,
                          {CalledFunction(), std::to_string(TimeLimits::TOTAL_LIMIT_SECONDS)}));
    }
    return Verdict();
}

int Session::NotStarted(uint32_t error) {
    Finding(Say(Id::NOT_STARTED, {systemMessage(error)}));
    return Verdict(ExitCode::WILL_NOT_LOAD, Say(Id::CANNOT_CHECK));
}

int Session::Verdict(int code, const std::string& why) const {
    Finding(Say(Id::VERDICT, {why}));
    return code;
}

// The first thing that would stop KORVAN3.exe decides: its imports, then what the
// library's code did, then the board.
int Session::Verdict() {
    if (!loadReported) {
        ReportLoad(false);
    }
    if (!names.complete) {
        return Verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WILL_NOT_START, {names.problem}));
    }
    switch (fault) {
    case Fault::CRASHED:
        return Verdict(ExitCode::WILL_NOT_LOAD,
                       Say(Id::WOULD_CRASH,
                           {CalledFunction(), Say(Hid2checkTexts::ExceptionName(faultCode))}));
    case Fault::HUNG:
    case Fault::TOO_SLOW:
        return Verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WOULD_FREEZE, {CalledFunction()}));
    case Fault::ENDED:
        return Verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WOULD_END, {CalledFunction()}));
    case Fault::NONE:
        break;
    }
    if (!loaded) {
        return Verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WILL_NOT_START, {Say(Id::CANNOT_LOAD)}));
    }
    if (mode.kind == RunMode::Kind::LIBRARY) {
        return Verdict(ExitCode::WILL_LOAD, Say(Id::WILL_LOAD));
    }
    if (handle == 0) {
        return Verdict(ExitCode::NO_BOARD, Say(Id::NO_BOARD));
    }
    if (mode.ShowsOnTheLcd()) {
        return wired ? ExitCode::WILL_LOAD
                     : Verdict(ExitCode::WILL_NOT_LOAD, Say(Id::CANNOT_CHECK));
    }
    if (convention == Convention::UNKNOWN) {
        return Verdict(ExitCode::WILL_NOT_LOAD, Say(Id::NOT_THE_BOARDS_LIBRARY));
    }
    return Verdict(ExitCode::WILL_LOAD, Say(Id::WILL_WORK));
}

} // namespace Report

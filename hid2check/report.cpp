// The findings of a run of the checking process, from its lines; the verdict is in verdict.cpp.
#include "report.h"

#include "exit_code.h"
#include "keep_up.h"
#include "texts.h"
#include "time_limits.h"
#include "usbio_link.h"
#include "verdict.h"
#include "wiring_screens.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace Report {
namespace {

using Hid2checkTexts::Decimals;
using Hid2checkTexts::Id;
using Hid2checkTexts::Say;
using Protocol::Event;

// One hidinit without a board, beyond which a user feels KORVAN3.exe freeze.
constexpr double SLOW_OPEN_MILLISECONDS = 20.0;
// A click on "LCD表示" with two full rows: the clear, then per row the cursor and 16
// characters; while no board answers, each cycle asks hidinit once per port operation.
constexpr int FULL_CLICK_CYCLES = 1 + 2 * (1 + 16);
constexpr int OPENS_PER_CYCLE = 3;

int Integer(const std::string& word) {
    return static_cast<int>(std::strtoll(word.c_str(), nullptr, 10));
}

double Milliseconds(const std::string& microseconds) {
    return std::strtod(microseconds.c_str(), nullptr) / 1000.0;
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

Session::Session(Protocol::Run run_, Names names_, Print print_, SystemMessage systemMessage_,
                 bool sixtyFourBit_)
    : run(run_), names(std::move(names_)), print(std::move(print_)),
      systemMessage(std::move(systemMessage_)), sixtyFourBit(sixtyFourBit_) {}

void Session::Hear(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    const std::optional<Event> event =
        words.empty()
            ? std::nullopt
            : Protocol::FromWord<Event>(Protocol::EVENT_WORDS, std::string_view(words[0]));
    const std::string first = words.size() > 1 ? words[1] : "";
    switch (event.value_or(Event::TICK)) {
    case Event::STEP:
        call = Protocol::FromWord<Protocol::Call>(Protocol::CALL_WORDS, std::string_view(first))
                   .value_or(call);
        break;
    case Event::LOAD_FAILED: {
        const auto error = static_cast<uint32_t>(Integer(first));
        print(Say(Id::LOAD_FAILED, {systemMessage(error), std::to_string(error)}));
        ReportLoad(false);
        break;
    }
    case Event::LOADED:
        ReportLoad(true);
        break;
    case Event::OPENED:
        if (words.size() == 3) {
            Opened(Integer(first), Milliseconds(words[2]));
        }
        break;
    case Event::PROBED:
        Probed(Integer(first));
        break;
    case Event::TIMED: {
        std::vector<double> times;
        std::transform(words.begin() + 1, words.end(), std::back_inserter(times), Milliseconds);
        Timed(times);
        break;
    }
    case Event::SHOWN:
        print(Say(Id::DISPLAY, {Convention::ShortName(convention)}));
        break;
    case Event::WIRED:
        Wiring();
        break;
    case Event::CRASH:
        Crashed(static_cast<uint32_t>(std::strtoul(first.c_str(), nullptr, 16)));
        break;
    case Event::END:
        finished = true;
        break;
    case Event::TICK:
        break;
    }
}

// The load's outcome, then what the reading of the file found about the names.
void Session::ReportLoad(bool loadedNow) {
    loaded = loadedNow;
    loadReported = true;
    if (loaded && run.repeat) {
        return;
    }
    if (loaded) {
        print(Say(Id::LOAD_OK));
    }
    for (const std::string& line : names.findings) {
        print(line);
    }
}

void Session::Opened(int result, double milliseconds) {
    handle = UsbIoLink::HandleOf(result);
    if (handle != 0 && run.repeat) {
        return;
    }
    print(Say(Id::OPEN_TIME, {Decimals(milliseconds, 3)}));
    if (handle != 0) {
        print(Say(Id::BOARD_OK, {std::to_string(handle)}));
        return;
    }
    print(Say(Id::BOARD_NONE, {std::to_string(result)}));
    if (milliseconds > SLOW_OPEN_MILLISECONDS) {
        const double frozenSeconds = milliseconds * FULL_CLICK_CYCLES * OPENS_PER_CYCLE / 1000.0;
        print(Say(Id::SLOW_OPEN_WARNING, {Decimals(milliseconds, 1), Decimals(frozenSeconds, 1)}));
    }
}

void Session::Probed(int stackLeft) {
    convention = Convention::Of(stackLeft, sixtyFourBit);
    constexpr Id NAMES[] = {Id::CONVENTION_STDCALL, Id::CONVENTION_CDECL, Id::CONVENTION_X64};
    print(convention == Convention::Kind::UNKNOWN
              ? Say(Id::CONVENTION_UNKNOWN, {std::to_string(stackLeft)})
              : Say(Id::CONVENTION, {Say(NAMES[static_cast<size_t>(convention)])}));
}

void Session::KeepUpWith(std::vector<Sim::WriteOrWait> screens) {
    korvan3Screens = std::move(screens);
}

void Session::Timed(const std::vector<double>& times) {
    const double milliseconds = Median(times);
    print(Say(Id::TIMING, {Decimals(milliseconds, 3), std::to_string(times.size())}));
    if (!korvan3Screens.empty()) {
        if (const std::optional<std::string> warning =
                KeepUp::Warning(korvan3Screens, milliseconds)) {
            print(*warning);
        }
    }
}

// A screen named on the command line is named here; the dialogue's question or the line
// walk's step says what the LCD shows instead.
void Session::Wiring() {
    if (!run.ShowsOnTheLcd()) {
        return;
    }
    wired = true;
    if (run.task == Protocol::Task::WIRING) {
        print(Say(run.screen == 0 ? Id::WIRING_SHOWN_OK : Id::WIRING_SHOWN,
                  {std::to_string(run.screen), std::to_string(WiringScreens::ScreenCount() - 1),
                   WiringScreens::Claim(run.screen)}));
    }
}

std::string Session::CalledFunction() const {
    switch (call) {
    case Protocol::Call::LOAD:
        return Say(Id::STARTUP_CODE);
    case Protocol::Call::HIDINIT:
        return "hidinit";
    default:
        return "Hidwrite";
    }
}

void Session::Crashed(uint32_t code) {
    if (fault != Fault::NONE) {
        return;
    }
    fault = Fault::CRASHED;
    faultCode = code;
    print(Say(Id::CRASHED, {CalledFunction(), Say(Hid2checkTexts::ExceptionName(code)),
                            Hid2checkTexts::Hex(code)}));
}

int Session::Ended(uint32_t exitCode) {
    if (fault == Fault::NONE && !finished) {
        if (IsExceptionCode(exitCode)) {
            Crashed(exitCode);
        } else {
            fault = Fault::ENDED;
            faultCode = exitCode;
            print(Say(Id::ENDED_PROCESS, {CalledFunction(), std::to_string(exitCode)}));
        }
    }
    return Verdict();
}

int Session::Stopped(bool callTimedOut) {
    if (fault == Fault::NONE) {
        fault = callTimedOut ? Fault::HUNG : Fault::TOO_SLOW;
        print(callTimedOut ? Say(Id::DID_NOT_RETURN,
                                 {CalledFunction(), std::to_string(TimeLimits::CALL_LIMIT_SECONDS)})
                           : Say(Id::TOO_SLOW, {CalledFunction(),
                                                std::to_string(TimeLimits::TOTAL_LIMIT_SECONDS)}));
    }
    return Verdict();
}

int Session::NotStarted(uint32_t error) {
    print(Say(Id::NOT_STARTED, {systemMessage(error)}));
    return Verdict::Give(print, ExitCode::WILL_NOT_LOAD, Say(Id::CANNOT_CHECK));
}

} // namespace Report

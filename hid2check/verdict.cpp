// The verdict: the last line of every run, and the exit code that goes with it.
#include "verdict.h"

#include "exit_code.h"
#include "report.h"
#include "texts.h"

namespace Verdict {

int Give(const std::function<void(const std::string&)>& print, int code, const std::string& why) {
    print(Hid2checkTexts::Say(Hid2checkTexts::Id::VERDICT, {why}));
    return code;
}

} // namespace Verdict

namespace Report {

// The first thing that would stop KORVAN3.exe decides: its imports, then what the
// library's code did, then the board.
int Session::Verdict() {
    using Hid2checkTexts::Id;
    using Hid2checkTexts::Say;
    const auto verdict = [this](int code, const std::string& why) {
        return Verdict::Give(print, code, why);
    };
    if (!loadReported) {
        ReportLoad(false);
    }
    if (!names.complete) {
        return verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WILL_NOT_START, {names.problem}));
    }
    switch (fault) {
    case Fault::CRASHED:
        return verdict(ExitCode::WILL_NOT_LOAD,
                       Say(Id::WOULD_CRASH,
                           {CalledFunction(), Say(Hid2checkTexts::ExceptionName(faultCode))}));
    case Fault::HUNG:
    case Fault::TOO_SLOW:
        return verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WOULD_FREEZE, {CalledFunction()}));
    case Fault::ENDED:
        return verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WOULD_END, {CalledFunction()}));
    case Fault::NONE:
        break;
    }
    if (!loaded) {
        return verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WILL_NOT_START, {Say(Id::CANNOT_LOAD)}));
    }
    if (run.task == Protocol::Task::LOAD || run.task == Protocol::Task::BIND) {
        return verdict(ExitCode::WILL_LOAD, Say(Id::WILL_LOAD));
    }
    if (handle == 0) {
        return verdict(ExitCode::NO_BOARD, Say(Id::NO_BOARD));
    }
    if (run.ShowsOnTheLcd()) {
        return wired ? ExitCode::WILL_LOAD
                     : verdict(ExitCode::WILL_NOT_LOAD, Say(Id::CANNOT_CHECK));
    }
    if (convention == Convention::Kind::UNKNOWN) {
        return verdict(ExitCode::WILL_NOT_LOAD, Say(Id::NOT_THE_BOARDS_LIBRARY));
    }
    return verdict(ExitCode::WILL_LOAD, Say(Id::WILL_WORK));
}

} // namespace Report

// A run of hid2check: the command line's form, step by step, to the verdict.
#include "run.h"

#include "command_line.h"
#include "console.h"
#include "console_dialogues.h"
#include "exit_code.h"
#include "keep_up.h"
#include "library_findings.h"
#include "places.h"
#include "recorder.h"
#include "recording.h"
#include "supervisor.h"
#include "texts.h"
#include "time_limits.h"
#include "utf8.h"
#include "verdict.h"
#include "wiring_screens.h"

namespace Hid2check {
namespace {

using Hid2checkTexts::Id;
using Hid2checkTexts::Say;

int UsageError(const std::string& what) {
    Console::ErrorLine(what);
    Console::Text(Say(Id::USAGE, {std::to_string(TimeLimits::CALL_LIMIT_SECONDS)}));
    return ExitCode::USAGE;
}

int WillNotStart(const std::string& problem) {
    return Verdict::Give(Console::Line, ExitCode::WILL_NOT_LOAD,
                         Say(Id::WILL_NOT_START, {problem}));
}

// The library's calls in a checking process: loaded alone, bound, or with the board.
int CheckTheCalls(const std::wstring& path, bool live, Report::Names names) {
    const Protocol::Task task =
        live ? Protocol::Task::LIVE
             : (names.complete ? Protocol::Task::BIND : Protocol::Task::LOAD);
    Report::Session session({task}, std::move(names), Console::Line,
                            LibraryFindings::SystemMessage);
    if (live) {
        session.KeepUpWith(Recorder::Record(KeepUp::ShowSession));
    }
    return Supervisor::Run(path, {task}, session);
}

} // namespace

int Run(const std::vector<std::wstring>& arguments) {
    const CommandLine::Options options = CommandLine::Parse(arguments, UiLanguage::OfWindows());
    Hid2checkTexts::Use(options.language);
    if (options.wrong) {
        return UsageError(Say(Id::UNEXPECTED_ARGUMENT, {Utf8::FromWide(options.unexpected)}));
    }
    if (options.help) {
        Console::Text(Say(Id::USAGE, {std::to_string(TimeLimits::CALL_LIMIT_SECONDS)}));
        return ExitCode::WILL_LOAD;
    }
    const int screens = WiringScreens::ScreenCount();
    if (options.wiring && options.wiringScreen >= screens) {
        return UsageError(Say(Id::WIRING_NO_SUCH_SCREEN,
                              {std::to_string(options.wiringScreen), std::to_string(screens - 1)}));
    }

    std::wstring path;
    if (options.path.empty()) {
        path = LibraryFindings::LibraryWindowsWouldLoad();
        if (path.empty()) {
            Console::Line(Say(Id::FILE_NOT_FOUND_ANYWHERE));
            return WillNotStart(Say(Id::NOT_FOUND_BY_WINDOWS));
        }
    } else {
        path = Places::FullPath(options.path);
        Console::Line(Say(Id::LIBRARY, {Utf8::FromWide(path)}));
    }

    PeImage::Description image;
    std::string problem;
    if (!LibraryFindings::CheckFile(path, image, problem)) {
        return WillNotStart(problem);
    }
    Report::Names names = LibraryFindings::CheckNames(image);
    if (options.record) {
        return Recording::Record(path, names);
    }
    if (options.wiring && names.complete) {
        return options.wiringScreen == CommandLine::ALL_SCREENS
                   ? ConsoleDialogues::AskAboutTheWiring(path, names)
                   : ConsoleDialogues::ShowWiringScreen(path, options.wiringScreen, names);
    }
    if (options.lines && names.complete) {
        return ConsoleDialogues::WalkTheLines(path, names);
    }
    return CheckTheCalls(path, options.live && names.complete, std::move(names));
}

} // namespace Hid2check

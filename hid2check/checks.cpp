#include "checks.h"

#include "child.h"
#include "command_line.h"
#include "console.h"
#include "exit_code.h"
#include "hid2_entries.h"
#include "keep_up.h"
#include "line_walk.h"
#include "own_folder.h"
#include "pe_image.h"
#include "places.h"
#include "recorder.h"
#include "report.h"
#include "search.h"
#include "supervisor.h"
#include "texts.h"
#include "utf8.h"
#include "whole_file.h"
#include "wiring_dialogue.h"
#include "wiring_screens.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using Hid2checkTexts::Id;

constexpr bool SIXTY_FOUR_BIT = sizeof(void*) == 8;
// A library file is read only if it is smaller than 256 MiB, and only while no one writes it.
constexpr WholeFile::Options LIBRARY_FILE = {.limit = 0x10000000, .othersMayWrite = false};

Hid2checkTexts::Language language = Hid2checkTexts::Language::ENGLISH;

std::string Say(Id id, std::initializer_list<std::string> arguments = {}) {
    return Hid2checkTexts::Say(language, id, arguments);
}

int Verdict(int code, const std::string& why) {
    Console::Line(Say(Id::VERDICT, {why}));
    return code;
}

// Windows' own words for an error, in the language of the findings where it has them.
std::string SystemMessage(uint32_t error) {
    const WORD wanted = language == Hid2checkTexts::Language::JAPANESE
                            ? MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN)
                            : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    wchar_t* text = nullptr;
    for (const WORD languageId : {wanted, WORD{0}}) {
        if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, languageId, reinterpret_cast<wchar_t*>(&text), 0,
                           nullptr) != 0) {
            break;
        }
    }
    std::wstring message = text != nullptr ? text : L"";
    LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
            message.back() == L'.' || message.back() == L'。')) {
        message.pop_back();
    }
    // Some codes have no text on some systems (Wine has none for a file too large).
    return message.empty() ? "error " + std::to_string(error) : Utf8::FromWide(message);
}

// The HID2.DLL that Windows would give a KORVAN3.exe in this folder, named with where it
// was found and any later one it wins over; empty when there is none.
std::wstring LibraryWindowsWouldLoad() {
    const std::vector<Search::Folder> libraries = Search::Libraries(
        Search::Folders(Utf8::FromWide(OwnFolder::Path()), Places::SystemFolder(),
                        Places::WindowsFolder(), Places::CurrentFolder(), Places::PathVariable()),
        Places::IsFile);
    if (libraries.empty()) {
        Console::Line(
            Say(Id::LIBRARY, {Utf8::FromWide(OwnFolder::Path()) + "\\" + Search::LIBRARY_NAME}));
        return L"";
    }
    Console::Line(Say(Id::LIBRARY, {libraries[0].path}));
    Console::Line(Say(Id::FOUND, {Say(libraries[0].place)}));
    for (size_t i = 1; i < libraries.size(); ++i) {
        Console::Line(Say(Id::ALSO_FOUND, {libraries[i].path, Say(libraries[i].place)}));
    }
    return Utf8::ToWide(libraries[0].path);
}

std::string Bitness(uint16_t machine) {
    return Hid2checkTexts::Bitness(language, machine);
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : Say(Id::LIST_SEPARATOR)) + name;
    }
    return text;
}

// The file and its kind: what stops KORVAN3.exe before Windows even tries the library.
bool CheckFile(const std::wstring& path, PeImage::Description& image, std::string& problem) {
    std::vector<uint8_t> bytes;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        Console::Line(Say(Id::FILE_NOT_FOUND));
        problem = Say(Id::NO_FILE_THERE);
        return false;
    }
    if (!WholeFile::Read(path, bytes, LIBRARY_FILE)) {
        Console::Line(Say(Id::FILE_UNREADABLE, {SystemMessage(GetLastError())}));
        problem = Say(Id::CANNOT_BE_READ);
        return false;
    }
    Console::Line(Say(Id::FILE_FOUND, {std::to_string(bytes.size())}));
    image = PeImage::Describe(bytes);
    if (!image.isImage || !image.isLibrary) {
        Console::Line(Say(image.isImage ? Id::FORMAT_PROGRAM : Id::FORMAT_NOT_LIBRARY));
        problem = Say(Id::NOT_A_LIBRARY);
        return false;
    }
    const uint16_t ownMachine = SIXTY_FOUR_BIT ? PeImage::MACHINE_AMD64 : PeImage::MACHINE_I386;
    if (image.machine != ownMachine) {
        Console::Line(Say(Id::FORMAT_OTHER_MACHINE, {Bitness(image.machine), Bitness(ownMachine)}));
        problem = Say(Id::WRONG_MACHINE, {Bitness(image.machine), Bitness(ownMachine)});
        return false;
    }
    Console::Line(Say(Id::FORMAT_OK, {Bitness(image.machine)}));
    return true;
}

// The export names, as the file spells them, with advice for each near miss.
Report::Names CheckNames(const PeImage::Description& image) {
    Report::Names names;
    std::vector<std::string> missing;
    for (const char* name : Hid2Entries::NAMES) {
        const auto& exports = image.exportNames;
        if (std::find(exports.begin(), exports.end(), name) != exports.end()) {
            names.findings.push_back(Say(Id::NAME_EXPORTED, {name}));
            continue;
        }
        missing.push_back(name);
        const std::vector<std::string> similar = PeImage::NearNames(exports, name);
        names.findings.push_back(
            similar.empty()
                ? Say(Id::NAME_MISSING, {name})
                : Say(Id::NAME_NEAR, {name, Joined(similar),
                                      Say(Report::Decorated(similar) ? Id::ADVICE_DECORATED
                                                                     : Id::ADVICE_LETTER_CASE)}));
    }
    names.complete = missing.empty();
    if (!names.complete) {
        names.problem =
            Say(missing.size() == 1 ? Id::NEEDS_NAME : Id::NEEDS_NAMES, {Joined(missing)});
    }
    return names;
}

// What the user typed up to Enter, without the line end; nothing once the input has
// ended. The input may be the console, a file or a pipe.
std::optional<std::string> ReadLine() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string line;
    char byte = 0;
    DWORD read = 0;
    for (;;) {
        if (!ReadFile(input, &byte, 1, &read, nullptr) || read != 1) {
            return line.empty() ? std::nullopt : std::optional<std::string>(line);
        }
        if (byte == '\n') {
            return line;
        }
        if (byte != '\r') {
            line += byte;
        }
    }
}

// Shows one screen, step or state on the LCD from a checking process of its own; false,
// with hid2check's exit code in `code`, when the run went wrong (the report said why).
bool Show(const std::wstring& path, const Report::RunMode& mode, Child::Check check,
          const Report::Names& names, int& code) {
    Report::Session session(language, mode, names, Console::Line, SystemMessage);
    code = Supervisor::Run(path, {check, mode.screen}, session);
    return session.Wired();
}

// `--wiring N`: the one screen asked for.
int ShowWiringScreen(const std::wstring& path, int screen, const Report::Names& names) {
    int code = 0;
    if (!Show(path, {Report::RunMode::Kind::WIRING, screen}, Child::Check::WIRING, names, code)) {
        return code;
    }
    return Verdict(ExitCode::WILL_LOAD, Say(Id::WIRING_DONE_ONE, {std::to_string(screen)}));
}

// The answer to a question: one of its numbers, asked again until it is one; nothing once
// the input has ended.
std::optional<int> Answer(const WiringDialogue::Question& question) {
    for (;;) {
        Console::Text(Say(Id::WIRING_ANSWER));
        const std::optional<std::string> line = ReadLine();
        if (!line) {
            Console::Line("");
            return std::nullopt;
        }
        const size_t first = line->find_first_not_of(' ');
        const size_t last = line->find_last_not_of(' ');
        const std::string typed =
            first == std::string::npos ? "" : line->substr(first, last - first + 1);
        for (const WiringDialogue::Choice& choice : question.choices) {
            if (typed == std::to_string(choice.number)) {
                return choice.number;
            }
        }
        Console::Line(Say(Id::WIRING_ANSWER_AGAIN));
    }
}

// `--wiring`: a screen, a question about what the LCD shows, the next screen from the
// answers, until the fault can be named.
int AskAboutTheWiring(const std::wstring& path, const Report::Names& names) {
    WiringDialogue::Dialogue dialogue;
    bool repeat = false;
    while (const std::optional<int> screen = dialogue.NextScreen()) {
        int code = 0;
        if (!Show(path, {Report::RunMode::Kind::DIALOGUE, *screen, repeat}, Child::Check::WIRING,
                  names, code)) {
            return code;
        }
        repeat = true;
        const WiringDialogue::Question question = dialogue.CurrentQuestion(language);
        Console::Line(question.prompt);
        for (const WiringDialogue::Choice& choice : question.choices) {
            Console::Line("  " + std::to_string(choice.number) + "  " + choice.text);
        }
        const std::optional<int> answer = Answer(question);
        if (!answer) {
            break;
        }
        dialogue.Answer(*answer);
    }
    const WiringDialogue::Verdict verdict = dialogue.Result(language);
    for (const std::string& line : verdict.details) {
        Console::Line(line);
    }
    return Verdict(ExitCode::WILL_LOAD, verdict.text);
}

// `--lines`: every line low, then each one high alone, Enter between the steps; at the
// end the display is put back to a clean state.
int WalkTheLines(const std::wstring& path, const Report::Names& names) {
    const int steps = static_cast<int>(LineWalk::Steps().size());
    int code = 0;
    for (int step = 0; step < steps; ++step) {
        if (!Show(path, {Report::RunMode::Kind::LINES, step, step != 0}, Child::Check::LINES, names,
                  code)) {
            return code;
        }
        Console::Line(LineWalk::Describe(language, step));
        if (step + 1 < steps) {
            Console::Line(Say(Id::LINES_NEXT));
            if (!ReadLine()) {
                break;
            }
        }
    }
    if (!Show(path, {Report::RunMode::Kind::LINES, steps, true}, Child::Check::LINES, names,
              code)) {
        return code;
    }
    return Verdict(ExitCode::WILL_LOAD, Say(Id::LINES_DONE));
}

} // namespace

namespace Checks {

int Run(const std::vector<std::wstring>& arguments) {
    const CommandLine::Options options = CommandLine::Parse(arguments, UiLanguage::OfWindows());
    language = options.language;
    if (options.wrong) {
        Console::ErrorLine(Say(Id::UNEXPECTED_ARGUMENT, {Utf8::FromWide(options.unexpected)}));
        Console::Text(Say(Id::USAGE));
        return ExitCode::USAGE;
    }
    if (options.help) {
        Console::Text(Say(Id::USAGE));
        return ExitCode::WILL_LOAD;
    }
    const int screens = WiringScreens::ScreenCount();
    if (options.wiring && options.wiringScreen >= screens) {
        Console::ErrorLine(Say(Id::WIRING_NO_SUCH_SCREEN, {std::to_string(options.wiringScreen),
                                                           std::to_string(screens - 1)}));
        Console::Text(Say(Id::USAGE));
        return ExitCode::USAGE;
    }

    std::wstring path;
    if (options.path.empty()) {
        path = LibraryWindowsWouldLoad();
        if (path.empty()) {
            Console::Line(Say(Id::FILE_NOT_FOUND_ANYWHERE));
            return Verdict(ExitCode::WILL_NOT_LOAD,
                           Say(Id::WILL_NOT_START, {Say(Id::NOT_FOUND_BY_WINDOWS)}));
        }
    } else {
        path = Places::FullPath(options.path);
        Console::Line(Say(Id::LIBRARY, {Utf8::FromWide(path)}));
    }

    PeImage::Description image;
    std::string problem;
    if (!CheckFile(path, image, problem)) {
        return Verdict(ExitCode::WILL_NOT_LOAD, Say(Id::WILL_NOT_START, {problem}));
    }
    Report::Names names = CheckNames(image);
    if (options.wiring && names.complete) {
        return options.wiringScreen == CommandLine::ALL_SCREENS
                   ? AskAboutTheWiring(path, names)
                   : ShowWiringScreen(path, options.wiringScreen, names);
    }
    if (options.lines && names.complete) {
        return WalkTheLines(path, names);
    }
    const bool live = options.live && names.complete;
    const Child::Check check =
        live ? Child::Check::LIVE : (names.complete ? Child::Check::BIND : Child::Check::LOAD);
    const Report::RunMode mode{live ? Report::RunMode::Kind::LIVE : Report::RunMode::Kind::LIBRARY};
    Report::Session session(language, mode, std::move(names), Console::Line, SystemMessage);
    if (live) {
        session.KeepUpWith(Recorder::Record(KeepUp::ShowSession));
    }
    return Supervisor::Run(path, {check, 0}, session);
}

// Read at start: once the checking process runs, it shares the console too.
Closing::ConsoleAtStart ConsoleAtStart() {
    DWORD processes[2];
    DWORD mode = 0;
    return {GetConsoleProcessList(processes, 2),
            GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0,
            GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0};
}

void WaitForEnter() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    // Keys pressed while the checks ran must not close the window before it is read.
    FlushConsoleInputBuffer(input);
    Console::Line("");
    Console::Line(Say(Id::PRESS_ENTER));
    ReadLine();
}

} // namespace Checks

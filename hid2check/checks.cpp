#include "checks.h"

#include "child.h"
#include "command_line.h"
#include "console.h"
#include "exit_code.h"
#include "hid2_entries.h"
#include "keep_up.h"
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
#include "wiring_screens.h"

#include <windows.h>

#include <algorithm>
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
    return Utf8::FromWide(message);
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

// Waits until the user presses Enter, or the input ends; the input may be the console, a
// file or a pipe.
void ReadUntilEnter() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char byte = 0;
    DWORD read = 0;
    while (ReadFile(input, &byte, 1, &read, nullptr) && read == 1 && byte != '\n') {
    }
}

// Shows the wiring screens, each from a checking process of its own: one after another
// with Enter between them, or the one asked for. A run that goes wrong ends it there.
int CheckWiring(const std::wstring& path, int onlyScreen, const Report::Names& names) {
    const bool every = onlyScreen == CommandLine::ALL_SCREENS;
    const int first = every ? 0 : onlyScreen;
    const int last = every ? WiringScreens::ScreenCount() - 1 : onlyScreen;
    for (int screen = first; screen <= last; ++screen) {
        Report::Session session(language, {Report::RunMode::Kind::WIRING, screen, screen != first},
                                names, Console::Line, SystemMessage);
        const int code = Supervisor::Run(path, {Child::Check::WIRING, screen}, session);
        if (!session.Wired()) {
            return code;
        }
        if (screen != last) {
            Console::Line(Say(Id::WIRING_NEXT));
            ReadUntilEnter();
        }
    }
    if (!every) {
        return Verdict(ExitCode::WILL_LOAD, Say(Id::WIRING_DONE_ONE, {std::to_string(first)}));
    }
    Console::Line(Say(Id::WIRING_READABLE));
    Console::Line(Say(Id::WIRING_NONE_READABLE));
    return Verdict(ExitCode::WILL_LOAD, Say(Id::WIRING_DONE_ALL));
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
        return CheckWiring(path, options.wiringScreen, names);
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
    ReadUntilEnter();
}

} // namespace Checks

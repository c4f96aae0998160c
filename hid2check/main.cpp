// hid2check: tells a user whether KORVAN3.exe will work with their HID2.DLL, and with
// --live whether the board answers, how long hidinit takes, in which convention the
// library was built, how long a port write takes, and shows a test screen on the LCD.
//   hid2check [--live] [--lang en|ja] [PATH]
// Without PATH it checks the HID2.DLL that Windows would load for a KORVAN3.exe in its
// own folder. The library's code runs only in a checking process (child.h), so a crash
// or a hang becomes a finding; the reading of the file happens here.
// Exit codes: 0 KORVAN3.exe will load the library (with --live: and a board answered),
// 1 it will not, or the library crashed or hung, 2 wrong command line, 3 (--live) the
// library is fine but no board answered.
#include "child.h"
#include "console.h"
#include "pe_image.h"
#include "report.h"
#include "search.h"
#include "supervisor.h"
#include "texts.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using Texts::Id;

// The names KORVAN3.exe imports; Windows refuses to start it if one is missing.
constexpr const char* REQUIRED_NAMES[] = {"hidinit", "Hidwrite", "Hidread"};
constexpr bool SIXTY_FOUR_BIT = sizeof(void*) == 8;

Texts::Language language = Texts::Language::ENGLISH;

std::string Say(Id id, std::initializer_list<std::string> arguments = {}) {
    return Texts::Say(language, id, arguments);
}

int Verdict(int code, const std::string& why) {
    Console::Line(Say(Id::VERDICT, {why}));
    return code;
}

// Windows' own words for an error, in the language of the findings where it has them.
std::string SystemMessage(uint32_t error) {
    const WORD wanted = language == Texts::Language::JAPANESE
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
    return Console::Utf8(message);
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring OwnFolder() {
    wchar_t exe[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return FolderOf(std::wstring(exe, length < MAX_PATH ? length : 0));
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
}

// A 32-bit program on 64-bit Windows asks for System32 and is given SysWOW64: name that.
std::string SystemFolder() {
    wchar_t folder[MAX_PATH];
    BOOL redirected = FALSE;
    UINT length = 0;
    if (IsWow64Process(GetCurrentProcess(), &redirected) && redirected) {
        length = GetSystemWow64DirectoryW(folder, MAX_PATH);
    }
    if (length == 0 || length >= MAX_PATH) {
        length = GetSystemDirectoryW(folder, MAX_PATH);
    }
    return Console::Utf8(std::wstring(folder, length < MAX_PATH ? length : 0));
}

std::string WindowsFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    return Console::Utf8(std::wstring(folder, length < MAX_PATH ? length : 0));
}

std::string CurrentFolder() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    return Console::Utf8(std::wstring(folder, length < MAX_PATH ? length : 0));
}

std::string PathVariable() {
    std::wstring value(GetEnvironmentVariableW(L"PATH", nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(L"PATH", value.data(), static_cast<DWORD>(value.size())));
    return Console::Utf8(value);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Console::Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The HID2.DLL that Windows would give a KORVAN3.exe in this folder, named with where it
// was found and any later one it wins over; empty when there is none.
std::wstring LibraryWindowsWouldLoad() {
    const std::vector<Search::Folder> libraries =
        Search::Libraries(Search::Folders(Console::Utf8(OwnFolder()), SystemFolder(),
                                          WindowsFolder(), CurrentFolder(), PathVariable()),
                          IsFile);
    if (libraries.empty()) {
        Console::Line(Say(Id::LIBRARY, {Console::Utf8(OwnFolder()) + "\\" + Search::LIBRARY_NAME}));
        return L"";
    }
    Console::Line(Say(Id::LIBRARY, {libraries[0].path}));
    Console::Line(Say(Id::FOUND, {Say(libraries[0].place)}));
    for (size_t i = 1; i < libraries.size(); ++i) {
        Console::Line(Say(Id::ALSO_FOUND, {libraries[i].path, Say(libraries[i].place)}));
    }
    return Console::Wide(libraries[0].path);
}

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart < 0x10000000;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

std::string Bitness(uint16_t machine) {
    return Texts::Bitness(language, machine);
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
    if (!ReadFileBytes(path, bytes)) {
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
    for (const char* name : REQUIRED_NAMES) {
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

Texts::Language WindowsLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Texts::Language::JAPANESE
                                                                      : Texts::Language::ENGLISH;
}

struct Options {
    bool live = false;
    std::wstring path;
    bool help = false;
    std::wstring unexpected; // the first argument that is not understood
    bool wrong = false;
};

// True when argv[i] is --lang followed by a language hid2check speaks.
bool ChoosesLanguage(int i, int argc, wchar_t** argv) {
    return std::wcscmp(argv[i], L"--lang") == 0 && i + 1 < argc &&
           (std::wcscmp(argv[i + 1], L"en") == 0 || std::wcscmp(argv[i + 1], L"ja") == 0);
}

// The whole command line is read before anything is said, so that even a wrong one is
// answered in the language it asks for; the first argument not understood is the one named.
Options Parse(int argc, wchar_t** argv) {
    Options options;
    language = WindowsLanguage();
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            options.help = true;
        } else if (argument == L"--live") {
            options.live = true;
        } else if (ChoosesLanguage(i, argc, argv)) {
            language = std::wcscmp(argv[++i], L"ja") == 0 ? Texts::Language::JAPANESE
                                                          : Texts::Language::ENGLISH;
        } else if (argument.empty() || argument[0] == L'-' || !options.path.empty()) {
            if (!options.wrong) {
                options.wrong = true;
                options.unexpected = argument;
            }
        } else {
            options.path = argument;
        }
    }
    return options;
}

int CheckingProcess(int argc, wchar_t** argv) {
    if (argc != 5) {
        return Report::EXIT_USAGE;
    }
    const HANDLE report =
        reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::wcstoull(argv[2], nullptr, 10)));
    for (const Child::Check check : {Child::Check::LOAD, Child::Check::BIND, Child::Check::LIVE}) {
        if (std::wcscmp(argv[3], Child::CHECK_NAMES[static_cast<int>(check)]) == 0) {
            return Child::Run(report, check, argv[4]);
        }
    }
    return Report::EXIT_USAGE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wcscmp(argv[1], Child::SWITCH) == 0) {
        return CheckingProcess(argc, argv);
    }
    const Options options = Parse(argc, argv);
    if (options.wrong) {
        Console::ErrorLine(Say(Id::UNEXPECTED_ARGUMENT, {Console::Utf8(options.unexpected)}));
        Console::Text(Say(Id::USAGE));
        return Report::EXIT_USAGE;
    }
    if (options.help) {
        Console::Text(Say(Id::USAGE));
        return Report::EXIT_WILL_LOAD;
    }

    std::wstring path;
    if (options.path.empty()) {
        path = LibraryWindowsWouldLoad();
        if (path.empty()) {
            Console::Line(Say(Id::FILE_NOT_FOUND_ANYWHERE));
            return Verdict(Report::EXIT_WILL_NOT_LOAD,
                           Say(Id::WILL_NOT_START, {Say(Id::NOT_FOUND_BY_WINDOWS)}));
        }
    } else {
        path = FullPath(options.path);
        Console::Line(Say(Id::LIBRARY, {Console::Utf8(path)}));
    }

    PeImage::Description image;
    std::string problem;
    if (!CheckFile(path, image, problem)) {
        return Verdict(Report::EXIT_WILL_NOT_LOAD, Say(Id::WILL_NOT_START, {problem}));
    }
    Report::Names names = CheckNames(image);
    const bool live = options.live && names.complete;
    const Child::Check check =
        live ? Child::Check::LIVE : (names.complete ? Child::Check::BIND : Child::Check::LOAD);
    Report::Session session(language, live, std::move(names), Console::Line, SystemMessage);
    return Supervisor::Run(path, check, session);
}

// hid2check: tells a user whether KORVAN3.exe will work with their HID2.DLL, and with
// --live whether the board answers, in which convention the library was built, how
// long a port write takes, and shows a test screen on the LCD.
//   hid2check [--live] [PATH]     PATH defaults to HID2.DLL beside hid2check.exe
// Exit codes: 0 KORVAN3.exe will load the library (with --live: and a board answered),
// 1 it will not, 2 wrong command line, 3 (--live) the library is fine but no board answered.
#include "hid2_call.h"
#include "lcd_screens.h"
#include "pe_image.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int EXIT_WILL_LOAD = 0;
constexpr int EXIT_WILL_NOT_LOAD = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_NO_BOARD = 3;

constexpr const char* USAGE =
    "usage: hid2check [--live] [PATH]\n"
    "Checks the HID2.DLL that KORVAN3.exe will use (PATH, by default HID2.DLL in the\n"
    "folder of hid2check.exe).\n"
    "  --live  also opens the board, finds the library's calling convention, times the\n"
    "          port writes and shows a test screen on the LCD\n"
    "Exit codes: 0 KORVAN3.exe will load the library (with --live: and a board answered),\n"
    "1 it will not, 2 wrong command line, 3 with --live: no board answered.\n";

// The names KORVAN3.exe imports; Windows refuses to start it if one is missing.
constexpr const char* REQUIRED_NAMES[] = {"hidinit", "Hidwrite", "Hidread"};

// Port 2 with every control line low: E stays low, so the LCD latches nothing.
constexpr int CONTROL_PORT = 2;
constexpr int ALL_LINES_LOW = 0;
constexpr int TIMED_WRITES = 64;

struct Library {
    HMODULE module = nullptr;
    Hid2Call::Entry hidinit = nullptr;
    Hid2Call::Entry hidwrite = nullptr;
};
Library library;
// The first handle hidinit gave: the bring-up below asks again and gets the same one.
int openedHandle = 0;

std::string Utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

std::string SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text != nullptr ? text : L"";
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return Utf8(message);
}

std::wstring DefaultPath() {
    wchar_t exe[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe, length < MAX_PATH ? length : 0);
    const size_t slash = path.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + L"HID2.DLL";
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
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

// One finding, one line.
void Finding(const std::string& line) {
    std::printf("%s\n", line.c_str());
}

int Verdict(int code, const std::string& why) {
    std::printf("verdict: %s\n", why.c_str());
    std::fflush(stdout);
    return code;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// What a similar name tells the user: decorated, or spelt in another letter case.
std::string NearNameAdvice(const std::vector<std::string>& similar) {
    const bool decorated = std::any_of(similar.begin(), similar.end(), [](const std::string& name) {
        return name.find('@') != std::string::npos || name[0] == '_';
    });
    return decorated ? "a decorated name: the library was built without plain export names, "
                       "ask its maker for the plain ones"
                     : "another letter case: Windows matches names exactly";
}

// The static checks: the file, its kind, its export names, and a real load.
bool CheckLibrary(const std::wstring& path, std::string& problem) {
    std::vector<uint8_t> bytes;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        Finding("file: not found");
        problem = "there is no file there; put the board maker's HID2.DLL beside KORVAN3.exe";
        return false;
    }
    if (!ReadFileBytes(path, bytes)) {
        Finding("file: cannot be read (" + SystemMessage(GetLastError()) + ")");
        problem = "the file cannot be read";
        return false;
    }
    Finding("file: found, " + std::to_string(bytes.size()) + " bytes");
    const PeImage::Description image = PeImage::Describe(bytes);
    if (!image.isImage || !image.isLibrary) {
        Finding(image.isImage ? "format: a Windows program, not a library"
                              : "format: not a Windows library");
        problem = "the file is not a library; use the board maker's HID2.DLL";
        return false;
    }
    const uint16_t ownMachine = sizeof(void*) == 4 ? PeImage::MACHINE_I386 : PeImage::MACHINE_AMD64;
    if (image.machine != ownMachine) {
        Finding("format: " + PeImage::BitnessOf(image.machine) + " library; KORVAN3.exe is " +
                PeImage::BitnessOf(ownMachine) + " and cannot load it");
        problem = "it is " + PeImage::BitnessOf(image.machine) + "; use the " +
                  PeImage::BitnessOf(ownMachine) + " HID2.DLL of the board";
        return false;
    }
    Finding("format: " + PeImage::BitnessOf(image.machine) + " library");

    std::vector<std::string> missing;
    for (const char* name : REQUIRED_NAMES) {
        const auto& names = image.exportNames;
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            Finding(std::string(name) + ": exported");
            continue;
        }
        missing.push_back(name);
        const std::vector<std::string> similar = PeImage::NearNames(names, name);
        if (similar.empty()) {
            Finding(std::string(name) + ": not exported");
        } else {
            Finding(std::string(name) + ": not exported under that name; the library has " +
                    Joined(similar) + " (" + NearNameAdvice(similar) + ")");
        }
    }
    if (!missing.empty()) {
        problem = "it needs " + Joined(missing) +
                  (missing.size() == 1 ? " under exactly that name" : " under exactly those names");
        return false;
    }

    library.module = LoadLibraryW(path.c_str());
    if (library.module == nullptr) {
        const DWORD error = GetLastError();
        Finding("load: fails: " + SystemMessage(error) + " (error " + std::to_string(error) + ")");
        problem = "Windows cannot load it; a library it needs may be missing";
        return false;
    }
    Finding("load: loads");
    library.hidinit = reinterpret_cast<Hid2Call::Entry>(GetProcAddress(library.module, "hidinit"));
    library.hidwrite =
        reinterpret_cast<Hid2Call::Entry>(GetProcAddress(library.module, "Hidwrite"));
    return true;
}

std::string ConventionOf(int stackLeft) {
    if (sizeof(void*) == 8) {
        return "x64 (the one convention of 64-bit Windows)";
    }
    if (stackLeft == 0) {
        return "stdcall (the library removes its arguments)";
    }
    if (stackLeft == -12) {
        return "cdecl (the library leaves its arguments to the caller; KORVAN3.exe copes)";
    }
    return "";
}

double MedianWriteMilliseconds(int handle) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    const int arguments[] = {handle, CONTROL_PORT, ALL_LINES_LOW};
    for (int i = 0; i < TIMED_WRITES; ++i) {
        LARGE_INTEGER before;
        LARGE_INTEGER after;
        QueryPerformanceCounter(&before);
        Hid2Call::Call(library.hidwrite, arguments, 3);
        QueryPerformanceCounter(&after);
        times.push_back(static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Opens the board, finds the convention, times the writes and shows the test screen.
int CheckLive() {
    const int result = Hid2Call::Call(library.hidinit, nullptr, 0).value;
    // KORVAN3.exe keeps the low 16 bits, widened with their sign.
    const int handle = static_cast<int16_t>(static_cast<uint16_t>(result & 0xFFFF));
    if (handle == 0) {
        Finding("board: no board answered (hidinit returned " + std::to_string(result) + ")");
        return Verdict(EXIT_NO_BOARD, "the library is fine, but no board answered: plug the "
                                      "board in (or check its USB cable) and try again");
    }
    openedHandle = result;
    Finding("board: answered, handle " + std::to_string(handle));

    const int arguments[] = {handle, CONTROL_PORT, ALL_LINES_LOW};
    const Hid2Call::Outcome probe = Hid2Call::Call(library.hidwrite, arguments, 3);
    const std::string convention = ConventionOf(probe.stackLeft);
    if (convention.empty()) {
        Finding("convention: unknown (Hidwrite moved the stack by " +
                std::to_string(probe.stackLeft) + " bytes)");
        return Verdict(EXIT_WILL_NOT_LOAD, "Hidwrite does not take the three numbers "
                                           "KORVAN3.exe passes: this is not the board's library");
    }
    Finding("convention: " + convention);

    char median[32];
    std::snprintf(median, sizeof median, "%.3f", MedianWriteMilliseconds(handle));
    Finding("timing: one Hidwrite takes " + std::string(median) + " ms (median of " +
            std::to_string(TIMED_WRITES) + "; a real board needs about 1 ms)");

    const std::string shortConvention = convention.substr(0, convention.find(' '));
    LcdScreens::BringUp();
    LcdScreens::ShowUserText("hid2check OK", shortConvention);
    Finding("display: brought up; the LCD should now show \"hid2check OK\" and \"" +
            shortConvention + "\"");
    return Verdict(EXIT_WILL_LOAD, "KORVAN3.exe will work with this library and board; if the "
                                   "LCD stays blank, check the wiring and the contrast");
}

} // namespace

// The LCD subsystem's calls into the library, bound here at run time. The bring-up opens
// the board again; it gets the handle already opened instead of a second one.
extern "C" int HID2_CALL hidinit(void) {
    return openedHandle != 0 ? openedHandle : Hid2Call::Call(library.hidinit, nullptr, 0).value;
}

extern "C" int HID2_CALL Hidwrite(int handle, int port, int value) {
    const int arguments[] = {handle, port, value};
    return Hid2Call::Call(library.hidwrite, arguments, 3).value;
}

// Never called: the subsystem only refers to it, as the exe imports it.
extern "C" int HID2_CALL Hidread(int, int) {
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    bool live = false;
    std::wstring path;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            std::printf("%s", USAGE);
            return EXIT_WILL_LOAD;
        }
        if (argument == L"--live") {
            live = true;
        } else if (argument.empty() || argument[0] == L'-' || !path.empty()) {
            std::fprintf(stderr, "hid2check: unexpected argument '%s'\n%s", Utf8(argument).c_str(),
                         USAGE);
            return EXIT_USAGE;
        } else {
            path = argument;
        }
    }
    path = FullPath(path.empty() ? DefaultPath() : path);
    Finding("library: " + Utf8(path));

    std::string problem;
    if (!CheckLibrary(path, problem)) {
        return Verdict(EXIT_WILL_NOT_LOAD,
                       "KORVAN3.exe will not start with this library: " + problem);
    }
    if (!live) {
        return Verdict(EXIT_WILL_LOAD, "KORVAN3.exe will load this library; run hid2check "
                                       "--live to try the board");
    }
    return CheckLive();
}

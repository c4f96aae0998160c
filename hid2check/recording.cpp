// hid2check --record: KORVAN3.exe run through the stand-in from a temporary folder, and the
// log it leaves, replayed.
#include "recording.h"

#include "console.h"
#include "exit_code.h"
#include "library_findings.h"
#include "own_folder.h"
#include "places.h"
#include "recording_log.h"
#include "standin_variables.h"
#include "texts.h"
#include "utf8.h"
#include "verdict.h"
#include "whole_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace Recording {
namespace {

using Hid2checkTexts::Id;
using Hid2checkTexts::Say;

// The download's layout: KORVAN3.exe beside hid2check.exe, the stand-in and the simulator
// in the folder simulator.
constexpr const wchar_t* PROGRAM = L"KORVAN3.exe";
constexpr const wchar_t* STAND_IN = L"simulator\\HID2.DLL";
constexpr const wchar_t* SIMULATOR = L"simulator\\LCDSIM.exe";
// The name KORVAN3.exe imports: the stand-in's in the temporary folder.
constexpr const wchar_t* LIBRARY = L"HID2.DLL";

// A program that has just ended may keep its file locked a moment longer (a virus scanner
// reads it): the temporary folder is tried again for this long before it is given up.
constexpr int REMOVAL_TRIES = 50;
constexpr DWORD REMOVAL_PAUSE_MS = 100;
// Temporary folders left by other runs of this process number, at most.
constexpr int FOLDER_TRIES = 100;

// The KORVAN3.exe that runs, whose windows Ctrl+C closes.
DWORD recordedProcess = 0;

std::wstring Beside(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// Windows' words for the last error, with `file` for the %1 that some of them hold.
std::string LastError(const std::string& file = "") {
    std::string message = LibraryFindings::SystemMessage(GetLastError());
    const size_t insert = message.find("%1");
    return insert == std::string::npos ? message : message.replace(insert, 2, file);
}

int NothingRecorded(int code, const std::string& why) {
    return Verdict::Give(Console::Line, code, Say(Id::RECORD_NOTHING, {why}));
}

// The stand-in where the maker's library should be: any build of it holds the name of the
// variable it passes its calls on by, which no maker's library reads.
bool IsStandIn(const std::wstring& library) {
    std::vector<uint8_t> bytes;
    if (!WholeFile::Read(library, bytes)) {
        return false;
    }
    std::vector<uint8_t> mark;
    for (const wchar_t* c = StandInVariables::FORWARD; *c != L'\0'; ++c) {
        mark.push_back(static_cast<uint8_t>(*c & 0xFF));
        mark.push_back(static_cast<uint8_t>((*c >> 8) & 0xFF));
    }
    return std::search(bytes.begin(), bytes.end(), mark.begin(), mark.end()) != bytes.end();
}

// A new, empty log in `folder`, so that the stand-in appends to nothing that was there;
// its name, or empty with the last error saying why.
std::string NewLog(const std::wstring& folder) {
    DWORD error = ERROR_SUCCESS;
    const std::string name = RecordingLog::CreateFirstFree([&](const std::string& candidate) {
        const HANDLE file =
            CreateFileW(Beside(folder, Utf8::ToWide(candidate)).c_str(), GENERIC_WRITE, 0, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return RecordingLog::Creation::CREATED;
        }
        error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                   ? RecordingLog::Creation::EXISTS
                   : RecordingLog::Creation::FAILED;
    });
    SetLastError(error);
    return name;
}

// A new folder under %TEMP%; empty when none can be made.
std::wstring NewTemporaryFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        return L"";
    }
    for (int number = 1; number <= FOLDER_TRIES; ++number) {
        const std::wstring folder = std::wstring(temp, length) + L"hid2check-record-" +
                                    std::to_wstring(GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(number);
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            return folder;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    return L"";
}

// The files in the folder (read-only copies too), then the folder.
bool Remove(const std::wstring& folder) {
    for (int attempt = 0; attempt < REMOVAL_TRIES; ++attempt) {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(Beside(folder, L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring file = Beside(folder, found.cFileName);
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(file.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        if (RemoveDirectoryW(folder.c_str())) {
            return true;
        }
        Sleep(REMOVAL_PAUSE_MS);
    }
    return false;
}

// KORVAN3.exe's copy, its stand-in told where to pass the calls on and record them. It
// starts in the maker's library's folder, where Windows looks for the libraries that one
// needs in turn, as it would beside KORVAN3.exe.
bool Start(const std::wstring& program, const std::wstring& library, const std::wstring& log,
           PROCESS_INFORMATION& process) {
    SetEnvironmentVariableW(StandInVariables::FORWARD, library.c_str());
    SetEnvironmentVariableW(StandInVariables::LOG, log.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    const std::wstring folder = OwnFolder::FolderOf(library);
    return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          CREATE_NEW_PROCESS_GROUP, nullptr, folder.c_str(), &startup,
                          &process) != 0;
}

BOOL CALLBACK CloseIfRecorded(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == recordedProcess && IsWindowVisible(window)) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

// Ctrl+C at hid2check's console ends the recording as closing KORVAN3.exe's window does:
// KORVAN3.exe says goodbye, and hid2check stays to remove the temporary folder.
BOOL WINAPI OnCtrl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    EnumWindows(CloseIfRecorded, 0);
    return TRUE;
}

void RunToItsEnd(PROCESS_INFORMATION& process) {
    recordedProcess = process.dwProcessId;
    SetConsoleCtrlHandler(OnCtrl, TRUE);
    WaitForSingleObject(process.hProcess, INFINITE);
    SetConsoleCtrlHandler(OnCtrl, FALSE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// How the user starts the simulator from the current folder.
std::string SimulatorCommand(const std::wstring& own, const std::wstring& current) {
    if (CompareStringOrdinal(own.c_str(), -1, current.c_str(), -1, TRUE) == CSTR_EQUAL) {
        return Utf8::FromWide(SIMULATOR);
    }
    const std::string path = Utf8::FromWide(Beside(own, SIMULATOR));
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

// What the log holds, and what its replay leaves on the display.
int ShowTheLog(const std::wstring& log, const std::string& name, const std::string& simulator) {
    std::string text;
    if (!WholeFile::Read(log, text)) {
        return NothingRecorded(ExitCode::NOT_RECORDED,
                               Say(Id::RECORD_LOG_UNREADABLE, {Utf8::FromWide(log), LastError()}));
    }
    const RecordingLog::Replayed replayed = RecordingLog::Replay(text);
    // Without a board KORVAN3.exe writes nothing: such a log is not kept.
    if (!replayed.boardAnswered) {
        DeleteFileW(log.c_str());
        Console::Line(Say(Id::RECORD_NO_BOARD));
        return Verdict::Give(Console::Line, ExitCode::NO_BOARD, Say(Id::NO_BOARD));
    }
    Console::Line(Say(Id::RECORD_LOG, {Utf8::FromWide(log), std::to_string(replayed.calls)}));
    Console::Line(Say(Id::RECORD_DISPLAY, {replayed.rows[0], replayed.rows[1]}));
    Console::Line(Say(Id::RECORD_VIOLATIONS,
                      {std::to_string(replayed.violations), std::to_string(replayed.transfers)}));
    return Verdict::Give(Console::Line, ExitCode::WILL_LOAD, Say(Id::RECORDED, {name, simulator}));
}

} // namespace

int Record(const std::wstring& library, const Report::Names& names) {
    for (const std::string& finding : names.findings) {
        Console::Line(finding);
    }
    if (!names.complete) {
        return Verdict::Give(Console::Line, ExitCode::WILL_NOT_LOAD,
                             Say(Id::WILL_NOT_START, {names.problem}));
    }
    const std::wstring own = OwnFolder::Path();
    const std::wstring program = Beside(own, PROGRAM);
    const std::wstring standIn = Beside(own, STAND_IN);
    if (!Places::IsFile(Utf8::FromWide(program))) {
        return NothingRecorded(ExitCode::NOT_RECORDED,
                               Say(Id::RECORD_NO_PROGRAM, {Utf8::FromWide(program)}));
    }
    if (!Places::IsFile(Utf8::FromWide(standIn))) {
        return NothingRecorded(ExitCode::NOT_RECORDED,
                               Say(Id::RECORD_NO_STAND_IN, {Utf8::FromWide(standIn)}));
    }
    if (IsStandIn(library)) {
        Console::Line(Say(Id::RECORD_STAND_IN_FOUND));
        return NothingRecorded(ExitCode::WILL_NOT_LOAD, Say(Id::RECORD_STAND_IN));
    }

    const std::wstring current = Utf8::ToWide(Places::CurrentFolder());
    const std::string name = NewLog(current);
    if (name.empty()) {
        return NothingRecorded(ExitCode::NOT_RECORDED,
                               Say(Id::RECORD_NO_LOG, {Utf8::FromWide(current), LastError()}));
    }
    const std::wstring log = Beside(current, Utf8::ToWide(name));
    const std::wstring folder = NewTemporaryFolder();
    const std::wstring copy = Beside(folder, PROGRAM);
    PROCESS_INFORMATION process = {};
    const bool copied = !folder.empty() && CopyFileW(program.c_str(), copy.c_str(), TRUE) &&
                        CopyFileW(standIn.c_str(), Beside(folder, LIBRARY).c_str(), TRUE);
    if (!copied || !Start(copy, library, log, process)) {
        const std::string why = Say(copied ? Id::RECORD_NOT_STARTED : Id::RECORD_NO_FOLDER,
                                    {LastError(Utf8::FromWide(PROGRAM))});
        if (!folder.empty()) {
            Remove(folder);
        }
        DeleteFileW(log.c_str());
        return NothingRecorded(ExitCode::NOT_RECORDED, why);
    }
    Console::Line(
        Say(Id::RECORDING, {Utf8::FromWide(folder), Utf8::FromWide(library), Utf8::FromWide(log)}));
    RunToItsEnd(process);
    if (!Remove(folder)) {
        Console::Line(Say(Id::RECORD_FOLDER_LEFT, {Utf8::FromWide(folder), LastError()}));
    }
    return ShowTheLog(log, name, SimulatorCommand(own, current));
}

} // namespace Recording

// The checking process started, listened to and stopped at the time limits.
#include "supervisor.h"

#include "own_folder.h"
#include "protocol.h"
#include "time_limits.h"
#include "utf8.h"

#include <windows.h>

namespace Supervisor {
namespace {

constexpr DWORD POLL_MILLISECONDS = 20;

struct Checking {
    PROCESS_INFORMATION process{};
    HANDLE lines = nullptr;
    HANDLE job = nullptr;
};

// The checking process, sharing the console (so Ctrl+C stops both) but writing nothing to
// it, and in a job that ends it if this process ends first.
bool Start(const std::wstring& path, const Protocol::Run& run, Checking& checking) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&checking.lines, &writeEnd, &inherited, 0)) {
        return false;
    }
    SetHandleInformation(checking.lines, HANDLE_FLAG_INHERIT, 0);
    const HANDLE nothing =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nothing;

    std::wstring commandLine =
        L"\"" + OwnFolder::ProgramPath() + L"\" " + Protocol::SWITCH + L" " +
        std::to_wstring(reinterpret_cast<uintptr_t>(writeEnd)) + L" " +
        std::wstring(Protocol::Word(run.task)) + L" " + std::to_wstring(run.screen) + L" " +
        (run.mark.empty() ? Protocol::NO_MARK : Utf8::ToWide(run.mark)) + L" \"" + path + L"\"";
    const bool started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                       nullptr, nullptr, &startup, &checking.process) != 0;
    const DWORD error = GetLastError();
    CloseHandle(writeEnd);
    if (nothing != INVALID_HANDLE_VALUE) {
        CloseHandle(nothing);
    }
    if (!started) {
        SetLastError(error); // the caller names CreateProcess's error, not a later call's
        return false;
    }
    checking.job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (checking.job != nullptr) {
        SetInformationJobObject(checking.job, JobObjectExtendedLimitInformation, &limits,
                                sizeof limits);
        AssignProcessToJobObject(checking.job, checking.process.hProcess);
    }
    ResumeThread(checking.process.hThread);
    return true;
}

// Hands every whole line that has arrived to the session; true if anything arrived.
bool Listen(Checking& checking, std::string& pending, Report::Session& session) {
    bool heard = false;
    DWORD available = 0;
    while (PeekNamedPipe(checking.lines, nullptr, 0, nullptr, &available, nullptr) &&
           available > 0) {
        char bytes[4096];
        DWORD read = 0;
        if (!ReadFile(checking.lines, bytes, available < sizeof bytes ? available : sizeof bytes,
                      &read, nullptr) ||
            read == 0) {
            break;
        }
        heard = true;
        pending.append(bytes, read);
        size_t end = 0;
        while ((end = pending.find('\n')) != std::string::npos) {
            session.Hear(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    return heard;
}

void Close(Checking& checking) {
    CloseHandle(checking.lines);
    CloseHandle(checking.process.hThread);
    CloseHandle(checking.process.hProcess);
    if (checking.job != nullptr) {
        CloseHandle(checking.job);
    }
}

} // namespace

int Run(const std::wstring& path, const Protocol::Run& run, Report::Session& session) {
    Checking checking;
    if (!Start(path, run, checking)) {
        return session.NotStarted(GetLastError());
    }
    const ULONGLONG start = GetTickCount64();
    ULONGLONG lastHeard = start;
    std::string pending;
    for (;;) {
        const bool ended =
            WaitForSingleObject(checking.process.hProcess, POLL_MILLISECONDS) == WAIT_OBJECT_0;
        const ULONGLONG now = GetTickCount64();
        if (Listen(checking, pending, session)) {
            lastHeard = now;
        }
        const bool callTimedOut = now - lastHeard > TimeLimits::CALL_LIMIT_SECONDS * 1000ULL;
        const bool tooLong = now - start > TimeLimits::TOTAL_LIMIT_SECONDS * 1000ULL;
        if (ended) {
            DWORD exitCode = 0;
            GetExitCodeProcess(checking.process.hProcess, &exitCode);
            Close(checking);
            return session.Ended(exitCode);
        }
        if (callTimedOut || tooLong) {
            TerminateProcess(checking.process.hProcess, 1);
            WaitForSingleObject(checking.process.hProcess, INFINITE);
            Listen(checking, pending, session);
            Close(checking);
            return session.Stopped(callTimedOut);
        }
    }
}

} // namespace Supervisor

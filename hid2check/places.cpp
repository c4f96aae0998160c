// The folders this machine's Windows searches for a library, and the questions asked of a path.
#include "places.h"

#include "utf8.h"

#include <windows.h>

namespace Places {

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
    return Utf8::FromWide(std::wstring(folder, length < MAX_PATH ? length : 0));
}

std::string WindowsFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    return Utf8::FromWide(std::wstring(folder, length < MAX_PATH ? length : 0));
}

std::string CurrentFolder() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    return Utf8::FromWide(std::wstring(folder, length < MAX_PATH ? length : 0));
}

std::string PathVariable() {
    std::wstring value(GetEnvironmentVariableW(L"PATH", nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(L"PATH", value.data(), static_cast<DWORD>(value.size())));
    return Utf8::FromWide(value);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8::ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
}

} // namespace Places

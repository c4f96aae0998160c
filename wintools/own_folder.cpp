#include "own_folder.h"

#include <windows.h>

namespace OwnFolder {

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    // A path longer than the buffer comes back cut to its size: try again with more room.
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);
    }
    path.resize(length);
    return path;
}

std::wstring Path() {
    return FolderOf(ProgramPath());
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

} // namespace OwnFolder

// The places Windows looks in for a program's libraries, as this machine names them,
// and the questions hid2check asks of a path.
#pragma once

#include <string>

namespace Places {

// The system folder a program of this build gets: SysWOW64 for a 32-bit program on
// 64-bit Windows, where System32 is redirected.
std::string SystemFolder();
std::string WindowsFolder();
std::string CurrentFolder();
std::string PathVariable();

bool IsFile(const std::string& path);

// `path` made absolute against the current folder, as the loader will read it.
std::wstring FullPath(const std::wstring& path);

} // namespace Places

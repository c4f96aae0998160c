// Where the running program is: hid2check starts itself again from there, and looks for
// HID2.DLL there first, as Windows does for a program in that folder.
#pragma once

#include <string>

namespace OwnFolder {

// The full path of the running program's file.
std::wstring ProgramPath();

// The folder that holds it, without a trailing backslash.
std::wstring Path();

// The part of `path` before its last \ or /; empty when it has none.
std::wstring FolderOf(const std::wstring& path);

} // namespace OwnFolder

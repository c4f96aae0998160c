// Where Windows finds the HID2.DLL that a program imports: the program's own folder, the
// system folder, the 16-bit system folder, the Windows folder, the current folder, then
// each folder on PATH. The first file found is the one loaded.
#pragma once

#include "texts.h"

#include <functional>
#include <string>
#include <vector>

namespace Search {

constexpr const char* LIBRARY_NAME = "HID2.DLL";

struct Folder {
    std::string path;
    Hid2checkTexts::Id place; // PLACE_BESIDE ... PLACE_PATH
};

// The folders in the order Windows searches them; `pathVariable` is PATH as it stands,
// folders separated by semicolons, any of them in double quotes.
std::vector<Folder> Folders(const std::string& programFolder, const std::string& systemFolder,
                            const std::string& windowsFolder, const std::string& currentFolder,
                            const std::string& pathVariable);

// The HID2.DLL files in those folders that `exists` confirms, in search order, each
// file once however many times its folder is named (letter case aside).
std::vector<Folder> Libraries(const std::vector<Folder>& folders,
                              const std::function<bool(const std::string&)>& exists);

} // namespace Search

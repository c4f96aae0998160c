// The order in which Windows searches folders for HID2.DLL, and the files it finds.
#include "search.h"

#include <algorithm>
#include <cctype>

namespace Search {
namespace {

std::string FileIn(std::string folder) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    return folder + "\\" + LIBRARY_NAME;
}

// Windows compares file names without regard to letter case.
std::string Folded(std::string path) {
    std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) {
        return c == '/' ? '\\' : static_cast<char>(std::tolower(c));
    });
    return path;
}

} // namespace

std::vector<Folder> Folders(const std::string& programFolder, const std::string& systemFolder,
                            const std::string& windowsFolder, const std::string& currentFolder,
                            const std::string& pathVariable) {
    std::vector<Folder> folders = {{programFolder, Hid2checkTexts::Id::PLACE_BESIDE},
                                   {systemFolder, Hid2checkTexts::Id::PLACE_SYSTEM},
                                   {windowsFolder + "\\System", Hid2checkTexts::Id::PLACE_SYSTEM16},
                                   {windowsFolder, Hid2checkTexts::Id::PLACE_WINDOWS},
                                   {currentFolder, Hid2checkTexts::Id::PLACE_CURRENT}};
    size_t at = 0;
    while (at <= pathVariable.size()) {
        const size_t end = std::min(pathVariable.find(';', at), pathVariable.size());
        const std::string folder =
            Hid2checkTexts::Trimmed(pathVariable.substr(at, end - at), " \t\"");
        if (!folder.empty()) {
            folders.push_back({folder, Hid2checkTexts::Id::PLACE_PATH});
        }
        at = end + 1;
    }
    return folders;
}

std::vector<Folder> Libraries(const std::vector<Folder>& folders,
                              const std::function<bool(const std::string&)>& exists) {
    std::vector<Folder> libraries;
    std::vector<std::string> seen;
    for (const Folder& folder : folders) {
        const std::string file = FileIn(folder.path);
        if (folder.path.empty() ||
            std::find(seen.begin(), seen.end(), Folded(file)) != seen.end()) {
            continue;
        }
        seen.push_back(Folded(file));
        if (exists(file)) {
            libraries.push_back({file, folder.place});
        }
    }
    return libraries;
}

} // namespace Search

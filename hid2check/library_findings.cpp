// The findings about the library's file: where it is, its kind, its export names.
#include "library_findings.h"

#include "console.h"
#include "convention.h"
#include "hid2_entries.h"
#include "own_folder.h"
#include "places.h"
#include "search.h"
#include "texts.h"
#include "utf8.h"
#include "whole_file.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace LibraryFindings {
namespace {

using Hid2checkTexts::Id;
using Hid2checkTexts::Say;

// A library file is read only if it is smaller than 256 MiB, and only while no one writes it.
constexpr WholeFile::Options LIBRARY_FILE = {.limit = 0x10000000, .othersMayWrite = false};

} // namespace

std::wstring LibraryWindowsWouldLoad() {
    const std::vector<Search::Folder> libraries = Search::Libraries(
        Search::Folders(Utf8::FromWide(OwnFolder::Path()), Places::SystemFolder(),
                        Places::WindowsFolder(), Places::CurrentFolder(), Places::PathVariable()),
        Places::IsFile);
    if (libraries.empty()) {
        Console::Line(
            Say(Id::LIBRARY, {Utf8::FromWide(OwnFolder::Path()) + "\\" + Search::LIBRARY_NAME}));
        return L"";
    }
    Console::Line(Say(Id::LIBRARY, {libraries[0].path}));
    Console::Line(Say(Id::FOUND, {Say(libraries[0].place)}));
    for (size_t i = 1; i < libraries.size(); ++i) {
        Console::Line(Say(Id::ALSO_FOUND, {libraries[i].path, Say(libraries[i].place)}));
    }
    return Utf8::ToWide(libraries[0].path);
}

bool CheckFile(const std::wstring& path, PeImage::Description& image, std::string& problem) {
    std::vector<uint8_t> bytes;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        Console::Line(Say(Id::FILE_NOT_FOUND));
        problem = Say(Id::NO_FILE_THERE);
        return false;
    }
    if (!WholeFile::Read(path, bytes, LIBRARY_FILE)) {
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
    const uint16_t ownMachine =
        Convention::SIXTY_FOUR_BIT ? PeImage::MACHINE_AMD64 : PeImage::MACHINE_I386;
    const std::string bitness[] = {Hid2checkTexts::Bitness(image.machine),
                                   Hid2checkTexts::Bitness(ownMachine)};
    if (image.machine != ownMachine) {
        Console::Line(Say(Id::FORMAT_OTHER_MACHINE, {bitness[0], bitness[1]}));
        problem = Say(Id::WRONG_MACHINE, {bitness[0], bitness[1]});
        return false;
    }
    Console::Line(Say(Id::FORMAT_OK, {bitness[0]}));
    return true;
}

Report::Names CheckNames(const PeImage::Description& image) {
    Report::Names names;
    std::vector<std::string> missing;
    for (const char* name : Hid2Entries::NAMES) {
        const auto& exports = image.exportNames;
        if (std::find(exports.begin(), exports.end(), name) != exports.end()) {
            names.findings.push_back(Say(Id::NAME_EXPORTED, {name}));
            continue;
        }
        missing.push_back(name);
        const std::vector<std::string> similar = PeImage::NearNames(exports, name);
        const bool decorated = std::any_of(similar.begin(), similar.end(), PeImage::Decorated);
        names.findings.push_back(
            similar.empty() ? Say(Id::NAME_MISSING, {name})
                            : Say(Id::NAME_NEAR, {name, Hid2checkTexts::Joined(similar),
                                                  Say(decorated ? Id::ADVICE_DECORATED
                                                                : Id::ADVICE_LETTER_CASE)}));
    }
    names.complete = missing.empty();
    if (!names.complete) {
        names.problem = Say(missing.size() == 1 ? Id::NEEDS_NAME : Id::NEEDS_NAMES,
                            {Hid2checkTexts::Joined(missing)});
    }
    return names;
}

std::string SystemMessage(uint32_t error) {
    const WORD wanted = Hid2checkTexts::InUse() == Hid2checkTexts::Language::JAPANESE
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
    // Some codes have no text on some systems (Wine has none for a file too large).
    return message.empty() ? "error " + std::to_string(error) : Utf8::FromWide(message);
}

} // namespace LibraryFindings

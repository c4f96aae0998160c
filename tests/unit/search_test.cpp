// Where hid2check looks for the library without a path: the folders Windows searches
// for a program's libraries, in its order, each folder once.
#include "search.h"
#include "texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Hid2checkTexts::Id;

struct SearchCase {
    const char* what;
    std::string current;
    std::string path;
    std::set<std::string> files;
    std::vector<std::pair<std::string, Id>> expected;
};

const SearchCase SEARCHES[] = {
    {"beside wins over the system folder",
     "C:\\work",
     "",
     {"C:\\kit\\HID2.DLL", "C:\\Windows\\SysWOW64\\HID2.DLL"},
     {{"C:\\kit\\HID2.DLL", Id::PLACE_BESIDE},
      {"C:\\Windows\\SysWOW64\\HID2.DLL", Id::PLACE_SYSTEM}}},
    {"only in the 16-bit system folder",
     "C:\\work",
     "",
     {"C:\\Windows\\System\\HID2.DLL"},
     {{"C:\\Windows\\System\\HID2.DLL", Id::PLACE_SYSTEM16}}},
    {"a folder named twice counts once, in its first place",
     "c:\\KIT\\",
     "C:\\Windows\\SysWOW64;c:\\kit",
     {"C:\\kit\\HID2.DLL", "c:\\KIT\\HID2.DLL", "c:\\kit\\HID2.DLL",
      "C:\\Windows\\SysWOW64\\HID2.DLL"},
     {{"C:\\kit\\HID2.DLL", Id::PLACE_BESIDE},
      {"C:\\Windows\\SysWOW64\\HID2.DLL", Id::PLACE_SYSTEM}}},
    {"PATH folders in order, quoted, with empty entries",
     "C:\\work",
     ";\"D:\\board tools\\\";;E:\\lib;",
     {"E:\\lib\\HID2.DLL", "D:\\board tools\\HID2.DLL", "C:\\work\\HID2.DLL"},
     {{"C:\\work\\HID2.DLL", Id::PLACE_CURRENT},
      {"D:\\board tools\\HID2.DLL", Id::PLACE_PATH},
      {"E:\\lib\\HID2.DLL", Id::PLACE_PATH}}},
    {"the 16-bit system folder before the Windows folder",
     "C:\\work",
     "",
     {"C:\\Windows\\HID2.DLL", "C:\\Windows\\System\\HID2.DLL"},
     {{"C:\\Windows\\System\\HID2.DLL", Id::PLACE_SYSTEM16},
      {"C:\\Windows\\HID2.DLL", Id::PLACE_WINDOWS}}},
    {"a folder named with / is the folder named with \\",
     "C:/kit",
     "C:/Windows/SysWOW64/",
     {"C:\\kit\\HID2.DLL", "C:/kit\\HID2.DLL", "C:/Windows/SysWOW64\\HID2.DLL",
      "C:\\Windows\\SysWOW64\\HID2.DLL"},
     {{"C:\\kit\\HID2.DLL", Id::PLACE_BESIDE},
      {"C:\\Windows\\SysWOW64\\HID2.DLL", Id::PLACE_SYSTEM}}},
    {"none anywhere", "C:\\work", "C:\\bin", {}, {}},
};

void PrintTo(const SearchCase& c, std::ostream* out) {
    *out << c.what;
}

class Hid2checkSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(Hid2checkSearch, FindsTheLibrariesInWindowsOrder) {
    const SearchCase& c = GetParam();
    const auto libraries = Search::Libraries(
        Search::Folders("C:\\kit", "C:\\Windows\\SysWOW64", "C:\\Windows", c.current, c.path),
        [&](const std::string& file) { return c.files.count(file) > 0; });
    std::vector<std::pair<std::string, Id>> found;
    for (const Search::Folder& library : libraries) {
        found.emplace_back(library.path, library.place);
    }
    EXPECT_EQ(found, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, Hid2checkSearch, testing::ValuesIn(SEARCHES));

} // namespace

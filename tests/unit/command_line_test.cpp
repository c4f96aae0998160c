// hid2check's command line: what it asks for, and what it names when it is wrong, in the
// language it asks for wherever that stands.
#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using UiLanguage::Language;

struct Case {
    const char* what;
    std::vector<std::wstring> arguments;
    bool live;
    std::wstring path;
    Language language;
    std::wstring unexpected; // empty: the command line is right
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.what;
}

// Windows shows Japanese in every case: English only where --lang asks for it.
const Case CASES[] = {
    {"a path and --live",
     {L"--live", L"C:\\kit\\HID2.DLL"},
     true,
     L"C:\\kit\\HID2.DLL",
     Language::JAPANESE,
     L""},
    {"--lang en", {L"--lang", L"en", L"HID2.DLL"}, false, L"HID2.DLL", Language::ENGLISH, L""},
    {"the first of two unknown arguments",
     {L"--bogus", L"--other"},
     false,
     L"",
     Language::JAPANESE,
     L"--bogus"},
    {"--lang after an unknown argument still chooses",
     {L"--bogus", L"--lang", L"en"},
     false,
     L"",
     Language::ENGLISH,
     L"--bogus"},
    {"--lang as the last argument",
     {L"--live", L"--lang"},
     true,
     L"",
     Language::JAPANESE,
     L"--lang"},
    {"--lang with a language it does not speak",
     {L"--lang", L"fr"},
     false,
     L"fr",
     Language::JAPANESE,
     L"--lang"},
    {"a second path", {L"a", L"b"}, false, L"a", Language::JAPANESE, L"b"},
    {"an empty argument", {L""}, false, L"", Language::JAPANESE, L""},
};

class Hid2checkCommandLine : public testing::TestWithParam<Case> {};

TEST_P(Hid2checkCommandLine, ReadsEveryArgumentAndNamesTheFirstWrongOne) {
    const Case& c = GetParam();
    const CommandLine::Options options = CommandLine::Parse(c.arguments, Language::JAPANESE);
    EXPECT_EQ(options.live, c.live) << c.what;
    EXPECT_EQ(options.path, c.path) << c.what;
    EXPECT_EQ(options.language, c.language) << c.what;
    const bool wrong = !c.unexpected.empty() || c.arguments == std::vector<std::wstring>{L""};
    EXPECT_EQ(options.wrong, wrong) << c.what;
    EXPECT_EQ(options.unexpected, c.unexpected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, Hid2checkCommandLine, testing::ValuesIn(CASES));

} // namespace

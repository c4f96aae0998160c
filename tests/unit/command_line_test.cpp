// hid2check's command line: what it asks for, and what it names when it is wrong, in the
// language it asks for wherever that stands.
#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using UiLanguage::Language;

constexpr int ALL = CommandLine::ALL_SCREENS;

struct Case {
    const char* what;
    std::vector<std::wstring> arguments;
    bool live;
    bool wiring;
    int screen;
    std::wstring path;
    Language language;
    std::wstring unexpected; // empty: the command line is right
    bool lines = false;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.what;
}

// Windows shows Japanese in every case: English only where --lang asks for it.
// clang-format off
const Case CASES[] = {
    {"a path and --live", {L"--live", L"C:\\kit\\HID2.DLL"},
     true, false, ALL, L"C:\\kit\\HID2.DLL", Language::JAPANESE, L""},
    {"--lang en", {L"--lang", L"en", L"HID2.DLL"},
     false, false, ALL, L"HID2.DLL", Language::ENGLISH, L""},
    {"the first of two unknown arguments", {L"--bogus", L"--other"},
     false, false, ALL, L"", Language::JAPANESE, L"--bogus"},
    {"--lang after an unknown argument still chooses", {L"--bogus", L"--lang", L"en"},
     false, false, ALL, L"", Language::ENGLISH, L"--bogus"},
    {"--lang as the last argument", {L"--live", L"--lang"},
     true, false, ALL, L"", Language::JAPANESE, L"--lang"},
    {"--lang with a language it does not speak", {L"--lang", L"fr"},
     false, false, ALL, L"fr", Language::JAPANESE, L"--lang"},
    {"a second path", {L"a", L"b"},
     false, false, ALL, L"a", Language::JAPANESE, L"b"},
    {"--wiring, the dialogue", {L"--wiring", L"HID2.DLL"},
     false, true, ALL, L"HID2.DLL", Language::JAPANESE, L""},
    {"--lines, the line walk", {L"--lines", L"HID2.DLL"},
     false, false, ALL, L"HID2.DLL", Language::JAPANESE, L"", true},
    {"--wiring N, one screen", {L"--wiring", L"12"},
     false, true, 12, L"", Language::JAPANESE, L""},
    {"--wiring 0 is the first screen", {L"--wiring", L"0", L"x.dll"},
     false, true, 0, L"x.dll", Language::JAPANESE, L""},
    {"a screen number that is no number", {L"--wiring", L"-3"},
     false, true, ALL, L"", Language::JAPANESE, L"-3"},
    {"an empty argument", {L""},
     false, false, ALL, L"", Language::JAPANESE, L""},
};
// clang-format on

class Hid2checkCommandLine : public testing::TestWithParam<Case> {};

TEST_P(Hid2checkCommandLine, ReadsEveryArgumentAndNamesTheFirstWrongOne) {
    const Case& c = GetParam();
    const CommandLine::Options options = CommandLine::Parse(c.arguments, Language::JAPANESE);
    EXPECT_EQ(options.live, c.live) << c.what;
    EXPECT_EQ(options.wiring, c.wiring) << c.what;
    EXPECT_EQ(options.wiringScreen, c.screen) << c.what;
    EXPECT_EQ(options.lines, c.lines) << c.what;
    EXPECT_EQ(options.path, c.path) << c.what;
    EXPECT_EQ(options.language, c.language) << c.what;
    const bool wrong = !c.unexpected.empty() || c.arguments == std::vector<std::wstring>{L""};
    EXPECT_EQ(options.wrong, wrong) << c.what;
    EXPECT_EQ(options.unexpected, c.unexpected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, Hid2checkCommandLine, testing::ValuesIn(CASES));

} // namespace

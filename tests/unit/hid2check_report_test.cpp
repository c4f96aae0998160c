// What hid2check tells the user from what the checking process said before it ended,
// crashed or hung, in both languages.
#include "exit_code.h"
#include "keep_up.h"
#include "recorder.h"
#include "report.h"
#include "texts.h"
#include "wiring_screens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Hid2checkTexts::Id;
using Hid2checkTexts::Language;

TEST(Hid2checkTexts, NamesExceptionsAndMachines) {
    using Hid2checkTexts::Bitness;
    using Hid2checkTexts::ExceptionName;
    using Hid2checkTexts::Say;
    Hid2checkTexts::Use(Language::ENGLISH);
    EXPECT_EQ(Say(ExceptionName(0xC0000005)), "access violation");
    EXPECT_EQ(ExceptionName(0xC0001234), Id::OTHER_EXCEPTION);
    EXPECT_EQ(Bitness(0x8664), "64-bit");
    EXPECT_EQ(Bitness(0x01C4), "machine 0x01C4");
    Hid2checkTexts::Use(Language::JAPANESE);
    EXPECT_EQ(Say(ExceptionName(0xC00000FD)), "スタック オーバーフロー");
    // In Japanese a number stands apart from the kana after it, a word of kana does not.
    for (const auto& [machine, line] :
         {std::pair<uint16_t, const char*>{0x01C4, "形式: マシン種別 0x01C4 のライブラリ"},
          {0x014C, "形式: 32 ビットのライブラリ"}}) {
        EXPECT_EQ(Say(Id::FORMAT_OK, {Bitness(machine)}), line);
    }
    Hid2checkTexts::Use(Language::ENGLISH);
}

std::string SystemMessage(uint32_t error) {
    return "system message " + std::to_string(error);
}

// How the checking process ended; NOT_STARTED takes the case's exit code as the error.
enum class End { ENDED, CALL_TIMED_OUT, TOO_SLOW, NOT_STARTED };

struct Case {
    const char* what;
    Language language;
    bool live;
    bool namesComplete;
    std::vector<std::string> heard;
    End end;
    uint32_t exitCode;
    std::vector<std::string> expected; // lines that must appear, in this order
    int expectedExit;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.what;
}

const std::vector<std::string> LIVE_START = {"step load", "loaded", "step hidinit"};

std::vector<std::string> Live(std::vector<std::string> more) {
    std::vector<std::string> lines = LIVE_START;
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const Case CASES[] = {
    {"a working library and board",
     Language::ENGLISH,
     true,
     true,
     Live({"opened 4660 52.5", "step probe", "probed -12", "step timing",
           "timed 5000 1000 4000 2000 3000", "step screen", "tick", "shown", "end"}),
     End::ENDED,
     0,
     {"load: loads", "hidinit: exported", "open: hidinit returned after 0.052 ms",
      "board: answered, handle 4660",
      "convention: cdecl (the library leaves its arguments to the caller; KORVAN3.exe copes)",
      "timing: one Hidwrite takes 3.000 ms (median of 5; a real board needs about 1 ms)",
      "display: brought up; the LCD should now show \"hid2check OK\" and \"cdecl\"",
      "verdict: KORVAN3.exe will work with this library and board; if the LCD stays blank, "
      "check the contrast, then the wiring"},
     ExitCode::WILL_LOAD},
    {"a handle with bit 15 set",
     Language::ENGLISH,
     true,
     true,
     Live({"opened 305430528 10.0", "step probe", "probed 0", "step timing", "timed 1000",
           "step screen", "shown", "end"}),
     End::ENDED,
     0,
     {"board: answered, handle -32768", "convention: stdcall"},
     ExitCode::WILL_LOAD},
    {"Hidwrite crashes and says so",
     Language::ENGLISH,
     true,
     true,
     Live({"opened 4660 50.0", "step probe", "crash C0000005"}),
     End::ENDED,
     0xC0000005,
     {"Hidwrite crashed: access violation (0xC0000005)",
      "verdict: KORVAN3.exe would crash at the same call: Hidwrite crashed (access violation); "
      "ask the board's maker for a HID2.DLL that works"},
     ExitCode::WILL_NOT_LOAD},
    {"hidinit crashes with nothing said: the exit code tells",
     Language::ENGLISH,
     true,
     true,
     Live({}),
     End::ENDED,
     0xC00000FD,
     {"hidinit crashed: stack overflow (0xC00000FD)", "verdict: KORVAN3.exe would crash"},
     ExitCode::WILL_NOT_LOAD},
    {"hidinit ends the process",
     Language::ENGLISH,
     true,
     true,
     Live({}),
     End::ENDED,
     0,
     {"hidinit ended the process (exit code 0)", "verdict: KORVAN3.exe would end"},
     ExitCode::WILL_NOT_LOAD},
    {"hidinit does not return",
     Language::ENGLISH,
     true,
     true,
     Live({}),
     End::CALL_TIMED_OUT,
     1,
     {"hidinit did not return within 10 s",
      "verdict: KORVAN3.exe would freeze at the same call: hidinit did not return"},
     ExitCode::WILL_NOT_LOAD},
    {"the writes of the test screen take too long in all",
     Language::ENGLISH,
     true,
     true,
     Live({"opened 1 1.0", "step probe", "probed 0", "step timing", "timed 900", "step screen",
           "tick"}),
     End::TOO_SLOW,
     1,
     {"Hidwrite was still being called after 35 s in all", "verdict: KORVAN3.exe would freeze"},
     ExitCode::WILL_NOT_LOAD},
    {"the start-up code hangs: the names are still reported",
     Language::ENGLISH,
     false,
     true,
     {"step load"},
     End::CALL_TIMED_OUT,
     1,
     {"the library's start-up code (DllMain) did not return within 10 s", "hidinit: exported",
      "verdict: KORVAN3.exe would freeze at the same call: the library's start-up code"},
     ExitCode::WILL_NOT_LOAD},
    {"missing names decide over a crash in the start-up code",
     Language::ENGLISH,
     false,
     false,
     {"step load", "crash C0000005"},
     End::ENDED,
     0xC0000005,
     {"the library's start-up code (DllMain) crashed", "verdict: KORVAN3.exe will not start"},
     ExitCode::WILL_NOT_LOAD},
    {"a library that loads and binds, the board not asked",
     Language::ENGLISH,
     false,
     true,
     {"step load", "loaded", "end"},
     End::ENDED,
     0,
     {"load: loads", "hidinit: exported",
      "verdict: KORVAN3.exe will load this library; run hid2check --live to try the board"},
     ExitCode::WILL_LOAD},
    {"a library Windows cannot load",
     Language::ENGLISH,
     false,
     true,
     {"step load", "load-failed 126", "end"},
     End::ENDED,
     0,
     {"load: fails: system message 126 (error 126)", "hidinit: exported",
      "verdict: KORVAN3.exe will not start with this library: Windows cannot load it"},
     ExitCode::WILL_NOT_LOAD},
    {"no board, and a slow hidinit: the freeze a click would cost",
     Language::ENGLISH,
     true,
     true,
     Live({"opened 0 300000.0", "end"}),
     End::ENDED,
     0,
     {"open: hidinit returned after 300.000 ms", "board: no board answered (hidinit returned 0)",
      "warning: without a board one hidinit takes 300.0 ms, and KORVAN3.exe calls it 3 times "
      "per write cycle until a board answers: a click on \"LCD表示\" with two 16-character rows "
      "would freeze its window for about 31.5 s",
      "verdict: the library is fine, but no board answered"},
     ExitCode::NO_BOARD},
    {"the checking process dies of a breakpoint without a word",
     Language::ENGLISH,
     true,
     true,
     Live({"opened 4660 50.0", "step probe"}),
     End::ENDED,
     0x80000003,
     {"Hidwrite crashed: breakpoint (0x80000003)",
      "verdict: KORVAN3.exe would crash at the same call: Hidwrite crashed (breakpoint)"},
     ExitCode::WILL_NOT_LOAD},
    {"the checking process does not start",
     Language::ENGLISH,
     true,
     true,
     {},
     End::NOT_STARTED,
     5,
     {"check: the checking process does not start (system message 5)",
      "verdict: hid2check cannot run the library's code, so it cannot tell"},
     ExitCode::WILL_NOT_LOAD},
    {"no board, and hidinit just slower than a user notices",
     Language::ENGLISH,
     true,
     true,
     Live({"opened 0 21000.0", "end"}),
     End::ENDED,
     0,
     {"warning: without a board one hidinit takes 21.0 ms", "for about 2.2 s"},
     ExitCode::NO_BOARD},
    {"the same warning in Japanese, each figure in its place",
     Language::JAPANESE,
     true,
     true,
     Live({"opened 0 21000.0", "end"}),
     End::ENDED,
     0,
     {"hidinit は 1 回に 21.0 ms かかります", "ウィンドウが約 2.2 秒固まります"},
     ExitCode::NO_BOARD},
    {"Hidwrite crashes, in Japanese",
     Language::JAPANESE,
     true,
     true,
     Live({"opened 4660 50.0", "step probe", "crash C0000005"}),
     End::ENDED,
     0xC0000005,
     {"読み込み: できます", "ボード: 応答しました（ハンドル 4660）",
      "Hidwrite がクラッシュしました: アクセス違反（0xC0000005）",
      "判定: KORVAN3.exe も同じ呼び出しで異常終了します（Hidwrite がクラッシュ: アクセス違反）"},
     ExitCode::WILL_NOT_LOAD},
};

class Hid2checkSession : public testing::TestWithParam<Case> {};

TEST_P(Hid2checkSession, ReportsFindingsInOrderAndTheVerdictLast) {
    const Case& c = GetParam();
    Report::Names names;
    names.findings = {"hidinit: exported"};
    names.complete = c.namesComplete;
    names.problem = "it needs Hidread under exactly that name";
    std::vector<std::string> printed;
    Hid2checkTexts::Use(c.language);
    const Protocol::Task task = c.live            ? Protocol::Task::LIVE
                                : c.namesComplete ? Protocol::Task::BIND
                                                  : Protocol::Task::LOAD;
    Report::Session session(
        {task}, names, [&](const std::string& line) { printed.push_back(line); }, SystemMessage,
        false);
    for (const std::string& line : c.heard) {
        session.Hear(line);
    }
    const int exit = c.end == End::ENDED         ? session.Ended(c.exitCode)
                     : c.end == End::NOT_STARTED ? session.NotStarted(c.exitCode)
                                                 : session.Stopped(c.end == End::CALL_TIMED_OUT);

    EXPECT_EQ(exit, c.expectedExit) << c.what;
    std::string all;
    for (const std::string& line : printed) {
        all += line + "\n";
    }
    size_t at = 0;
    for (const std::string& line : c.expected) {
        const size_t found = all.find(line, at);
        ASSERT_NE(found, std::string::npos) << c.what << ": no '" << line << "' in order in\n"
                                            << all;
        at = found + line.size();
    }
    ASSERT_FALSE(printed.empty());
    EXPECT_EQ(printed.back().find(c.language == Language::ENGLISH ? "verdict: " : "判定: "), 0u)
        << c.what;
    EXPECT_EQ(all.find("verdict"), all.rfind("verdict")) << c.what << ": one verdict";
    Hid2checkTexts::Use(Language::ENGLISH);
}

INSTANTIATE_TEST_SUITE_P(Cases, Hid2checkSession, testing::ValuesIn(CASES));

TEST(Hid2checkReport, NoWarningWhenHidinitIsQuickWithoutABoard) {
    std::vector<std::string> printed;
    Report::Session session(
        {Protocol::Task::LIVE}, {{}, true, ""},
        [&](const std::string& line) { printed.push_back(line); }, SystemMessage, false);
    for (const std::string& line : Live({"opened 65536 19000.0", "end"})) {
        session.Hear(line);
    }
    EXPECT_EQ(session.Ended(0), ExitCode::NO_BOARD);
    for (const std::string& line : printed) {
        EXPECT_EQ(line.find("warning"), std::string::npos) << line;
    }
}

// The timing of the writes, played into the model with KORVAN3.exe's screens: a board
// that outruns the display is named, with the pace that would do; a real board's is not.
TEST(Hid2checkReport, WarnsOfABoardTheDisplayCannotKeepUpWith) {
    const std::pair<const char*, const char*> timings[] = {
        {"timed 200 210 190",
         "warning: at 0.200 ms a write the display cannot keep up: 3 of the 92 transfers"},
        {"timed 1000 1010 990", nullptr},
        {"timed 380 380 380", nullptr},
    };
    for (const auto& [timed, warning] : timings) {
        std::vector<std::string> printed;
        Report::Session session(
            {Protocol::Task::LIVE}, {{}, true, ""},
            [&](const std::string& line) { printed.push_back(line); }, SystemMessage, false);
        session.KeepUpWith(Recorder::Record(KeepUp::ShowSession));
        for (const std::string& line :
             Live({"opened 4660 50.0", "step probe", "probed 0", "step timing", timed, "end"})) {
            session.Hear(line);
        }
        session.Ended(0);
        std::string all;
        for (const std::string& line : printed) {
            all += line + "\n";
        }
        if (warning != nullptr) {
            EXPECT_NE(all.find(warning), std::string::npos) << timed << "\n" << all;
            EXPECT_NE(all.find("at least 0.380 ms a write"), std::string::npos) << all;
        } else {
            EXPECT_EQ(all.find("keep up"), std::string::npos) << timed << "\n" << all;
        }
    }
}

// A wiring run names its screen and claim, says the library's findings only the first
// time, and leaves the verdict to the caller once the screen is shown.
TEST(Hid2checkReport, AWiringScreenIsNamedAndTheFirstRunAloneDescribesTheLibrary) {
    for (const bool repeat : {false, true}) {
        std::vector<std::string> printed;
        Report::Session session(
            {Protocol::Task::WIRING, 4, repeat}, {{"hidinit: exported"}, true, ""},
            [&](const std::string& line) { printed.push_back(line); }, SystemMessage, false);
        for (const std::string& line :
             Live({"opened 4660 50.0", "step wiring", "tick", "wired 4", "end"})) {
            session.Hear(line);
        }
        EXPECT_EQ(session.Ended(0), ExitCode::WILL_LOAD);
        EXPECT_TRUE(session.Wired());
        ASSERT_FALSE(printed.empty());
        const std::string last = std::to_string(WiringScreens::ScreenCount() - 1);
        EXPECT_EQ(printed.back().rfind("wiring: screen 4 (of 0 to " + last + ") is on the LCD", 0),
                  0u)
            << printed.back();
        EXPECT_NE(printed.back().find("it reads \"D3:D4\" only on a board wired that way"),
                  std::string::npos)
            << printed.back();
        EXPECT_EQ(printed.size(), repeat ? 1u : 5u) << "repeat " << repeat;
    }
}

} // namespace

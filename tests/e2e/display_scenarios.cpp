#include "call_log.h"
#include "check.h"
#include "program.h"
#include "scenarios.h"
#include "screen_checks.h"
#include "standin.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

using Expected::Concat;
using Expected::Writes;
using Kind = Sim::LoggedCall::Kind;

namespace {

// How often the bring-up and the splash ask for a board that does not answer.
int OpensOfBringUpAndSplash() {
    return Expected::OpenAttemptsWithoutBoard(Concat({Expected::BringUp(), Expected::Splash()}));
}

// One run for the conventions scenario: bring-up and splash, a user-text screen, the goodbye.
Calls RunConventionScript(const std::string& exe, const std::string& log, const char* convention) {
    Program program;
    if (!Start(program, exe, log, "")) {
        return {};
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    Sleep(200);
    SetText(program, ID_EDIT_LINE1, "\xB6\xDE\xDD\xCA\xDE\xDA!");
    SetText(program, ID_EDIT_LINE2, "stack ok");
    Click(program, ID_BUTTON_SHOW);
    Check(Close(program) == 0, "%s: exit code not 0", convention);
    return ReadLog(log);
}

} // namespace

// Bring-up, the splash once about 100 ms later, and the goodbye at the end.
void ScenarioStartup(const Run& run) {
    Program program;
    if (!Start(program, run.exe, run.log, "")) {
        return;
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    Sleep(500);
    Calls calls = ReadLog(run.log);
    CheckWrites(WritesOf(calls), Concat({Expected::BringUp(), Expected::Splash()}),
                "bring-up and splash");
    Check(CountOf(calls, Kind::HIDINIT) == 1, "hidinit called %zu times",
          CountOf(calls, Kind::HIDINIT));
    Check(!calls.empty() && calls[0].kind == Kind::HIDINIT, "the first call is not hidinit");
    for (const Sim::LoggedCall& call : calls) {
        Check(call.kind != Kind::HIDWRITE || call.handle == StandIn::DEFAULT_HANDLE,
              "a write with handle %d", call.handle);
    }
    if (WritesOf(calls).size() == BRING_UP_AND_SPLASH) {
        // The gap between the bring-up's last write and the splash's first.
        const long long gap = GapBeforeWrite(calls, Expected::BringUp().size());
        Check(gap >= 95000 && gap < 1000000, "splash came %lld us after the bring-up", gap);
        std::printf("bring-up to splash: %lld us\n", gap);
    }
    const size_t before = calls.size();
    Check(Close(program) == 0, "exit code not 0");
    calls = ReadLog(run.log);
    CheckWrites(WritesOf(calls, before), Expected::Goodbye(), "goodbye");
}

// Real typing and clicks: katakana arrive as single bytes, a box takes only what fits.
void ScenarioTyping(const Run& run) {
    Program program;
    if (!Start(program, run.exe, run.log, "")) {
        return;
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    ClickOn(Control(program, ID_EDIT_LINE1));
    Type(L"\uFF8A\uFF9D\uFF96\uFF73Ab1"); // ﾊﾝﾖｳAb1
    ClickOn(Control(program, ID_EDIT_LINE2));
    Type(L"x y");
    Check(TextOf(Control(program, ID_EDIT_LINE1)) == L"\uFF8A\uFF9D\uFF96\uFF73Ab1",
          "box 1 holds %ls", TextOf(Control(program, ID_EDIT_LINE1)).c_str());
    Check(TextOf(Control(program, ID_EDIT_LINE2)) == L"x y", "box 2 holds %ls",
          TextOf(Control(program, ID_EDIT_LINE2)).c_str());
    ClickOn(Control(program, ID_BUTTON_SHOW));
    const Writes expected = Expected::UserText("\xCA\xDD\xD6\xB3"
                                               "Ab1",
                                               "x y");
    const Calls calls = WaitForWrites(program, BRING_UP_AND_SPLASH + expected.size());
    CheckWrites(AfterSplash(WritesOf(calls)), expected, "click on LCD display");

    // Typing beyond the visible width is refused by the box.
    ClickOn(Control(program, ID_EDIT_LINE2));
    Type(std::wstring(40, L'W'));
    const std::wstring typed = TextOf(Control(program, ID_EDIT_LINE2));
    Check(typed.size() > 3 && typed.size() < 43, "box 2 took %zu characters of 43", typed.size());
    Check(Close(program) == 0, "exit code not 0");
}

// Both boxes empty, then a text far longer than a row: sent whole.
void ScenarioEmptyAndLong(const Run& run) {
    Program program;
    if (!Start(program, run.exe, run.log, "")) {
        return;
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    Click(program, ID_BUTTON_SHOW);
    std::string longText;
    for (int i = 0; i < 300; ++i) {
        longText += static_cast<char>('!' + i % 90);
    }
    SetText(program, ID_EDIT_LINE1, longText.c_str());
    SetText(program, ID_EDIT_LINE2, "\xB1\xB2");
    Click(program, ID_BUTTON_SHOW);
    // Kanji, ASCII and half-width katakana: 6 characters, 8 bytes of code page 932. The
    // box's length must be taken in bytes, or the text is cut short.
    SetText(program, ID_EDIT_LINE1, L"\u6F22\u5B57A\uFF76\uFF851");
    SetText(program, ID_EDIT_LINE2, L"\u6F22");
    Click(program, ID_BUTTON_SHOW);
    // Commands that are not clicks of the two buttons do nothing.
    SendMessageW(program.window, WM_COMMAND, MAKEWPARAM(ID_BUTTON_SHOW, BN_DOUBLECLICKED), 0);
    SendMessageW(program.window, WM_COMMAND, MAKEWPARAM(ID_EDIT_LINE1, 0), 0);
    SendMessageW(program.window, WM_COMMAND, MAKEWPARAM(1004, 0), 0);
    CheckWrites(AfterSplash(WritesOf(ReadLog(run.log))),
                Concat({Expected::UserText("", ""), Expected::UserText(longText, "\xB1\xB2"),
                        Expected::UserText("\x8A\xBF\x8E\x9A"
                                           "A\xB6\xC5"
                                           "1",
                                           "\x8A\xBF")}),
                "empty boxes, a long text, double-byte text");
    Check(Close(program) == 0, "exit code not 0");
}

// The date and time of the click, between the clock readings taken around it.
void ScenarioTime(const Run& run) {
    Program program;
    if (!Start(program, run.exe, run.log, "")) {
        return;
    }
    WaitForWrites(program, BRING_UP_AND_SPLASH);
    SYSTEMTIME before;
    GetLocalTime(&before);
    ClickOn(Control(program, ID_BUTTON_TIME));
    SYSTEMTIME after;
    GetLocalTime(&after);
    // Any moment's screen has the same number of writes.
    const size_t screenWrites =
        Expected::DateTime(Expected::EXAMPLE_DATE, Expected::EXAMPLE_TIME).size();
    const Writes writes = WritesOf(WaitForWrites(program, BRING_UP_AND_SPLASH + screenWrites));
    Check(writes.size() == BRING_UP_AND_SPLASH + screenWrites, "%zu writes after the click",
          writes.size() - std::min(writes.size(), BRING_UP_AND_SPLASH));
    if (writes.size() != BRING_UP_AND_SPLASH + screenWrites) {
        Close(program);
        return;
    }
    // The codes of the two rows, read where the screen's data cycles put them.
    std::string codes;
    for (size_t i = BRING_UP_AND_SPLASH; i < writes.size(); i += 4) {
        codes += static_cast<char>(writes[i].value);
    }
    const std::string date = codes.substr(2, std::string_view(Expected::EXAMPLE_DATE).size());
    const std::string time =
        codes.substr(3 + date.size(), std::string_view(Expected::EXAMPLE_TIME).size());
    CheckWrites(AfterSplash(writes), Expected::DateTime(date, time), "date and time screen");
    char earliest[32];
    char latest[32];
    std::snprintf(earliest, sizeof earliest, "%04u/%02u/%02u %02u:%02u:%02u", before.wYear,
                  before.wMonth, before.wDay, before.wHour, before.wMinute, before.wSecond);
    std::snprintf(latest, sizeof latest, "%04u/%02u/%02u %02u:%02u:%02u", after.wYear, after.wMonth,
                  after.wDay, after.wHour, after.wMinute, after.wSecond);
    const std::string shown = date + time;
    Check(shown >= earliest && shown <= latest, "shown '%s' not within '%s'..'%s'", shown.c_str(),
          earliest, latest);
    std::printf("shown: %s\n", shown.c_str());
    Check(Close(program) == 0, "exit code not 0");
}

// No board at all: nothing written, the window works, the program ends normally.
void ScenarioAbsent(const Run& run) {
    Program program;
    if (!Start(program, run.exe, run.log, "0")) {
        return;
    }
    WaitForCalls(program, Kind::HIDINIT, static_cast<size_t>(OpensOfBringUpAndSplash()));
    Click(program, ID_BUTTON_SHOW);
    Click(program, ID_BUTTON_TIME);
    Check(Close(program) == 0, "exit code not 0");
    const Calls calls = ReadLog(run.log);
    Check(CountOf(calls, Kind::HIDWRITE) == 0, "%zu writes", CountOf(calls, Kind::HIDWRITE));
    // Every link operation asked.
    const int opens = Expected::OpenAttemptsWithoutBoard(Concat(
        {Expected::BringUp(), Expected::Splash(), Expected::UserText("", ""),
         Expected::DateTime(Expected::EXAMPLE_DATE, Expected::EXAMPLE_TIME), Expected::Goodbye()}));
    Check(CountOf(calls, Kind::HIDINIT) == static_cast<size_t>(opens),
          "hidinit called %zu times, expected %d", CountOf(calls, Kind::HIDINIT), opens);
}

// The board plugged in after the splash: the click's writes come first, no initialisation.
void ScenarioLate(const Run& run) {
    std::string script;
    for (int i = 0; i < OpensOfBringUpAndSplash(); ++i) {
        script += "0,";
    }
    script += std::to_string(StandIn::DEFAULT_HANDLE);
    Program program;
    if (!Start(program, run.exe, run.log, script)) {
        return;
    }
    WaitForCalls(program, Kind::HIDINIT, static_cast<size_t>(OpensOfBringUpAndSplash()));
    SetText(program, ID_EDIT_LINE1, "late");
    Click(program, ID_BUTTON_SHOW);
    CheckWrites(WritesOf(ReadLog(run.log)), Expected::UserText("late", ""),
                "first writes after plugging in");
    Check(Close(program) == 0, "exit code not 0");
}

// A click before the splash timer fires: the splash is then written over it.
void ScenarioEarlyClick(const Run& run) {
    const Writes bringUp = Expected::BringUp();
    const Writes click = Expected::UserText("", "");
    const Writes splash = Expected::Splash();
    for (int attempt = 0; attempt < 3; ++attempt) {
        Program program;
        if (!Start(program, run.exe, run.log, "")) {
            return;
        }
        Click(program, ID_BUTTON_SHOW);
        const bool early = WritesOf(ReadLog(run.log)).size() == bringUp.size() + click.size();
        WaitForWrites(program, BRING_UP_AND_SPLASH + click.size());
        Sleep(200);
        const Writes writes = WritesOf(ReadLog(run.log));
        Close(program);
        if (writes.size() >= BRING_UP_AND_SPLASH &&
            std::equal(splash.begin(), splash.end(),
                       writes.begin() + static_cast<std::ptrdiff_t>(bringUp.size()))) {
            continue; // the timer won the race; try again
        }
        Check(early, "the click's writes did not follow the bring-up directly");
        CheckWrites(writes, Concat({bringUp, click, splash}), "click before the splash");
        return;
    }
    Check(false, "the splash fired before the click three times");
}

// The same exe with a stdcall and with a cdecl HID2.DLL (bin\cdecl): the same writes in
// the same order, the same waits, and a normal end with either.
void ScenarioConventions(const Run& run) {
    const std::string cdeclExe =
        run.exe.substr(0, run.exe.find_last_of('\\') + 1) + "cdecl\\KORVAN3.exe";
    const Calls stdcallCalls = RunConventionScript(run.exe, run.log, "stdcall");
    const Calls cdeclCalls = RunConventionScript(cdeclExe, run.log + ".cdecl", "cdecl");
    const Writes expected =
        Concat({Expected::BringUp(), Expected::Splash(),
                Expected::UserText("\xB6\xDE\xDD\xCA\xDE\xDA!", "stack ok"), Expected::Goodbye()});
    CheckWrites(WritesOf(stdcallCalls), expected, "stdcall library");
    CheckWrites(WritesOf(cdeclCalls), expected, "cdecl library");
    for (const Calls* calls : {&stdcallCalls, &cdeclCalls}) {
        const char* convention = calls == &stdcallCalls ? "stdcall" : "cdecl";
        Check(CountOf(*calls, Kind::HIDINIT) == 1, "%s: hidinit called %zu times", convention,
              CountOf(*calls, Kind::HIDINIT));
        // The 6 ms and 3 ms waits before the second and third reset (the first write of
        // the second and third cycle), the splash 100 ms on.
        Check(GapBeforeWrite(*calls, 4) >= 5000 && GapBeforeWrite(*calls, 8) >= 2000,
              "%s: waits of %lld and %lld us before the resets", convention,
              GapBeforeWrite(*calls, 4), GapBeforeWrite(*calls, 8));
        const size_t splashStart = Expected::BringUp().size();
        Check(GapBeforeWrite(*calls, splashStart) >= 95000, "%s: splash %lld us after the bring-up",
              convention, GapBeforeWrite(*calls, splashStart));
    }
}

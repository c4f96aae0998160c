// What hid2check finds out by running the user's library, turned into findings and a
// verdict. The library runs in a checking process of its own, which tells this one what
// happens one line at a time (the lines below); whatever becomes of that process, the
// findings and the verdict are written here.
//   step load|hidinit|probe|timing|screen|wiring  the next call into the library begins
//   loaded | load-failed <error>            LoadLibrary's outcome
//   opened <result> <microseconds>          what hidinit returned, and after how long
//   probed <stack change>                   one harmless Hidwrite: the convention
//   timed <microseconds>...                 the times of the timed writes
//   tick                                    another call of the step returned
//   shown                                   the test screen is on the LCD
//   wired <screen>                          the wiring screen is on the LCD
//   crash <code>                            an exception nothing handled, in hex
//   end                                     nothing more to do
#pragma once

#include "keep_up.h"
#include "texts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Report {

// stdcall, cdecl, and the one convention of 64-bit Windows.
enum class Convention { CALLEE_CLEANS, CALLER_CLEANS, X64, UNKNOWN };
// From how far a Hidwrite of three arguments moved the stack pointer by its return.
Convention ConventionOf(int stackLeft, bool sixtyFourBit);
// "stdcall", "cdecl" or "x64": the test screen's second row.
const char* ShortName(Convention convention);

// True when a near name differs from the wanted one by a compiler's decoration
// (a leading underscore or an @ suffix) rather than by letter case.
bool Decorated(const std::vector<std::string>& nearNames);

// What the reading of the file found about the export names, printed after the load.
struct Names {
    std::vector<std::string> findings;
    bool complete = false;
    std::string problem; // when not complete
};

// What a run of the checking process is for: the library alone, the board with --live,
// one wiring screen named by the finding (--wiring N), a screen the wiring dialogue asks
// about, or a step of the line walk. A later screen or step (`repeat`) does not describe
// the library and the board again.
struct RunMode {
    enum class Kind { LIBRARY, LIVE, WIRING, DIALOGUE, LINES };
    // The board is opened to put something on the LCD, and there is no verdict once it
    // is there.
    bool ShowsOnTheLcd() const {
        return kind == Kind::WIRING || kind == Kind::DIALOGUE || kind == Kind::LINES;
    }
    Kind kind = Kind::LIBRARY;
    int screen = 0;
    bool repeat = false;
};

class Session {
  public:
    using Print = std::function<void(const std::string&)>;
    using SystemMessage = std::function<std::string(uint32_t error)>;

    // `sixtyFourBit`: the library is called as a 64-bit program calls it, in the one
    // convention there is.
    Session(Hid2checkTexts::Language language, RunMode mode, Names names, Print print,
            SystemMessage systemMessage, bool sixtyFourBit = sizeof(void*) == 8);

    // A line from the checking process.
    void Hear(const std::string& line);
    // The checking process ended, with this exit code, after its last line: the verdict
    // is printed and hid2check's exit code returned.
    int Ended(uint32_t exitCode);
    // The checking process was stopped: a call gave no answer within CALL_LIMIT_SECONDS,
    // or all together took longer than TOTAL_LIMIT_SECONDS.
    int Stopped(bool callTimedOut);
    // The checking process could not be started, for this Windows error.
    int NotStarted(uint32_t error);

    // What KORVAN3.exe sends from start to exit: with it, the timing of the writes also
    // tells whether the display would keep up with the board.
    void KeepUpWith(std::vector<KeepUp::Step> korvan3Screens);

    // The wiring screen is on the LCD. Then there is no verdict: the caller says what the
    // screens mean.
    bool Wired() const { return wired; }

  private:
    enum class Step { NONE, LOAD, HIDINIT, PROBE, TIMING, SCREEN, WIRING };
    enum class Fault { NONE, CRASHED, HUNG, TOO_SLOW, ENDED };

    std::string Say(Hid2checkTexts::Id id, std::initializer_list<std::string> arguments = {}) const;
    void Finding(const std::string& line) const;
    std::string CalledFunction() const;
    void ReportLoad(bool loaded);
    void Opened(int result, double milliseconds);
    void Probed(int stackLeft);
    void Timed(const std::vector<double>& times);
    void Crashed(uint32_t code);
    int Verdict();
    int Verdict(int code, const std::string& why) const;

    Hid2checkTexts::Language language;
    RunMode mode;
    Names names;
    Print print;
    SystemMessage systemMessage;
    bool sixtyFourBit;

    Step step = Step::NONE;
    bool loadReported = false;
    bool loaded = false;
    bool finished = false;
    Fault fault = Fault::NONE;
    uint32_t faultCode = 0;
    int handle = 0;
    Convention convention = Convention::UNKNOWN;
    std::vector<KeepUp::Step> korvan3Screens;
    bool wired = false;
};

} // namespace Report

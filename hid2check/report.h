// The findings of a run of the checking process (protocol.h), from what it tells this
// process one line at a time; whatever becomes of that process, the findings are written
// here, and the verdict after them (verdict.cpp).
#pragma once

#include "board.h"
#include "convention.h"
#include "protocol.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Report {

// What the reading of the file found about the export names, printed after the load.
struct Names {
    std::vector<std::string> findings;
    bool complete = false;
    std::string problem; // when not complete
};

using Print = std::function<void(const std::string&)>;
using SystemMessage = std::function<std::string(uint32_t error)>;

class Session {
  public:
    // `sixtyFourBit`: the library is called as a 64-bit program calls it, in the one
    // convention there is.
    Session(Protocol::Run run, Names names, Print print, SystemMessage systemMessage,
            bool sixtyFourBit = Convention::SIXTY_FOUR_BIT);

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
    void KeepUpWith(std::vector<Sim::WriteOrWait> korvan3Screens);

    // The wiring screen is on the LCD. Then there is no verdict: the caller says what the
    // screens mean.
    bool Wired() const { return wired; }

  private:
    enum class Fault { NONE, CRASHED, HUNG, TOO_SLOW, ENDED };

    std::string CalledFunction() const;
    void ReportLoad(bool loaded);
    void Opened(int result, double milliseconds);
    void Probed(int stackLeft);
    void Timed(const std::vector<double>& times);
    void Wiring();
    void Crashed(uint32_t code);
    int Verdict();

    Protocol::Run run;
    Names names;
    Print print;
    SystemMessage systemMessage;
    bool sixtyFourBit;

    Protocol::Call call = Protocol::Call::LOAD;
    bool loadReported = false;
    bool loaded = false;
    bool finished = false;
    Fault fault = Fault::NONE;
    uint32_t faultCode = 0;
    int handle = 0;
    Convention::Kind convention = Convention::Kind::UNKNOWN;
    std::vector<Sim::WriteOrWait> korvan3Screens;
    bool wired = false;
};

} // namespace Report

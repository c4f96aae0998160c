// Replay of the stand-in HID2.DLL's call log (HID2_LOG) into a simulated board, in the
// virtual time of a live run: every write costs the board's write cost, and the recorded
// time since the previous hidinit or Hidwrite, beyond one write cost, passes as a wait
// before the write, just as the stand-in passes that gap to a running simulator. The log
// has one call a line, after the time of the call in microseconds:
//   <us> hidinit <result>
//   <us> Hidwrite <handle> <port> <value>
//   <us> Hidread <handle> <port>
#pragma once

#include "board.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Sim {

struct LoggedCall {
    enum class Kind { HIDINIT, HIDWRITE, HIDREAD };
    Kind kind = Kind::HIDINIT;
    int64_t microseconds = 0;
    // hidinit: its result; Hidwrite and Hidread: the handle passed.
    int32_t handle = 0;
    int32_t port = 0;
    int32_t value = 0;
};

// What keeps a line from being a call of the log; the simulator says it in the user's
// language.
enum class LineProblem {
    NONE,
    // The first word is not a time: a whole number of microseconds, 0 or more.
    NO_TIME,
    NO_CALL,
    // The second word is none of hidinit, Hidwrite and Hidread, in exactly that case.
    UNKNOWN_CALL,
    // The call does not have its numbers: one for hidinit (the result), three for
    // Hidwrite (handle, port, value), two for Hidread (handle, port).
    HIDINIT_NUMBERS,
    HIDWRITE_NUMBERS,
    HIDREAD_NUMBERS,
};

// Reads one line (without its line end) into `call`; NONE if it is a call of the log.
LineProblem ParseLogLine(std::string_view line, LoggedCall& call);

struct ParsedLog {
    std::vector<LoggedCall> calls;
    // 0 if every line is a call; otherwise the number (from 1) of the first line that is
    // not, and what is wrong with it.
    int badLine = 0;
    LineProblem problem = LineProblem::NONE;
};

// Lines end in LF or CR LF; blank lines are skipped.
ParsedLog ParseLog(std::string_view text);

class Replay {
  public:
    // A replay at the recorded pace shortens longer pauses (a user who left the program
    // alone for minutes) to this; virtual time keeps them whole.
    static constexpr uint64_t MAX_PAUSE_US = 2000000;

    // `countGaps` false: virtual time advances by the write costs only (--ignore-gaps).
    Replay(std::vector<LoggedCall> calls, bool countGaps);

    bool Finished() const { return next == calls.size(); }
    size_t Played() const { return next; }
    size_t Calls() const { return calls.size(); }

    // Plays the next call: a write reaches the board whatever handle it carries (the
    // recording shows what the program sent to a board that answered); hidinit and
    // Hidread only mark time.
    void PlayNext(Board& board);
    void PlayAll(Board& board);

    // When the next call is due in a replay at the recorded pace, in microseconds from
    // its start: the recorded time since the first call, each pause shortened to
    // MAX_PAUSE_US at most. Plays every call due by `elapsed`; true if it played any.
    uint64_t NextDueMicroseconds() const;
    bool PlayUntil(uint64_t elapsed, Board& board);

  private:
    std::vector<LoggedCall> calls;
    size_t next = 0;
    bool countGaps;
    // Time of the last hidinit or Hidwrite played, the start of the next write's gap.
    bool gapStarted = false;
    int64_t gapStart = 0;
    // The pace: the recorded time and the due time of the last call played.
    int64_t lastRecorded = 0;
    uint64_t lastDue = 0;
};

// The display as `LCDSIM.exe --print` shows it: "<row 0>\n<row 1>\nviolations N writes M\n".
std::string DisplayReport(const Board& board);

} // namespace Sim

// The log of hid2check --record: the name of a new one, and what its replay leaves on the
// simulated display.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace RecordingLog {

// korvan3-1.log, korvan3-2.log, ...
std::string Name(int number);

enum class Creation { CREATED, EXISTS, FAILED };

// Creates the first of those names that `create` finds free, so that each recording has a
// log of its own and none is appended to; its name, or empty when a creation failed for any
// other reason than an existing file.
std::string CreateFirstFree(const std::function<Creation(const std::string&)>& create);

struct Replayed {
    size_t calls = 0;
    // Some hidinit found a board: without one KORVAN3.exe writes nothing.
    bool boardAnswered = false;
    // The two rows as the display ends, without trailing blanks.
    std::string rows[2];
    int violations = 0;
    uint64_t transfers = 0;
};

// The log played as LCDSIM.exe --replay plays it: at the recorded pace, on a board that
// costs a real board's time per write. A line that is no call ends the log there.
Replayed Replay(std::string_view log);

} // namespace RecordingLog

// What the board must receive for each of the program's screens, as (port, value) pairs
// in call order on an open link: the one place the tests take these bytes from.
// Portable: the native tests, the simulator model's tests and the programs that run
// under Wine build it alike.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace Expected {

struct PortWrite {
    int port;
    int value;
    bool operator==(const PortWrite&) const = default;
};
using Writes = std::vector<PortWrite>;

constexpr int DATA_PORT = 1;
constexpr int CONTROL_PORT = 2;

// Control port bits: register select (character data when set), the auxiliary line and
// the enable strobe. Bit 2 is never set.
constexpr int RS = 1;
constexpr int AUX = 2;
constexpr int E = 8;
constexpr int INSTRUCTION = 0;
constexpr int DATA = RS;

// The power-on sequence: each instruction with the wait, in milliseconds, before it.
struct InitialisationStep {
    int waitMilliseconds;
    int code;
};
inline constexpr InitialisationStep INITIALISATION[] = {
    {3, 0x30}, {6, 0x30}, {3, 0x30}, {0, 0x38}, {0, 0x0C}, {0, 0x01}, {0, 0x06},
};
std::vector<int> InitialisationWaits();

// The fixed texts as the display receives them: one byte per character cell.
inline constexpr std::string_view SPLASH_ROW0 = "\xCA\xDD\xD6\xB3USB-IO + LCD";
inline constexpr std::string_view SPLASH_ROW1 = "KORVAN   by OLKA";
inline constexpr std::string_view GOODBYE_ROW0 = " --- \xBC\xAD\xB3\xD8\xAE\xB3 ---";

// A moment for the date and time screen, as its two pictures format it.
inline constexpr char EXAMPLE_DATE[] = "2024/01/09 ";
inline constexpr char EXAMPLE_TIME[] = "08:05:03";

// One write cycle: the code on the data port, then the control lines with E low, high,
// low again.
Writes Cycle(int code, int control);
// One data cycle per byte, each byte an unsigned character code.
Writes DataCycles(std::string_view bytes, int control);
Writes Concat(std::initializer_list<Writes> parts);

Writes BringUp();
Writes Splash();
Writes UserText(std::string_view first, std::string_view second);
// `date` and `time` as the formatting produced them; an empty one is a failed call.
Writes DateTime(std::string_view date, std::string_view time);
Writes Goodbye();

// How often these writes ask hidinit when no board answers: every link operation asks,
// and each writes the control port exactly once.
int OpenAttemptsWithoutBoard(const Writes& writes);

// The characters the display shows for these codes, in UTF-8: ASCII letters, digits,
// signs and space, and the half-width katakana 0xA1 to 0xDF. Any other code (0x5C and
// 0x7E are other signs in the display's font) comes out as U+FFFD, which no display
// shows, so an expectation built on it fails.
std::string AsDisplayed(std::string_view codes);

} // namespace Expected

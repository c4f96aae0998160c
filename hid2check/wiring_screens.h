// The screens of `hid2check --wiring`. Each screen assumes one wiring fault that software
// can make up for, because every line still reaches some pin: two of the display's wires
// exchanged, or the data bus in reverse order; there is a screen for each such fault of the
// catalogue (fault_catalogue.h). It writes through the fault's inverse: every port value,
// the initialisation included, is remapped so that on a board wired that way the display
// receives exactly the intended codes. Row 0 names the fault as LCDSIM's --miswire writes
// it, and the dialogue's mark after it (a text no earlier run left); row 1 the screen's
// number; screen 0 assumes the correct wiring and reads "WIRING OK".
// Among screens 0 to 12 only the board's own screen reads its claim, whatever an earlier
// screen left; among all of them a held or open pin can make a screen read another claim
// (under D7=0 the screen of D0:D7 reads "D0:D6"), so the dialogue takes what each screen
// shows under each fault from the board model rather than from the claims alone.
//
// A line held, a pin not connected or R/W not grounded loses what no remapping gets back;
// no screen assumes such a fault, but what each screen shows under it is known from the
// board model (wiring_dialogue.h).
#pragma once

#include "board.h"
#include "wiring.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace WiringScreens {

// Levels meant for the display's pins, and `aux` for the free end of the auxiliary wire.
struct Pins : Sim::LcdPins {
    bool aux = false;
};

struct PortValues {
    uint8_t data = 0;
    uint8_t control = 0;
};

// One Hidwrite to port 1 or 2, and a sleep of the calling thread.
using WritePort = std::function<void(int port, int value)>;
using SleepThread = std::function<void(int milliseconds)>;

int ScreenCount();
// Row 0: the fault the screen assumes, e.g. "D3:D4"; "WIRING OK" on screen 0.
std::string Claim(int screen);
// Row 0 with `mark` after the claim, if there is one: "D3:D4 482".
std::string Row0(int screen, const std::string& mark);
// Row 1: the screen's number as --wiring takes it, e.g. "screen 3".
std::string Hint(int screen);
// The screen that assumes the fault of the catalogue at `fault`, if a screen can.
std::optional<int> ScreenOf(size_t fault);

// The port values that put `pins` on the display of a board wired as `screen` assumes.
PortValues Compensate(int screen, const Pins& pins);

// Writes `screen` (0 to ScreenCount() - 1) from whatever state the display is in, even
// the 4-bit interface half-way through a byte.
void Write(int screen, const std::string& mark, const WritePort& write, const SleepThread& sleep);

// The same writes and sleeps, for playing into the board model.
std::vector<Sim::WriteOrWait> Recorded(int screen, const std::string& mark);

} // namespace WiringScreens

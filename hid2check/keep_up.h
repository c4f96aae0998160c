// Whether the display keeps up with KORVAN3.exe on a board of a given pace. The program
// waits after no instruction, the clear included, so on a board that answers a port write
// quickly the transfer after a clear reaches a display still busy with it, which the
// controller may drop. The simulator's model of the board and the display tells how many
// transfers would.
#pragma once

#include "board.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace KeepUp {

// KORVAN3.exe's screens from start to exit: bring-up, splash, one click on "LCD表示"
// with both rows full, goodbye. They go to whatever HID2 entry points and sleep the LCD
// subsystem is bound to; recording them is the caller's.
void ShowSession();
// hid2check --live's test screen: the program's bring-up, then "hid2check OK" in row 0 and
// `secondRow` (the calling convention's name) in row 1.
void ShowTestScreen(const char* secondRow);

struct Outcome {
    uint64_t transfers = 0;
    int busyTransfers = 0;
    // The transfers that reached a busy display, in the model's words, e.g.
    // "t=3000us VIOLATION: I 0x80 while busy for 720us more".
    std::vector<std::string> busy;
};

// The session played into the model at `writeCostMicroseconds` per port write.
Outcome Run(const std::vector<Sim::WriteOrWait>& session, uint32_t writeCostMicroseconds);

// The least write cost at which no transfer of the session reaches a busy display.
uint32_t LeastSafeWriteCost(const std::vector<Sim::WriteOrWait>& session);

// The warning for a board that takes `milliseconds` a write, if the display would not keep
// up with the session there: how many transfers it would lose, and the pace that would do.
std::optional<std::string> Warning(const std::vector<Sim::WriteOrWait>& session,
                                   double milliseconds);

} // namespace KeepUp

// Whether the display keeps up with KORVAN3.exe on a board of a given pace. The program
// waits after no instruction, the clear included, so on a board that answers a port write
// quickly the transfer after a clear reaches a display still busy with it, which the
// controller may drop. The simulator's model of the board and the display tells how many
// transfers would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Sim {
class Board;
}

namespace KeepUp {

// What the program sends, as the LCD subsystem's seam sees it.
struct Step {
    enum class Kind { WRITE, SLEEP };
    Kind kind = Kind::WRITE;
    int port = 0;
    int value = 0; // WRITE: the value; SLEEP: milliseconds
};

// KORVAN3.exe's screens from start to exit: bring-up, splash, one click on "LCD表示"
// with both rows full, goodbye. They go to whatever HID2 entry points and sleep the LCD
// subsystem is bound to; recording them as steps is the caller's.
void ShowSession();
// hid2check --live's test screen: the program's bring-up, then "hid2check OK" in row 0 and
// `secondRow` (the calling convention's name) in row 1.
void ShowTestScreen(const char* secondRow);

// Plays `steps` into the model: the writes, and each sleep as the display's time passing.
void Play(const std::vector<Step>& steps, Sim::Board& board);

struct Outcome {
    uint64_t transfers = 0;
    int busyTransfers = 0;
    // The transfers that reached a busy display, in the model's words, e.g.
    // "t=3000us VIOLATION: I 0x80 while busy for 720us more".
    std::vector<std::string> busy;
};

// The session played into the model at `writeCostMicroseconds` per port write.
Outcome Run(const std::vector<Step>& session, uint32_t writeCostMicroseconds);

// The least write cost at which no transfer of the session reaches a busy display.
uint32_t LeastSafeWriteCost(const std::vector<Step>& session);

} // namespace KeepUp

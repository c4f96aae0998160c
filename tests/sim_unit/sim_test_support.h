// Helpers shared by the simulator model's tests.
#pragma once

#include "board.h"
#include "hd44780.h"

#include <cstdint>
#include <string>
#include <string_view>

// Control port values of the program's write cycle: RS on bit 0, the auxiliary line on
// bit 1, E on bit 3.
constexpr int INSTRUCTION = 0;
constexpr int DATA = 1;
constexpr int AUX = 2;
constexpr int E = 8;

// The program's write cycle: data port, then the control lines with E low, E high, E low.
inline void Cycle(Sim::Board& board, int code, int control) {
    board.WritePort(1, code);
    board.WritePort(2, control);
    board.WritePort(2, control + E);
    board.WritePort(2, control);
}

inline void WriteBytes(Sim::Board& board, std::string_view bytes, int control = DATA) {
    for (const char byte : bytes) {
        Cycle(board, static_cast<unsigned char>(byte), control);
    }
}

// The number of characters in a UTF-8 text.
inline int CodePoints(const std::string& text) {
    int count = 0;
    for (const char byte : text) {
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

// The address counter names a real cell of the RAM it points into.
inline bool AddressCounterValid(const Sim::Hd44780& lcd) {
    const int ac = lcd.AddressCounter();
    if (lcd.AddressesCgram()) {
        return ac < Sim::Hd44780::CGRAM_SIZE;
    }
    if (lcd.TwoLines()) {
        return ac <= 0x27 || (ac >= 0x40 && ac <= 0x67);
    }
    return ac <= 0x4F;
}

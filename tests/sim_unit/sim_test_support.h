// Helpers shared by the simulator model's tests.
#pragma once

#include "board.h"
#include "expected_screens.h"
#include "hd44780.h"

#include <cstdint>
#include <string>
#include <string_view>

using Expected::AUX;
using Expected::DATA;
using Expected::E;
using Expected::INSTRUCTION;

// Plays port writes into the board, in order.
inline void Play(Sim::Board& board, const Expected::Writes& writes) {
    for (const Expected::PortWrite& write : writes) {
        board.WritePort(write.port, write.value);
    }
}

// The program's write cycle: data port, then the control lines with E low, E high, E low.
inline void Cycle(Sim::Board& board, int code, int control) {
    Play(board, Expected::Cycle(code, control));
}

inline void WriteBytes(Sim::Board& board, std::string_view bytes, int control = DATA) {
    Play(board, Expected::DataCycles(bytes, control));
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

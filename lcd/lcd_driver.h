// HD44780 driver for a 16x2 character display on the USB-IO board.
#pragma once

#include <cstdint>
#include <string_view>

namespace LcdDriver {

// Texts longer than this are cut: positions are counted in 16 signed bits.
constexpr int MAX_TEXT_LENGTH = 32767;

// One write cycle with RS low (instruction) or high (character data).
void WriteInstruction(int16_t code);
void WriteData(int16_t code);

// Drives the auxiliary line to the current flag, with RS and E low.
void ApplyAuxLine();

// Instruction encoders; the flags are 0 or 1 and are not checked.
void ClearDisplay();
void SetEntryMode(int16_t increment, int16_t shift);
void SetDisplayControl(int16_t display, int16_t cursor, int16_t blink);
void SetFunction(int16_t eightBit, int16_t twoLines, int16_t bigFont);
// Moves the address counter to a visible cell; anything outside 16x2 is ignored.
void SetCursor(int16_t column, int16_t row);

// The power-on sequence for an 8-bit bus, two lines, display on, incrementing.
void Initialise();
// Sends the bytes of `text` as character codes, up to the first zero byte.
void WriteText(std::string_view text);

// The auxiliary line flag (0 or 1), copied onto every control value written.
int16_t AuxLine();
void SetAuxLine(int16_t level);

} // namespace LcdDriver

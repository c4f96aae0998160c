// The HD44780's instruction codes and their flag bits, as its datasheet names them. The
// highest set bit of a code selects the instruction; the bits below it are its flags, or
// for the two address instructions the address. A whole instruction is its code with the
// flags it sets, e.g. ENTRY_MODE_SET | ENTRY_INCREMENT.
#pragma once

#include <cstdint>

namespace Hd44780Instructions {

// Clear display: every DDRAM cell blank, address 0, display unshifted, I/D increment.
constexpr uint8_t CLEAR_DISPLAY = 0x01;
// Return home: address 0, display unshifted; DDRAM keeps its contents.
constexpr uint8_t RETURN_HOME = 0x02;

// Entry mode set: how the address counter and the display move after each character.
constexpr uint8_t ENTRY_MODE_SET = 0x04;
constexpr uint8_t ENTRY_INCREMENT = 0x02; // I/D: count up (else down)
constexpr uint8_t ENTRY_SHIFT = 0x01;     // S: the display shifts with each character

// Display on/off control.
constexpr uint8_t DISPLAY_CONTROL = 0x08;
constexpr uint8_t DISPLAY_ON = 0x04; // D: the display shows DDRAM
constexpr uint8_t CURSOR_ON = 0x02;  // C: the cursor underline is shown
constexpr uint8_t BLINK_ON = 0x01;   // B: the cursor cell blinks

// Cursor or display shift, one position; without flags the cursor moves left.
constexpr uint8_t CURSOR_OR_DISPLAY_SHIFT = 0x10;
constexpr uint8_t SHIFT_DISPLAY = 0x08; // S/C: the display shifts (else the cursor moves)
constexpr uint8_t SHIFT_RIGHT = 0x04;   // R/L: to the right (else to the left)

// Function set: the interface width, the line count and the font.
constexpr uint8_t FUNCTION_SET = 0x20;
constexpr uint8_t EIGHT_BIT_BUS = 0x10; // DL: 8-bit interface (else 4-bit)
constexpr uint8_t TWO_LINES = 0x08;     // N: two lines (else one)
constexpr uint8_t FONT_5X10 = 0x04;     // F: 5x10 dots (else 5x8); one line only

// Set CGRAM address: the low 6 bits are the address.
constexpr uint8_t SET_CGRAM_ADDRESS = 0x40;
// Set DDRAM address: the low 7 bits are the address.
constexpr uint8_t SET_DDRAM_ADDRESS = 0x80;
// The DDRAM addresses of the first cells of the two rows, with two lines.
constexpr uint8_t ROW_0_ADDRESS = 0x00;
constexpr uint8_t ROW_1_ADDRESS = 0x40;

} // namespace Hd44780Instructions

// The HD44780's character generator with the Japanese standard ROM (A00): codes
// 0x00-0x0F come from the 8 CGRAM characters (each twice), the rest from the ROM:
// ASCII with the yen sign at 0x5C and right and left arrows at 0x7E and 0x7F,
// half-width katakana at 0xA1-0xDF, Greek letters and symbols at 0xE0-0xFF.
//
// With one line and the 5x10 font a cell has 11 dot rows instead of 8, and CGRAM holds
// 4 characters of 11 rows instead of 8 of 8.
#pragma once

#include "hd44780.h"

#include <array>
#include <cstdint>
#include <string>

namespace Sim {

// Dot rows of a character cell, the cursor's row (the last) included.
constexpr int ROWS_5X8 = 8;
constexpr int ROWS_5X10 = 11;

enum class Font { DOTS_5X8, DOTS_5X10 };

// Up to 11 rows of 5 dots each, top to bottom, bit 4 the leftmost dot; a 5x8 cell uses
// the first 8 and leaves the others blank.
using Glyph = std::array<uint8_t, ROWS_5X10>;

// The closest Unicode character to a code, as UTF-8, always exactly one character.
// Codes the ROM leaves blank (0x10-0x1F, 0x80-0xA0, 0xFE) map to a space; the CGRAM
// codes 0x00-0x0F map to the placeholder "▒" (U+2592), so that custom characters stay
// visible in text output. Where the ROM has no exact match (0xE7 g with a descender,
// 0xE9 superscript -1, 0xF8 x with a bar ...) the nearest single character stands in.
std::string CodeToUtf8(uint8_t code);

// The dot pattern of a code: CGRAM codes from `cgram` (the low 5 bits of each byte), ROM
// codes from the project's own 5x8 table of the A00 ROM. With the 5x8 font CGRAM holds 8
// characters of 8 rows, picked by code bits 2-0. With the 5x10 font it holds 4 characters
// of 11 rows at CGRAM addresses 0x00, 0x10, 0x20 and 0x30, picked by code bits 2-1 (bit 0
// is ignored); ROM codes keep their 5x8 patterns with the rows below them blank.
Glyph GlyphOf(uint8_t code, const std::array<uint8_t, 64>& cgram, Font font = Font::DOTS_5X8);

// The ROM's 5x8 pattern of a code; blank for the CGRAM codes and the ROM's empty codes.
Glyph RomGlyph(uint8_t code);

// Dot rows of the display's cells in its current font: 8, or 11 with the 5x10 font.
int CellRows(const Hd44780& lcd);

// The dots a visible cell shows: its character (nothing while the cell is dark), the
// cursor's underline ORed into the cell's last row, and, in one half of the blink period
// (`blinkPhase` true), every dot of the cell.
Glyph CellDots(const Hd44780& lcd, int row, int column, bool blinkPhase);

} // namespace Sim

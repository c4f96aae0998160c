// The HD44780's character generator with the Japanese standard ROM (A00): codes
// 0x00-0x0F come from the 8 CGRAM characters (each twice), the rest from the ROM:
// ASCII with the yen sign at 0x5C and right and left arrows at 0x7E and 0x7F,
// half-width katakana at 0xA1-0xDF, Greek letters and symbols at 0xE0-0xFF.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace Sim {

// 8 rows of 5 dots each, bit 4 the leftmost dot.
using Glyph = std::array<uint8_t, 8>;

// The closest Unicode character to a code, as UTF-8, always exactly one character.
// Codes the ROM leaves blank (0x10-0x1F, 0x80-0xA0, 0xFE) map to a space; the CGRAM
// codes 0x00-0x0F map to the placeholder "▒" (U+2592), so that custom characters stay
// visible in text output. Where the ROM has no exact match (0xE7 g with a descender,
// 0xE9 superscript -1, 0xF8 x with a bar ...) the nearest single character stands in.
std::string CodeToUtf8(uint8_t code);

// The dot pattern of a code: CGRAM codes from `cgram` (64 bytes: 8 characters of 8 rows,
// low 5 bits), ROM codes from the project's own 5x8 table of the A00 ROM.
Glyph GlyphOf(uint8_t code, const std::array<uint8_t, 64>& cgram);

// The ROM's pattern of a code; blank for the CGRAM codes and the ROM's empty codes.
Glyph RomGlyph(uint8_t code);

} // namespace Sim

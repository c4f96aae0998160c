#include "charset.h"

#include <algorithm>
#include <cstddef>

namespace Sim {
namespace {

constexpr uint8_t CGRAM_CODES_END = 0x10;
constexpr uint8_t CGRAM_CHARACTER_MASK = 0x07; // 0x08-0x0F repeat 0x00-0x07
// 5x10 font: code bits 2-1 name the character, which fills a block of 16 CGRAM addresses
// (address bits 5-4); its rows 11-15 are plain RAM.
constexpr int CGRAM_5X10_CHARACTER_SHIFT = 1;
constexpr uint8_t CGRAM_5X10_CHARACTER_MASK = 0x03;
constexpr int CGRAM_5X10_BLOCK = 16;
constexpr uint8_t DOT_MASK = 0x1F;
constexpr uint8_t ALL_DOTS = 0x1F;

constexpr char32_t CGRAM_PLACEHOLDER = U'\u2592'; // ▒
constexpr char32_t SPACE = U' ';

// The ROM differs from ASCII in three places.
constexpr uint8_t YEN_CODE = 0x5C;
constexpr uint8_t RIGHT_ARROW_CODE = 0x7E;
constexpr uint8_t LEFT_ARROW_CODE = 0x7F;

// Half-width katakana, with the Japanese punctuation before them, are in the same order
// as in JIS X 0201: 0xA1 is U+FF61.
constexpr uint8_t KATAKANA_FIRST = 0xA1;
constexpr uint8_t KATAKANA_LAST = 0xDF;
constexpr char32_t HALFWIDTH_FIRST = U'\uFF61';

// 0xE0-0xFF. The ROM draws g, j, p, q and y again with real descenders for the 5x10
// font; plain letters stand in for them. 0xE9 is a superscript -1, 0xF8 an x with a
// bar over it (a mean).
constexpr uint8_t GREEK_FIRST = 0xE0;
constexpr char32_t GREEK_AND_SYMBOLS[32] = {
    U'\u03B1', U'\u00E4', U'\u03B2', U'\u03B5', U'\u03BC', U'\u03C3', U'\u03C1', U'g',
    U'\u221A', U'\u00B9', U'j',      U'\u02E3', U'\u00A2', U'\u00A3', U'\u00F1', U'\u00F6',
    U'p',      U'q',      U'\u03B8', U'\u221E', U'\u03A9', U'\u00FC', U'\u03A3', U'\u03C0',
    U'x',      U'y',      U'\u5343', U'\u4E07', U'\u5186', U'\u00F7', SPACE,     U'\u2588',
};
// α ä β ε μ σ ρ g / √ ¹ j ˣ ¢ £ ñ ö / p q θ ∞ Ω ü Σ π / x y 千 万 円 ÷ (blank) █

char32_t CodePoint(uint8_t code) {
    if (code < CGRAM_CODES_END) {
        return CGRAM_PLACEHOLDER;
    }
    if (code == YEN_CODE) {
        return U'\u00A5';
    }
    if (code == RIGHT_ARROW_CODE) {
        return U'\u2192';
    }
    if (code == LEFT_ARROW_CODE) {
        return U'\u2190';
    }
    if (code >= 0x20 && code < 0x80) {
        return code;
    }
    if (code >= KATAKANA_FIRST && code <= KATAKANA_LAST) {
        return HALFWIDTH_FIRST + (code - KATAKANA_FIRST);
    }
    if (code >= GREEK_FIRST) {
        return GREEK_AND_SYMBOLS[code - GREEK_FIRST];
    }
    return SPACE;
}

std::string EncodeUtf8(char32_t point) {
    std::string text;
    if (point < 0x80) {
        text += static_cast<char>(point);
    } else if (point < 0x800) {
        text += static_cast<char>(0xC0 | (point >> 6));
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        // Every character here lies in the Basic Multilingual Plane.
        text += static_cast<char>(0xE0 | (point >> 12));
        text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    }
    return text;
}

} // namespace

std::string CodeToUtf8(uint8_t code) {
    return EncodeUtf8(CodePoint(code));
}

Glyph GlyphOf(uint8_t code, const std::array<uint8_t, 64>& cgram, Font font) {
    if (code >= CGRAM_CODES_END) {
        return RomGlyph(code);
    }
    const bool tall = font == Font::DOTS_5X10;
    const int rows = tall ? ROWS_5X10 : ROWS_5X8;
    const int first =
        tall ? ((code >> CGRAM_5X10_CHARACTER_SHIFT) & CGRAM_5X10_CHARACTER_MASK) * CGRAM_5X10_BLOCK
             : (code & CGRAM_CHARACTER_MASK) * ROWS_5X8;
    Glyph glyph{};
    for (int row = 0; row < rows; ++row) {
        glyph[static_cast<size_t>(row)] =
            static_cast<uint8_t>(cgram[static_cast<size_t>(first + row)] & DOT_MASK);
    }
    return glyph;
}

int CellRows(const Hd44780& lcd) {
    return lcd.Font5x10() ? ROWS_5X10 : ROWS_5X8;
}

Glyph CellDots(const Hd44780& lcd, int row, int column, bool blinkPhase) {
    const int code = lcd.VisibleCode(row, column);
    if (code < 0) {
        return Glyph{};
    }
    const Font font = lcd.Font5x10() ? Font::DOTS_5X10 : Font::DOTS_5X8;
    Glyph dots = GlyphOf(static_cast<uint8_t>(code), lcd.Cgram(), font);
    int cursorRow = 0;
    int cursorColumn = 0;
    if (!lcd.CursorCell(cursorRow, cursorColumn) || cursorRow != row || cursorColumn != column) {
        return dots;
    }
    const auto rows = static_cast<size_t>(CellRows(lcd));
    if (lcd.CursorOn()) {
        dots[rows - 1] |= ALL_DOTS;
    }
    if (lcd.BlinkOn() && blinkPhase) {
        std::fill(dots.begin(), dots.begin() + static_cast<std::ptrdiff_t>(rows), ALL_DOTS);
    }
    return dots;
}

} // namespace Sim

#include "board.h"
#include "charset.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

using Sim::CodeToUtf8;
using Sim::Glyph;
using Sim::GlyphOf;

namespace {

const std::array<uint8_t, 64> NO_CGRAM{};

bool Blank(const Glyph& glyph) {
    return glyph == Glyph{};
}

} // namespace

struct CharacterCase {
    uint8_t code;
    const char* text;
};

class CodeToUtf8Test : public ::testing::TestWithParam<CharacterCase> {};

TEST_P(CodeToUtf8Test, MapsToTheClosestCharacter) {
    EXPECT_EQ(CodeToUtf8(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CodeToUtf8Test,
    ::testing::Values(
        // ASCII, except three codes.
        CharacterCase{0x20, " "}, CharacterCase{0x30, "0"}, CharacterCase{0x41, "A"},
        CharacterCase{0x5B, "["}, CharacterCase{0x5D, "]"}, CharacterCase{0x7A, "z"},
        CharacterCase{0x7D, "}"}, CharacterCase{0x5C, "¥"}, CharacterCase{0x7E, "→"},
        CharacterCase{0x7F, "←"},
        // Half-width katakana and the punctuation before them.
        CharacterCase{0xA1, "｡"}, CharacterCase{0xA6, "ｦ"}, CharacterCase{0xB0, "ｰ"},
        CharacterCase{0xB3, "ｳ"}, CharacterCase{0xCA, "ﾊ"}, CharacterCase{0xD6, "ﾖ"},
        CharacterCase{0xDD, "ﾝ"}, CharacterCase{0xDF, "ﾟ"},
        // Greek and symbols.
        CharacterCase{0xE0, "α"}, CharacterCase{0xE1, "ä"}, CharacterCase{0xE2, "β"},
        CharacterCase{0xE4, "μ"}, CharacterCase{0xEF, "ö"}, CharacterCase{0xF2, "θ"},
        CharacterCase{0xF3, "∞"}, CharacterCase{0xF4, "Ω"}, CharacterCase{0xF6, "Σ"},
        CharacterCase{0xF7, "π"}, CharacterCase{0xFC, "円"}, CharacterCase{0xFD, "÷"},
        CharacterCase{0xFF, "█"},
        // Blank in this ROM.
        CharacterCase{0x10, " "}, CharacterCase{0x1F, " "}, CharacterCase{0x80, " "},
        CharacterCase{0xA0, " "}, CharacterCase{0xFE, " "},
        // CGRAM.
        CharacterCase{0x00, "▒"}, CharacterCase{0x07, "▒"}, CharacterCase{0x0F, "▒"}));

TEST(CodeToUtf8, EveryCodeIsExactlyOneWellFormedCharacter) {
    for (int code = 0; code < 256; ++code) {
        const std::string text = CodeToUtf8(static_cast<uint8_t>(code));
        ASSERT_FALSE(text.empty()) << code;
        EXPECT_EQ(CodePoints(text), 1) << code;
        const auto lead = static_cast<unsigned char>(text[0]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        EXPECT_EQ(text.size(), length) << code;
        EXPECT_NE(lead & 0xC0, 0x80) << code;
    }
}

TEST(CodeToUtf8, KatakanaRunInJisOrder) {
    // Neighbouring codes are neighbouring characters: the last byte of U+FF61-U+FF9F
    // climbs by one from code to code, carrying from 0xBF to 0x80.
    std::set<std::string> seen;
    for (int code = 0xA1; code <= 0xDF; ++code) {
        seen.insert(CodeToUtf8(static_cast<uint8_t>(code)));
    }
    EXPECT_EQ(seen.size(), 0xDFu - 0xA1u + 1u);
    EXPECT_EQ(CodeToUtf8(0xBF), "ｿ");
    EXPECT_EQ(CodeToUtf8(0xC0), "ﾀ");
}

TEST(RomGlyphs, ExactlyTheRomsCharactersHaveDots) {
    for (int code = 0x10; code < 256; ++code) {
        const bool empty = code < 0x21 || (code >= 0x80 && code <= 0xA0) || code == 0xFE;
        EXPECT_EQ(Blank(GlyphOf(static_cast<uint8_t>(code), NO_CGRAM)), empty) << code;
    }
}

TEST(RomGlyphs, UseFiveDotsAndLeaveTheCursorRowToDescenders) {
    const std::set<int> reachingRow7 = {0xE2, 0xE4, 0xE6, 0xE7, 0xEA, 0xF0, 0xF1, 0xF9, 0xFF};
    for (int code = 0x20; code < 256; ++code) {
        const Glyph glyph = GlyphOf(static_cast<uint8_t>(code), NO_CGRAM);
        for (const uint8_t row : glyph) {
            EXPECT_EQ(row & 0xE0, 0) << code;
        }
        EXPECT_EQ(glyph[7] != 0, reachingRow7.count(code) == 1) << code;
    }
}

// Catches a pattern pasted twice. The ROM draws the katakana long vowel mark exactly like
// the hyphen.
TEST(RomGlyphs, NoTwoCharactersLookTheSame) {
    std::set<Glyph> seen;
    int drawn = 0;
    for (int code = 0x21; code < 256; ++code) {
        const Glyph glyph = GlyphOf(static_cast<uint8_t>(code), NO_CGRAM);
        if (code == 0xB0) {
            EXPECT_EQ(glyph, GlyphOf('-', NO_CGRAM));
            continue;
        }
        if (!Blank(glyph)) {
            ++drawn;
            EXPECT_TRUE(seen.insert(glyph).second) << code;
        }
    }
    EXPECT_EQ(drawn, (0x7F - 0x21 + 1) + (0xFF - 0xA1 + 1) - 2);
}

TEST(RomGlyphs, SpotChecks) {
    EXPECT_EQ(GlyphOf('A', NO_CGRAM), (Glyph{0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x00}));
    EXPECT_EQ(GlyphOf('|', NO_CGRAM), (Glyph{0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x00}));
    EXPECT_EQ(GlyphOf(0xFF, NO_CGRAM), (Glyph{0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F}));
}

TEST(CgramGlyphs, EightCharactersEachReachableTwice) {
    std::array<uint8_t, 64> cgram{};
    for (size_t i = 0; i < cgram.size(); ++i) {
        cgram[i] = static_cast<uint8_t>(0xE0 | (i * 7 % 32)); // high bits set on purpose
    }
    for (int code = 0; code < 16; ++code) {
        const Glyph glyph = GlyphOf(static_cast<uint8_t>(code), cgram);
        for (size_t row = 0; row < 8; ++row) {
            const size_t byte = static_cast<size_t>(code % 8) * 8 + row;
            EXPECT_EQ(glyph[row], cgram[byte] & 0x1F) << code << " row " << row;
        }
    }
    // ROM codes never read CGRAM.
    EXPECT_EQ(GlyphOf(0x10, cgram), Glyph{});
}

TEST(CgramGlyphs, FiveByTenFontHasFourCharactersOfElevenRows) {
    std::array<uint8_t, 64> cgram{};
    for (size_t i = 0; i < cgram.size(); ++i) {
        cgram[i] = static_cast<uint8_t>(0xE0 | (i * 7 % 32));
    }
    for (int code = 0; code < 16; ++code) {
        const Glyph glyph = GlyphOf(static_cast<uint8_t>(code), cgram, Sim::Font::DOTS_5X10);
        const size_t first = static_cast<size_t>((code >> 1) & 3) * 16;
        for (size_t row = 0; row < Sim::ROWS_5X10; ++row) {
            EXPECT_EQ(glyph[row], cgram[first + row] & 0x1F) << code << " row " << row;
        }
    }
    // ROM codes keep their 5x8 patterns, with nothing below them.
    EXPECT_EQ(GlyphOf('A', cgram, Sim::Font::DOTS_5X10), GlyphOf('A', cgram));
    EXPECT_EQ(GlyphOf('A', cgram)[8], 0);
}

TEST(CellDots, FiveByTenStreamShowsCharacterZeroThroughCodeOne) {
    Sim::Board board;
    for (const int code : {0x34, 0x0C, 0x40}) {
        Cycle(board, code, INSTRUCTION);
    }
    for (int row = 1; row <= 16; ++row) {
        Cycle(board, row, DATA);
    }
    Cycle(board, 0x80, INSTRUCTION);
    Cycle(board, 0x01, DATA);
    EXPECT_EQ(Sim::CellRows(board.Lcd()), 11);
    EXPECT_EQ(Sim::CellDots(board.Lcd(), 0, 0, false),
              (Glyph{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B}));
    EXPECT_EQ(board.Violations(), 0);
}

// The cursor underlines the cell's last row, which the character may also use; blinking
// lights every dot of the cell and none below it.
struct CursorDotsCase {
    const char* name;
    int functionSet;
    size_t cursorRow;
    // Where CGRAM address 0x08 shows in the cell of code 1.
    size_t rowOfAddress8;
};

class CursorDotsTest : public ::testing::TestWithParam<CursorDotsCase> {};

TEST_P(CursorDotsTest, UnderlineOnTheLastRowAndBlinkOverTheWholeCell) {
    Sim::Hd44780 lcd;
    lcd.Latch(false, static_cast<uint8_t>(GetParam().functionSet));
    lcd.Latch(false, 0x48);
    lcd.Latch(true, 0x11);
    lcd.Latch(false, 0x0F); // display, cursor and blink on
    lcd.Latch(false, 0x80);
    lcd.Latch(true, 'A');
    lcd.Latch(true, 0x01);
    lcd.Latch(false, 0x81); // the cursor under the second cell
    const Glyph letter = GlyphOf('A', NO_CGRAM);
    const size_t rows = GetParam().cursorRow + 1;
    EXPECT_EQ(Sim::CellRows(lcd), static_cast<int>(rows));
    EXPECT_EQ(Sim::CellDots(lcd, 0, 0, true), letter);
    const Glyph custom = Sim::CellDots(lcd, 0, 1, false);
    for (size_t row = 0; row < Sim::ROWS_5X10; ++row) {
        const int expected = row == GetParam().cursorRow       ? 0x1F
                             : row == GetParam().rowOfAddress8 ? 0x11
                                                               : 0;
        EXPECT_EQ(custom[row], expected) << row;
    }
    const Glyph blink = Sim::CellDots(lcd, 0, 1, true);
    for (size_t row = 0; row < Sim::ROWS_5X10; ++row) {
        EXPECT_EQ(blink[row], row < rows ? 0x1F : 0) << row;
    }
    EXPECT_EQ(Sim::CellDots(lcd, 1, 0, true), Glyph{}); // one line: row 1 is dark
}

INSTANTIATE_TEST_SUITE_P(Fonts, CursorDotsTest,
                         ::testing::Values(CursorDotsCase{"FiveByEight", 0x30, 7, 0},
                                           CursorDotsCase{"FiveByTen", 0x34, 10, 8}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

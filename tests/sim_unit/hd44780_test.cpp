#include "charset.h"
#include "hd44780.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Sim::Hd44780;

namespace {

void Instruction(Hd44780& lcd, uint8_t code) {
    lcd.Latch(false, code);
}

void Data(Hd44780& lcd, uint8_t code) {
    lcd.Latch(true, code);
}

// Two lines, display on, as the program leaves the display.
Hd44780 TwoLineDisplay() {
    Hd44780 lcd;
    Instruction(lcd, 0x38);
    Instruction(lcd, 0x0C);
    return lcd;
}

Hd44780 OneLineDisplay() {
    Hd44780 lcd;
    Instruction(lcd, 0x30);
    Instruction(lcd, 0x0C);
    return lcd;
}

// The mode flags that are set, by their datasheet names, e.g. "I/D D DL N".
std::string SetFlags(const Hd44780& lcd) {
    std::string flags;
    const auto add = [&flags](bool set, const char* name) {
        if (set) {
            flags += flags.empty() ? name : std::string(" ") + name;
        }
    };
    add(lcd.Increment(), "I/D");
    add(lcd.ShiftOnWrite(), "S");
    add(lcd.DisplayOn(), "D");
    add(lcd.CursorOn(), "C");
    add(lcd.BlinkOn(), "B");
    add(lcd.EightBitInterface(), "DL");
    add(lcd.TwoLines(), "N");
    add(lcd.Font5x10(), "F");
    return flags;
}

} // namespace

TEST(PowerOn, LeavesTheResetStateAndADarkDisplay) {
    Hd44780 lcd;
    EXPECT_EQ(lcd.AddressCounter(), 0);
    EXPECT_FALSE(lcd.AddressesCgram());
    EXPECT_EQ(SetFlags(lcd), "I/D DL");
    EXPECT_EQ(lcd.DisplayShift(), 0);
    for (const uint8_t code : lcd.Ddram()) {
        EXPECT_EQ(code, 0x20);
    }
    for (int row = 0; row < Hd44780::ROWS; ++row) {
        for (int column = 0; column < Hd44780::VISIBLE_COLUMNS; ++column) {
            EXPECT_EQ(lcd.VisibleCode(row, column), -1);
        }
    }
}

TEST(PowerOn, PowerOnAgainForgetsEverything) {
    Hd44780 lcd = TwoLineDisplay();
    Data(lcd, 'A');
    Instruction(lcd, 0x48);
    Data(lcd, 0x1F);
    Sim::ControllerChoices choices;
    choices.lateFunctionSet = Sim::ControllerChoices::LateFunctionSet::IGNORED;
    lcd.Choose(choices);
    lcd.PowerOn();
    EXPECT_EQ(lcd.Ddram()[0], 0x20);
    EXPECT_EQ(lcd.Cgram()[0], 0);
    EXPECT_FALSE(lcd.TwoLines());
    EXPECT_FALSE(lcd.DisplayOn());
    EXPECT_EQ(lcd.AddressCounter(), 0);
    // Also that instructions came before: the function set executes first again.
    Instruction(lcd, 0x38);
    EXPECT_TRUE(lcd.TwoLines());
}

struct ModeCase {
    const char* name;
    std::vector<uint8_t> instructions;
    const char* expected;
};

class ModeInstructionTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeInstructionTest, SetsExactlyItsFlags) {
    Hd44780 lcd;
    for (const uint8_t code : GetParam().instructions) {
        Instruction(lcd, code);
    }
    EXPECT_EQ(SetFlags(lcd), GetParam().expected);
    EXPECT_EQ(lcd.LastExecutionMicroseconds(), 37u);
    EXPECT_EQ(lcd.AddressCounter(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Instructions, ModeInstructionTest,
    ::testing::Values(
        ModeCase{"EntryDecrement", {0x04}, "DL"}, ModeCase{"EntryDecrementShift", {0x05}, "S DL"},
        ModeCase{"EntryIncrement", {0x05, 0x06}, "I/D DL"},
        ModeCase{"EntryIncrementShift", {0x07}, "I/D S DL"},
        ModeCase{"DisplayOn", {0x0C}, "I/D D DL"}, ModeCase{"CursorOnly", {0x0A}, "I/D C DL"},
        ModeCase{"BlinkOnly", {0x09}, "I/D B DL"}, ModeCase{"AllOn", {0x0F}, "I/D D C B DL"},
        ModeCase{"AllOffAgain", {0x0F, 0x08}, "I/D DL"}, ModeCase{"TwoLines", {0x38}, "I/D DL N"},
        ModeCase{"BigFontOneLine", {0x34}, "I/D DL F"},
        // With two lines the F bit has no meaning.
        ModeCase{"BigFontIgnoredWithTwoLines", {0x3C}, "I/D DL N"},
        ModeCase{"BackToOneLine", {0x38, 0x30}, "I/D DL"}, ModeCase{"FourBit", {0x20}, "I/D"},
        // Flags of one instruction never leak into another's.
        ModeCase{"Mixed", {0x3C, 0x0E, 0x04}, "D C DL N"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(ClearDisplay, BlanksDdramAndResetsCounterShiftAndDirection) {
    Hd44780 lcd = TwoLineDisplay();
    Instruction(lcd, 0xC5);
    Data(lcd, 'A');
    Instruction(lcd, 0x18);
    Instruction(lcd, 0x05);
    Instruction(lcd, 0x48);
    Data(lcd, 0x15);
    Instruction(lcd, 0x01);
    for (const uint8_t code : lcd.Ddram()) {
        EXPECT_EQ(code, 0x20);
    }
    EXPECT_EQ(lcd.AddressCounter(), 0);
    EXPECT_FALSE(lcd.AddressesCgram());
    EXPECT_EQ(lcd.DisplayShift(), 0);
    EXPECT_TRUE(lcd.Increment());
    EXPECT_TRUE(lcd.ShiftOnWrite()); // S is left as it was
    EXPECT_EQ(lcd.Cgram()[8], 0x15);
    EXPECT_EQ(lcd.LastExecutionMicroseconds(), 1520u);
}

TEST(ReturnHome, ResetsCounterAndShiftButKeepsDdram) {
    Hd44780 lcd = TwoLineDisplay();
    Instruction(lcd, 0xC5);
    Data(lcd, 'A');
    Instruction(lcd, 0x18);
    Instruction(lcd, 0x04);
    Instruction(lcd, 0x40);
    Instruction(lcd, 0x02);
    EXPECT_EQ(lcd.AddressCounter(), 0);
    EXPECT_FALSE(lcd.AddressesCgram());
    EXPECT_EQ(lcd.DisplayShift(), 0);
    EXPECT_FALSE(lcd.Increment());
    EXPECT_EQ(lcd.Ddram()[45], 'A');
    EXPECT_EQ(lcd.LastExecutionMicroseconds(), 1520u);
    // Return home accepts anything in its low bit.
    Instruction(lcd, 0x85);
    Instruction(lcd, 0x03);
    EXPECT_EQ(lcd.AddressCounter(), 0);
}

// Set DDRAM address, with the addresses between the lines mapped to the start of the next.
struct AddressCase {
    bool twoLines;
    uint8_t instruction;
    uint8_t expected;
};

class SetDdramAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(SetDdramAddressTest, KeepsTheCounterOnARealCell) {
    Hd44780 lcd = GetParam().twoLines ? TwoLineDisplay() : OneLineDisplay();
    Instruction(lcd, 0x4A);
    Instruction(lcd, GetParam().instruction);
    EXPECT_FALSE(lcd.AddressesCgram());
    EXPECT_EQ(lcd.AddressCounter(), GetParam().expected);
    EXPECT_EQ(lcd.LastExecutionMicroseconds(), 37u);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, SetDdramAddressTest,
    ::testing::Values(AddressCase{true, 0x80, 0x00}, AddressCase{true, 0x8F, 0x0F},
                      AddressCase{true, 0xA7, 0x27}, AddressCase{true, 0xC0, 0x40},
                      AddressCase{true, 0xE7, 0x67}, AddressCase{true, 0xA8, 0x40},
                      AddressCase{true, 0xBF, 0x40}, AddressCase{true, 0xE8, 0x00},
                      AddressCase{true, 0xFF, 0x00}, AddressCase{false, 0xA8, 0x28},
                      AddressCase{false, 0xCF, 0x4F}, AddressCase{false, 0xD0, 0x00},
                      AddressCase{false, 0xFF, 0x00}));

TEST(SetCgramAddress, TakesSixBitsAndSendsDataToCgram) {
    Hd44780 lcd = TwoLineDisplay();
    Instruction(lcd, 0x7F);
    EXPECT_TRUE(lcd.AddressesCgram());
    EXPECT_EQ(lcd.AddressCounter(), 0x3F);
    Data(lcd, 0xB1);
    EXPECT_EQ(lcd.Cgram()[0x3F], 0xB1); // the three high bits are kept as plain RAM
    EXPECT_EQ(lcd.AddressCounter(), 0); // wraps in 6 bits
    EXPECT_EQ(lcd.DataRegister(), 0xB1);
    EXPECT_EQ(lcd.Ddram()[0], 0x20);
    Instruction(lcd, 0x04);
    Data(lcd, 0x01);
    EXPECT_EQ(lcd.AddressCounter(), 0x3F);
}

// The address counter after one step from `start`, by a data write or a cursor shift.
struct StepCase {
    bool twoLines;
    bool up;
    uint8_t start;
    uint8_t expected;
};

class AddressStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(AddressStepTest, DataWriteStoresThenSteps) {
    const StepCase& step = GetParam();
    Hd44780 lcd = step.twoLines ? TwoLineDisplay() : OneLineDisplay();
    Instruction(lcd, step.up ? 0x06 : 0x04);
    Instruction(lcd, static_cast<uint8_t>(0x80 | step.start));
    Data(lcd, '*');
    EXPECT_EQ(lcd.AddressCounter(), step.expected);
    // The second line of 40 is stored after the first; one line of 80 is stored in order.
    const int index = step.twoLines && step.start >= 0x40 ? 40 + step.start - 0x40 : step.start;
    EXPECT_EQ(lcd.Ddram()[static_cast<size_t>(index)], '*');
    int stars = 0;
    for (const uint8_t code : lcd.Ddram()) {
        stars += code == '*' ? 1 : 0;
    }
    EXPECT_EQ(stars, 1);
}

TEST_P(AddressStepTest, CursorShiftMovesTheCounterOnly) {
    const StepCase& step = GetParam();
    Hd44780 lcd = step.twoLines ? TwoLineDisplay() : OneLineDisplay();
    Instruction(lcd, static_cast<uint8_t>(0x80 | step.start));
    Instruction(lcd, step.up ? 0x14 : 0x10);
    EXPECT_EQ(lcd.AddressCounter(), step.expected);
    EXPECT_EQ(lcd.DisplayShift(), 0);
    for (const uint8_t code : lcd.Ddram()) {
        EXPECT_EQ(code, 0x20);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Wrap, AddressStepTest,
    ::testing::Values(StepCase{true, true, 0x00, 0x01}, StepCase{true, true, 0x26, 0x27},
                      StepCase{true, true, 0x27, 0x40}, StepCase{true, true, 0x40, 0x41},
                      StepCase{true, true, 0x67, 0x00}, StepCase{true, false, 0x41, 0x40},
                      StepCase{true, false, 0x40, 0x27}, StepCase{true, false, 0x00, 0x67},
                      StepCase{true, false, 0x27, 0x26}, StepCase{false, true, 0x27, 0x28},
                      StepCase{false, true, 0x4F, 0x00}, StepCase{false, false, 0x00, 0x4F},
                      StepCase{false, false, 0x40, 0x3F}));

TEST(AddressCounter, TwoLineWritesVisitBothLinesInTurn) {
    Hd44780 lcd = TwoLineDisplay();
    std::vector<int> visited;
    for (int i = 0; i < 81; ++i) {
        visited.push_back(lcd.AddressCounter());
        Data(lcd, static_cast<uint8_t>('0' + i % 40));
    }
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(visited[static_cast<size_t>(i)], i);
        EXPECT_EQ(visited[static_cast<size_t>(40 + i)], 0x40 + i);
    }
    EXPECT_EQ(visited[80], 0);
    EXPECT_EQ(lcd.VisibleCode(0, 15), '0' + 15);
    EXPECT_EQ(lcd.VisibleCode(1, 0), '0');
}

TEST(DisplayShift, MovesTheWindowAndWrapsEachLineAt40) {
    Hd44780 lcd = TwoLineDisplay();
    Instruction(lcd, 0x80);
    for (int i = 0; i < 40; ++i) {
        Data(lcd, static_cast<uint8_t>('A' + i % 26));
    }
    Instruction(lcd, 0xC0);
    for (int i = 0; i < 40; ++i) {
        Data(lcd, static_cast<uint8_t>('a' + i % 26));
    }
    Instruction(lcd, 0x85);
    Instruction(lcd, 0x18); // display left
    EXPECT_EQ(lcd.DisplayShift(), 1);
    EXPECT_EQ(lcd.AddressCounter(), 0x05);
    EXPECT_EQ(lcd.VisibleCode(0, 0), 'B');
    EXPECT_EQ(lcd.VisibleCode(1, 15), 'a' + 16);
    Instruction(lcd, 0x1C); // display right
    Instruction(lcd, 0x1C);
    EXPECT_EQ(lcd.DisplayShift(), 39);
    EXPECT_EQ(lcd.VisibleCode(0, 0), 'A' + 39 % 26);
    EXPECT_EQ(lcd.VisibleCode(0, 1), 'A');
    EXPECT_EQ(lcd.VisibleCode(1, 0), 'a' + 39 % 26);
    EXPECT_EQ(lcd.AddressCounter(), 0x05);
}

TEST(DisplayShift, OneLineModeWrapsAt80AndLeavesRowOneDark) {
    Hd44780 lcd = OneLineDisplay();
    Instruction(lcd, 0xCF);
    Data(lcd, 'Z');
    Instruction(lcd, 0x1C);
    EXPECT_EQ(lcd.DisplayShift(), 79);
    EXPECT_EQ(lcd.VisibleCode(0, 0), 'Z');
    EXPECT_EQ(lcd.VisibleCode(1, 0), -1);
    Instruction(lcd, 0x38); // to two lines: the shift is brought into 0-39
    EXPECT_EQ(lcd.DisplayShift(), 39);
}

TEST(FunctionSet, BringsTheCounterIntoTheNewLineLayout) {
    Hd44780 lcd = OneLineDisplay();
    Instruction(lcd, 0xB0);
    Instruction(lcd, 0x38);
    EXPECT_EQ(lcd.AddressCounter(), 0x40);
    Instruction(lcd, 0xE7);
    Instruction(lcd, 0x30);
    EXPECT_EQ(lcd.AddressCounter(), 0x00);
    Instruction(lcd, 0x7A); // CGRAM addresses are the same in every layout
    Instruction(lcd, 0x38);
    EXPECT_EQ(lcd.AddressCounter(), 0x3A);
}

// Entry mode with S set: the display moves against the cursor on every DDRAM write.
struct ShiftOnWriteCase {
    uint8_t entryMode;
    int writes;
    int expectedShift;
};

class ShiftOnWriteTest : public ::testing::TestWithParam<ShiftOnWriteCase> {};

TEST_P(ShiftOnWriteTest, ShiftsOncePerDdramWrite) {
    Hd44780 lcd = TwoLineDisplay();
    Instruction(lcd, GetParam().entryMode);
    Instruction(lcd, 0x88);
    for (int i = 0; i < GetParam().writes; ++i) {
        Data(lcd, 'x');
    }
    EXPECT_EQ(lcd.DisplayShift(), GetParam().expectedShift);
    // CGRAM writes never move the display.
    Instruction(lcd, 0x40);
    Data(lcd, 0x1F);
    EXPECT_EQ(lcd.DisplayShift(), GetParam().expectedShift);
}

INSTANTIATE_TEST_SUITE_P(EntryModes, ShiftOnWriteTest,
                         ::testing::Values(ShiftOnWriteCase{0x07, 3, 3},
                                           ShiftOnWriteCase{0x05, 3, 37},
                                           ShiftOnWriteCase{0x06, 3, 0},
                                           ShiftOnWriteCase{0x07, 41, 1}));

TEST(ShiftOnWrite, KeepsTheCursorOnTheSameCell) {
    Hd44780 lcd = TwoLineDisplay();
    Instruction(lcd, 0x0E);
    Instruction(lcd, 0x8F);
    Instruction(lcd, 0x07);
    Data(lcd, 'A');
    Data(lcd, 'B');
    int row = -1;
    int column = -1;
    ASSERT_TRUE(lcd.CursorCell(row, column));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, 15);
    EXPECT_EQ(lcd.VisibleCode(0, 14), 'B');
    EXPECT_EQ(lcd.VisibleCode(0, 13), 'A');
}

struct CursorCase {
    uint8_t address; // a DDRAM address instruction, or a CGRAM one
    int shiftsLeft;
    bool visible;
    int row;
    int column;
};

class CursorCellTest : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CursorCellTest, FollowsCounterAndShift) {
    Hd44780 lcd = TwoLineDisplay();
    for (int i = 0; i < GetParam().shiftsLeft; ++i) {
        Instruction(lcd, 0x18);
    }
    Instruction(lcd, GetParam().address);
    int row = -1;
    int column = -1;
    ASSERT_EQ(lcd.CursorCell(row, column), GetParam().visible);
    if (GetParam().visible) {
        EXPECT_EQ(row, GetParam().row);
        EXPECT_EQ(column, GetParam().column);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CursorCellTest,
    ::testing::Values(CursorCase{0x85, 0, true, 0, 5}, CursorCase{0xCF, 0, true, 1, 15},
                      CursorCase{0x90, 0, false, 0, 0}, CursorCase{0x81, 2, false, 0, 0},
                      CursorCase{0xC3, 2, true, 1, 1}, CursorCase{0x80, 39, true, 0, 1},
                      CursorCase{0x40, 0, false, 0, 0}));

TEST(Cgram, CustomCharactersShowThroughCodes0To15) {
    Hd44780 lcd = TwoLineDisplay();
    const Sim::Glyph pattern = {0x0E, 0x11, 0x0A, 0x04, 0x1F, 0x04, 0x0A, 0x11};
    Instruction(lcd, 0x48); // character 1
    for (size_t row = 0; row < Sim::ROWS_5X8; ++row) {
        Data(lcd, static_cast<uint8_t>(pattern[row] | 0xE0)); // high bits are not dots
    }
    EXPECT_EQ(lcd.AddressCounter(), 0x10);
    Instruction(lcd, 0x80);
    Data(lcd, 0x01);
    Data(lcd, 0x09);
    Data(lcd, 0x00);
    for (int column = 0; column < 2; ++column) {
        const int code = lcd.VisibleCode(0, column);
        ASSERT_GE(code, 0);
        EXPECT_EQ(Sim::GlyphOf(static_cast<uint8_t>(code), lcd.Cgram()), pattern) << column;
    }
    EXPECT_EQ(Sim::GlyphOf(static_cast<uint8_t>(lcd.VisibleCode(0, 2)), lcd.Cgram()), Sim::Glyph{});
}

TEST(FourBitInterface, AssemblesBytesHighNibbleFirst) {
    Hd44780 lcd;
    Instruction(lcd, 0x28); // one 8-bit transfer: 4-bit, two lines
    ASSERT_FALSE(lcd.EightBitInterface());
    Instruction(lcd, 0x0F); // high half 0x0
    EXPECT_TRUE(lcd.AwaitingLowNibble());
    EXPECT_EQ(lcd.LastExecutionMicroseconds(), 0u);
    EXPECT_FALSE(lcd.DisplayOn());
    Instruction(lcd, 0xC5); // low half 0xC: D0-D3 are not connected
    EXPECT_FALSE(lcd.AwaitingLowNibble());
    EXPECT_EQ(lcd.InstructionRegister(), 0x0C);
    EXPECT_TRUE(lcd.DisplayOn());
    Data(lcd, 0x40);
    Data(lcd, 0x10);
    EXPECT_EQ(lcd.Ddram()[0], 0x41);
    EXPECT_TRUE(lcd.TwoLines());
}

TEST(FourBitInterface, ThreeInterfaceResetsReturnToEightBits) {
    // The usual recovery: 0x30 three times works from any state of the nibble pairing.
    for (const bool halfWay : {false, true}) {
        Hd44780 lcd;
        Instruction(lcd, 0x20);
        if (halfWay) {
            Instruction(lcd, 0x80);
        }
        Instruction(lcd, 0x30);
        Instruction(lcd, 0x30);
        Instruction(lcd, 0x30);
        EXPECT_TRUE(lcd.EightBitInterface()) << halfWay;
        Instruction(lcd, 0x38);
        EXPECT_TRUE(lcd.TwoLines()) << halfWay;
        EXPECT_FALSE(lcd.AwaitingLowNibble());
    }
}

TEST(Registers, HoldTheLastInstructionAndData) {
    Hd44780 lcd;
    Instruction(lcd, 0x38);
    Data(lcd, 0x5A);
    EXPECT_EQ(lcd.InstructionRegister(), 0x38);
    EXPECT_EQ(lcd.DataRegister(), 0x5A);
    Instruction(lcd, 0x00); // no instruction: nothing changes
    EXPECT_TRUE(lcd.TwoLines());
    EXPECT_EQ(lcd.AddressCounter(), 1);
}

struct DescriptionCase {
    uint8_t code;
    const char* text;
};

class DescribeInstructionTest : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(DescribeInstructionTest, NamesTheInstructionAndFlags) {
    EXPECT_EQ(Sim::DescribeInstruction(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DescribeInstructionTest,
    ::testing::Values(
        DescriptionCase{0x00, "no instruction"}, DescriptionCase{0x01, "clear display"},
        DescriptionCase{0x03, "return home"},
        DescriptionCase{0x06, "entry mode set: increment, no shift"},
        DescriptionCase{0x05, "entry mode set: decrement, shift"},
        DescriptionCase{0x0C, "display on/off control: display on, cursor off, blink off"},
        DescriptionCase{0x0B, "display on/off control: display off, cursor on, blink on"},
        DescriptionCase{0x10, "cursor or display shift: cursor left"},
        DescriptionCase{0x1C, "cursor or display shift: display right"},
        DescriptionCase{0x38, "function set: 8-bit, 2 lines, 5x8"},
        DescriptionCase{0x24, "function set: 4-bit, 1 line, 5x10"},
        DescriptionCase{0x7F, "set CGRAM address 0x3F"},
        DescriptionCase{0xC0, "set DDRAM address 0x40"}));

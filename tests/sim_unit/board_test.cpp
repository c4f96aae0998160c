#include "board.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using Sim::Board;

// The program's screens go in without the sleeps between the interface resets: the
// display does not need them once powered.

TEST(Splash, ShowsBothRowsWithoutViolation) {
    Board board;
    Play(board, Expected::BringUp());
    Play(board, Expected::Splash());
    EXPECT_EQ(board.RowText(0), Expected::AsDisplayed(Expected::SPLASH_ROW0));
    EXPECT_EQ(board.RowText(1), Expected::AsDisplayed(Expected::SPLASH_ROW1));
    EXPECT_EQ(board.Violations(), 0);
    EXPECT_EQ(board.Transfers(), 7u + 1u + 16u + 1u + 16u);
    EXPECT_EQ(board.PortWrites(), 4u * board.Transfers() + 1u);
    EXPECT_FALSE(board.Aux());
}

TEST(Splash, WithoutWriteCostEveryTransferAfterTheFirstCollides) {
    Board board(0);
    Play(board, Expected::BringUp());
    Play(board, Expected::Splash());
    // All in one instant: each transfer lands while the one before is executing.
    EXPECT_EQ(board.Violations(), static_cast<int>(board.Transfers()) - 1);
    // The model keeps executing them, so the text still arrives.
    EXPECT_EQ(board.RowText(1), Expected::AsDisplayed(Expected::SPLASH_ROW1));
}

TEST(Latch, OnlyTheFallingEdgeOfELatches) {
    Board board;
    board.WritePort(1, 0x41);
    board.WritePort(2, DATA);     // E stays low
    board.WritePort(2, DATA + E); // rising edge
    board.WritePort(2, DATA + E); // E stays high
    board.WritePort(1, 0x42);     // bus moves while E is high
    EXPECT_EQ(board.Transfers(), 0u);
    EXPECT_EQ(board.Lcd().Ddram()[0], 0x20);
    board.WritePort(2, DATA); // falling edge
    EXPECT_EQ(board.Transfers(), 1u);
    EXPECT_EQ(board.Lcd().Ddram()[0], 0x42);
    board.WritePort(2, DATA); // E stays low
    board.WritePort(2, 0);
    EXPECT_EQ(board.Transfers(), 1u);
}

TEST(Latch, RsIsSampledAtTheFallingEdgeNotTheRisingOne) {
    Board board;
    board.WritePort(1, 0x38);
    board.WritePort(2, INSTRUCTION + E); // rises as an instruction
    board.WritePort(1, 0x41);
    board.WritePort(2, DATA + E); // RS rises while E is high
    board.WritePort(2, DATA);
    EXPECT_EQ(board.Lcd().Ddram()[0], 0x41);
    EXPECT_FALSE(board.Lcd().TwoLines());
}

TEST(Latch, RsDroppedTogetherWithETakesTheLevelHeldDuringThePulse) {
    Board board;
    board.WritePort(1, 0x41);
    board.WritePort(2, DATA + E);
    board.WritePort(2, 0);
    EXPECT_EQ(board.Lcd().Ddram()[0], 0x41);
    EXPECT_EQ(board.Lcd().AddressCounter(), 1);
}

TEST(Ports, LinesFollowTheLowByteOfPortsOneAndTwoOnly) {
    Board board(250);
    board.WritePort(1, 0x1C5);
    board.WritePort(2, 0x10B);
    board.WritePort(3, 0x00);
    board.WritePort(0, 0xFF);
    EXPECT_EQ(board.DataBus(), 0xC5);
    EXPECT_EQ(board.ControlPort(), 0x0B);
    EXPECT_TRUE(board.Rs());
    EXPECT_TRUE(board.Aux());
    EXPECT_TRUE(board.E());
    EXPECT_EQ(board.PortWrites(), 4u);
    EXPECT_EQ(board.NowMicroseconds(), 1000u);
    board.Wait(12345);
    EXPECT_EQ(board.NowMicroseconds(), 13345u);
    EXPECT_EQ(board.WriteCostMicroseconds(), 250u);
}

TEST(Trace, TimeAdvancesBeforeEachWriteTakesEffect) {
    Board board;
    Cycle(board, 0x38, INSTRUCTION + AUX);
    Cycle(board, 0x41, DATA);
    board.Wait(500);
    Cycle(board, 0x01, INSTRUCTION);
    ASSERT_EQ(board.Trace().size(), 3u);
    EXPECT_EQ(board.Trace()[0], "t=4000us I 0x38 function set: 8-bit, 2 lines, 5x8");
    EXPECT_EQ(board.Trace()[1], "t=8000us D 0x41");
    EXPECT_EQ(board.Trace()[2], "t=12500us I 0x01 clear display");
}

TEST(Trace, KeepsOnlyTheNewestLines) {
    Board board;
    const int transfers = static_cast<int>(Board::MAX_TRACE) + 1000;
    for (int i = 0; i < transfers; ++i) {
        Cycle(board, 0x41, DATA);
    }
    ASSERT_LE(board.Trace().size(), Board::MAX_TRACE);
    EXPECT_GE(board.Trace().size(), Board::MAX_TRACE / 2);
    EXPECT_EQ(board.Trace().back(), "t=" + std::to_string(4000 * transfers) + "us D 0x41");
}

TEST(Trace, FourBitHalvesAreListedApart) {
    Board board;
    Cycle(board, 0x28, INSTRUCTION);
    Cycle(board, 0x00, INSTRUCTION);
    Cycle(board, 0xC0, INSTRUCTION);
    ASSERT_EQ(board.Trace().size(), 3u);
    EXPECT_EQ(board.Trace()[1], "t=8000us I 0x00 high half of a 4-bit transfer");
    EXPECT_EQ(board.Trace()[2],
              "t=12000us I 0x0C display on/off control: display on, cursor off, blink off");
    EXPECT_EQ(board.Violations(), 0);
}

// A transfer that latches `gap` microseconds after the previous instruction latched.
struct BusyCase {
    const char* name;
    int first;
    uint32_t writeCost;
    uint64_t wait;
    bool violation;
};

class BusyTest : public ::testing::TestWithParam<BusyCase> {};

TEST_P(BusyTest, TransferWhileExecutingIsAViolation) {
    const BusyCase& busy = GetParam();
    Board board(busy.writeCost);
    Cycle(board, busy.first, INSTRUCTION);
    board.Wait(busy.wait);
    Cycle(board, 0x41, DATA);
    EXPECT_EQ(board.Violations(), busy.violation ? 1 : 0);
    EXPECT_EQ(board.Transfers(), 2u);
    // Executed either way.
    EXPECT_EQ(board.Lcd().DataRegister(), 0x41);
}

INSTANTIATE_TEST_SUITE_P(
    Timing, BusyTest,
    ::testing::Values(BusyCase{"ClearThenAtOnce", 0x01, 0, 0, true},
                      BusyCase{"ClearThen1519", 0x01, 0, 1519, true},
                      BusyCase{"ClearThen1520", 0x01, 0, 1520, false},
                      BusyCase{"HomeThen1519", 0x02, 0, 1519, true},
                      BusyCase{"ClearThenProgramCycle", 0x01, 1000, 0, false},
                      // 4 writes of 380us: the next falling edge comes 1520us later.
                      BusyCase{"ClearThenFourFastWrites", 0x01, 380, 0, false},
                      BusyCase{"ClearThenFourFasterWrites", 0x01, 379, 0, true},
                      BusyCase{"FunctionSetThen36", 0x38, 0, 36, true},
                      BusyCase{"FunctionSetThen37", 0x38, 0, 37, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Streams at write cost 0: each step waits, then runs one write cycle. The busy flag
// stays set until the latest instruction ends, whatever arrives meanwhile.
struct Step {
    uint64_t wait;
    int control;
    int code;
};

struct BusyStreamCase {
    const char* name;
    std::vector<Step> steps;
    int violations;
};

class BusyStreamTest : public ::testing::TestWithParam<BusyStreamCase> {};

TEST_P(BusyStreamTest, CountsEveryTransferBeforeTheLatestInstructionEnds) {
    Board board(0);
    for (const Step& step : GetParam().steps) {
        board.Wait(step.wait);
        Cycle(board, step.code, step.control);
    }
    EXPECT_EQ(board.Violations(), GetParam().violations);
}

constexpr int I = INSTRUCTION;
constexpr int D = DATA;

INSTANTIATE_TEST_SUITE_P(
    Timing, BusyStreamTest,
    ::testing::Values(
        // Code 0x00 executes nothing and does not end the clear.
        BusyStreamCase{
            "ClearThenNoInstructionThenData", {{0, I, 0x01}, {100, I, 0x00}, {100, D, 'C'}}, 2},
        // 4-bit: the first half of a byte executes nothing and does not end the clear.
        BusyStreamCase{"FourBitClearThenSplitData",
                       {{0, I, 0x20}, {100, I, 0x00}, {0, I, 0x10}, {100, D, 0x40}, {100, D, 0x10}},
                       2},
        BusyStreamCase{"ClearThenThreeDataWrites80Apart",
                       {{0, I, 0x01}, {80, D, 'A'}, {80, D, 'B'}, {80, D, 'C'}},
                       3},
        // A data write inside the clear ends 37 us after it, long before the clear does.
        BusyStreamCase{
            "DataInsideClearLeavesItsEnd1519", {{0, I, 0x01}, {100, D, 'A'}, {1419, D, 'B'}}, 2},
        BusyStreamCase{
            "DataInsideClearLeavesItsEnd1520", {{0, I, 0x01}, {100, D, 'A'}, {1420, D, 'B'}}, 1},
        // An instruction that ends after the clear extends the busy time.
        BusyStreamCase{
            "LateInstructionExtends36", {{0, I, 0x01}, {1500, I, 0x38}, {36, D, 'A'}}, 2},
        BusyStreamCase{
            "LateInstructionExtends37", {{0, I, 0x01}, {1500, I, 0x38}, {37, D, 'A'}}, 1},
        BusyStreamCase{
            "ClearInsideClearStartsAnew", {{0, I, 0x01}, {1000, I, 0x01}, {1519, D, 'A'}}, 2},
        // 4-bit: the halves of one byte may follow at once, the next byte must wait.
        BusyStreamCase{"FourBitHalvesBackToBack",
                       {{0, I, 0x20}, {37, D, 0x40}, {0, D, 0x10}, {37, D, 0x40}, {0, D, 0x20}},
                       0},
        BusyStreamCase{"FourBitNextByteTooEarly",
                       {{0, I, 0x20}, {37, D, 0x40}, {0, D, 0x10}, {36, D, 0x40}, {0, D, 0x20}},
                       2},
        BusyStreamCase{"NoInstructionTakesNoTime", {{0, I, 0x00}, {0, D, 'A'}}, 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Busy, ViolationNamesTheTimeLeftOfTheLatestInstruction) {
    Board board(0);
    Cycle(board, 0x01, INSTRUCTION);
    board.Wait(100);
    Cycle(board, 0x41, DATA);
    board.Wait(100);
    Cycle(board, 0x42, DATA);
    EXPECT_EQ(board.Trace()[3], "t=200us VIOLATION: D 0x42 while busy for 1320us more");
}

TEST(Busy, ViolationIsTracedBeforeTheTransferItself) {
    Board board(0);
    Cycle(board, 0x01, INSTRUCTION);
    board.Wait(1519);
    Cycle(board, 0x41, DATA);
    ASSERT_EQ(board.Trace().size(), 3u);
    EXPECT_EQ(board.Trace()[1], "t=1519us VIOLATION: D 0x41 while busy for 1us more");
    EXPECT_EQ(board.Trace()[2], "t=1519us D 0x41");
}

TEST(Busy, ProgramCyclesNeverViolateAtTheDefaultCost) {
    Board board;
    Play(board, Expected::BringUp());
    for (int screen = 0; screen < 20; ++screen) {
        Play(board, Expected::UserText("0123456789ABCDEFGHIJ", "abcdefghijklmnop"));
    }
    EXPECT_EQ(board.Violations(), 0);
    EXPECT_EQ(board.RowText(0), "0123456789ABCDEF");
}

// Where the datasheet leaves the controller open, a choice shows on the display as the
// gap allows and changes no count: a transfer while busy is a violation either way. Made
// at power-on or chosen later, a choice is the same.
struct ChoiceCase {
    const char* name;
    const char* choices;
    const char* wiring;                      // empty: the correct one
    std::vector<std::pair<int, int>> cycles; // code, control port with E low
    const char* rowByDefault;
    const char* rowChosen;
    // A line the chosen board's trace holds, after its time stamp.
    const char* traced;
    uint32_t writeCost = Board::DEFAULT_WRITE_COST_US;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << c.name;
}

class ChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceTest, ShowsOnTheDisplayAsTheGapAllows) {
    const ChoiceCase& c = GetParam();
    std::string badItem;
    const Sim::Wiring wiring =
        *c.wiring == '\0' ? Sim::Wiring() : Sim::Wiring::Parse(c.wiring, badItem).value();
    const Sim::ControllerChoices choices =
        Sim::ControllerChoices::Parse(c.choices, badItem).value();
    Board byDefault(c.writeCost, wiring);
    Board chosen(c.writeCost, wiring, choices);
    Board chosenLater(c.writeCost, wiring);
    chosenLater.Rewire(wiring, choices);
    for (const auto& [code, control] : c.cycles) {
        for (Board* board : {&byDefault, &chosen, &chosenLater}) {
            Cycle(*board, code, control);
        }
    }
    EXPECT_EQ(byDefault.RowText(0), c.rowByDefault);
    EXPECT_EQ(chosen.RowText(0), c.rowChosen);
    EXPECT_EQ(chosenLater.RowText(0), c.rowChosen);
    EXPECT_EQ(chosen.Violations(), byDefault.Violations());
    EXPECT_EQ(chosen.Transfers(), byDefault.Transfers());
    const auto& trace = chosen.Trace();
    EXPECT_TRUE(std::any_of(trace.begin(), trace.end(), [&c](const std::string& line) {
        return line.substr(line.find(' ') + 1) == c.traced;
    })) << c.traced;
}

INSTANTIATE_TEST_SUITE_P(
    Corners, ChoiceTest,
    ::testing::Values(
        // 4-bit: a byte's first half as an instruction, its second as data.
        ChoiceCase{"NibbleRestart",
                   "nibble=restart",
                   "",
                   {{0x28, I}, {0x00, I}, {0xC0, I}, {0x40, I}, {0x20, D}, {0x30, D}},
                   "B               ",
                   "#               ",
                   "D 0x20 high half of a 4-bit transfer"},
        // E follows D0 and falls on a data port write, which brings the next code.
        ChoiceCase{"EdgeAfter",
                   "edge=after",
                   "E:D0",
                   {{0x39, I}, {0x38, I}, {0x0D, I}, {0x0C, I}, {0x41, D}, {0x42, D}},
                   "@               ",
                   "B               ",
                   "D 0x42"},
        // Back to one line after a character (a data write is an instruction, 0x00 none).
        ChoiceCase{"LateFunctionSetIgnored",
                   "late-function-set=ignored",
                   "",
                   {{0x00, I}, {0x38, I}, {0x41, D}, {0x30, I}, {0x0C, I}},
                   "A███████████████",
                   "A               ",
                   "I 0x30 function set: 8-bit, 1 line, 5x8 - ignored after other instructions"},
        // A change to 4 bits executes, and so does the function set after it.
        ChoiceCase{"LateFunctionSetAfterADataLengthChange",
                   "late-function-set=ignored",
                   "",
                   {{0x38, I}, {0x0C, I}, {0x41, D}, {0x20, I}, {0x20, I}, {0x80, I}},
                   "A               ",
                   "A               ",
                   "I 0x28 function set: 4-bit, 2 lines, 5x8"},
        // The clear is still running when the A comes.
        ChoiceCase{"BusyLost",
                   "busy=lost",
                   "",
                   {{0x38, I}, {0x0C, I}, {0x01, I}, {0x41, D}, {0x42, D}},
                   "AB              ",
                   "B               ",
                   "VIOLATION: D 0x41 while busy for 320us more, lost",
                   300}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// One line, as at power-on: row 0 is a row of boxes, characters standing on them.
TEST(RowText, DarkCellsAreSpacesOrBoxesAndCgramCodesArePlaceholders) {
    Board board;
    std::string boxes;
    for (int column = 0; column < 16; ++column) {
        boxes += Board::BOX;
    }
    EXPECT_EQ(board.RowText(0), boxes); // display never switched on
    EXPECT_EQ(board.RowText(1), std::string(16, ' '));
    Play(board, Expected::BringUp());
    WriteBytes(board, std::string("\x01\x0F", 2) + "\x5C\x7E\x7F");
    EXPECT_EQ(board.RowText(0), "▒▒¥→←           ");
    EXPECT_EQ(board.RowText(2), "");
    EXPECT_EQ(board.RowText(-1), "");
    Cycle(board, 0x30, INSTRUCTION); // one line: row 1 goes dark
    Cycle(board, 0xA8, INSTRUCTION);
    WriteBytes(board, "X");
    EXPECT_EQ(board.RowText(0), "▒▒¥→←" + boxes.substr(5 * std::string(Board::BOX).size()));
    EXPECT_EQ(board.RowText(1), std::string(16, ' '));
}

#include "board.h"
#include "controller_choices.h"
#include "sim_test_support.h"
#include "wiring.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using Sim::Board;
using Sim::ControllerChoices;
using Sim::Wiring;

namespace {

// The two lists LCDSIM reads: a wiring (--miswire) and the controller's choices
// (--controller).
enum class List { WIRING, CONTROLLER };

// The list read back in its own spelling, or nothing.
std::optional<std::string> ReadBack(List list, const char* text, std::string& badItem) {
    if (list == List::CONTROLLER) {
        const auto choices = ControllerChoices::Parse(text, badItem);
        return choices ? std::optional(choices->Describe()) : std::nullopt;
    }
    const auto wiring = Wiring::Parse(text, badItem);
    if (!wiring) {
        return std::nullopt;
    }
    EXPECT_EQ(wiring->Correct(), wiring->Describe().empty()) << text;
    return wiring->Describe();
}

struct GoodSpec {
    const char* text;
    const char* described; // empty: the correct wiring, the default choices
    List list = List::WIRING;
};

void PrintTo(const GoodSpec& good, std::ostream* out) {
    *out << '"' << good.text << '"';
}

class GoodSpecTest : public ::testing::TestWithParam<GoodSpec> {};

TEST_P(GoodSpecTest, IsReadAndDescribedInItsOwnSpelling) {
    std::string badItem = "untouched";
    const auto described = ReadBack(GetParam().list, GetParam().text, badItem);
    ASSERT_TRUE(described.has_value()) << badItem;
    EXPECT_EQ(*described, GetParam().described);
    EXPECT_EQ(badItem, "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, GoodSpecTest,
    ::testing::Values(
        GoodSpec{"D3:D4", "D3:D4"}, GoodSpec{"rs:aux", "RS:AUX"}, GoodSpec{"E:D0", "E:D0"},
        GoodSpec{"bus=REVERSED", "bus=reversed"}, GoodSpec{"Bus=Up", "bus=up"},
        GoodSpec{"bus=down", "bus=down"}, GoodSpec{"D7=0", "D7=0"}, GoodSpec{"RS=1", "RS=1"},
        GoodSpec{"e=OPEN", "E=open"}, GoodSpec{"RW=1", "RW=1"}, GoodSpec{"rw=open", "RW=open"},
        GoodSpec{"D3:D4,RS:E,D0=open,RW=1", "D3:D4,RS:E,D0=open,RW=1"},
        // Exchanged back: every pin on its own line again.
        GoodSpec{"D3:D4,d4:d3", ""}, GoodSpec{"bus=reversed,bus=reversed", ""},
        // Choices are described in one order, the defaults left out.
        GoodSpec{"busy=lost,Nibble=RESTART", "nibble=restart,busy=lost", List::CONTROLLER},
        GoodSpec{"late-function-set=ignored,edge=after", "edge=after,late-function-set=ignored",
                 List::CONTROLLER},
        GoodSpec{"edge=after,edge=before,nibble=paired,busy=executed,"
                 "late-function-set=executed",
                 "", List::CONTROLLER}));

struct BadSpec {
    const char* text;
    const char* badItem;
    List list = List::WIRING;
};

void PrintTo(const BadSpec& bad, std::ostream* out) {
    *out << '"' << bad.text << '"';
}

class BadSpecTest : public ::testing::TestWithParam<BadSpec> {};

TEST_P(BadSpecTest, NamesTheFirstItemThatIsNotOneOfTheSpecs) {
    std::string badItem;
    EXPECT_FALSE(ReadBack(GetParam().list, GetParam().text, badItem).has_value());
    EXPECT_EQ(badItem, GetParam().badItem);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, BadSpecTest,
    ::testing::Values(
        BadSpec{"", ""}, BadSpec{"D3:D4,", ""}, BadSpec{"D3:D4,,RS:E", ""},
        BadSpec{"D3:D3", "D3:D3"}, BadSpec{"D3:D8", "D3:D8"}, BadSpec{"D3-D4", "D3-D4"},
        BadSpec{"D3:D4:D5", "D3:D4:D5"}, BadSpec{" D3:D4", " D3:D4"}, BadSpec{"RS:RW", "RS:RW"},
        BadSpec{"RW=0", "RW=0"}, BadSpec{"AUX=1", "AUX=1"}, BadSpec{"D3=2", "D3=2"},
        BadSpec{"E=", "E="}, BadSpec{"=1", "=1"}, BadSpec{"bus=left", "bus=left"},
        BadSpec{"bus", "bus"}, BadSpec{"D3:D4,RS=high,E=0", "RS=high"},
        BadSpec{"", "", List::CONTROLLER}, BadSpec{"busy=lost,", "", List::CONTROLLER},
        BadSpec{"busy", "busy", List::CONTROLLER},
        BadSpec{"edge=after,busy=late", "busy=late", List::CONTROLLER},
        BadSpec{"nibble=ignored", "nibble=ignored", List::CONTROLLER},
        BadSpec{"late-function-set=", "late-function-set=", List::CONTROLLER},
        BadSpec{"=lost", "=lost", List::CONTROLLER}, BadSpec{"D3:D4", "D3:D4", List::CONTROLLER},
        BadSpec{"busy=lost", "busy=lost"}));

Wiring WiringOf(const char* text) {
    std::string badItem;
    const auto wiring = Wiring::Parse(text, badItem);
    EXPECT_TRUE(wiring.has_value()) << text << ": " << badItem;
    return wiring.value_or(Wiring());
}

// The trace without its time stamps: what the display took, in order.
std::vector<std::string> Received(const Board& board) {
    std::vector<std::string> received;
    for (const std::string& line : board.Trace()) {
        received.push_back(line.substr(line.find(' ') + 1));
    }
    return received;
}

struct Cycles {
    const char* text;
    std::vector<std::pair<int, int>> cycles; // code, control port with E low
    std::vector<std::string> received;
};

void PrintTo(const Cycles& cycles, std::ostream* out) {
    *out << '"' << cycles.text << '"';
}

class ReceivedTest : public ::testing::TestWithParam<Cycles> {};

TEST_P(ReceivedTest, TheDisplayTakesWhatItsPinsSee) {
    Board board(Board::DEFAULT_WRITE_COST_US, WiringOf(GetParam().text));
    for (const auto& [code, control] : GetParam().cycles) {
        Cycle(board, code, control);
    }
    EXPECT_EQ(Received(board), GetParam().received);
}

INSTANTIATE_TEST_SUITE_P(
    Wired, ReceivedTest,
    ::testing::Values(
        Cycles{"D3:D4",
               {{0x08, INSTRUCTION}, {0x18, DATA}},
               {"I 0x10 cursor or display shift: cursor left", "D 0x18"}},
        Cycles{"bus=reversed",
               {{0x01, INSTRUCTION}, {0x0C, DATA}},
               {"I 0x80 set DDRAM address 0x00", "D 0x30"}},
        // D0 floats high, bit 7 is lost.
        Cycles{"bus=up", {{0x41, DATA}, {0x80, DATA}}, {"D 0x83", "D 0x01"}},
        // D7 floats high whatever RS does.
        Cycles{"bus=down",
               {{0x41, DATA}, {0x01, INSTRUCTION}},
               {"D 0xA0", "I 0x80 set DDRAM address 0x00"}},
        // The exchange takes the wires at pins D0 and D1 as the reversal left them.
        Cycles{"bus=reversed,D0:D1", {{0x01, DATA}, {0x40, DATA}}, {"D 0x80", "D 0x01"}},
        Cycles{"D2=0,D5=1", {{0xFF, DATA}, {0x00, DATA}}, {"D 0xFB", "D 0x20"}},
        Cycles{"D6=open", {{0x01, DATA}}, {"D 0x41"}},
        Cycles{"RS=open", {{0x41, INSTRUCTION}}, {"D 0x41"}},
        Cycles{"RS=0", {{0x41, DATA}}, {"I 0x41 set CGRAM address 0x01"}},
        // RS follows the auxiliary line.
        Cycles{"RS:AUX",
               {{0x41, DATA}, {0x42, INSTRUCTION + AUX}},
               {"I 0x41 set CGRAM address 0x01", "D 0x42"}},
        // E follows RS: it falls when an instruction follows a character, with the bus as
        // the instruction set it and RS as E left it.
        Cycles{"RS:E", {{0x41, DATA}, {0x42, DATA}, {0x01, INSTRUCTION}}, {"I 0x01 clear display"}},
        // E follows port 1 bit 0 and falls on the next data port write, which latches the
        // code before it with D0 as E left it.
        Cycles{
            "E:D0", {{0x41, INSTRUCTION}, {0x30, INSTRUCTION}}, {"I 0x40 set CGRAM address 0x00"}},
        Cycles{"E:AUX", {{0x41, DATA}, {0x01, INSTRUCTION + AUX}}, {}},
        Cycles{"E=0", {{0x41, DATA}}, {}}, Cycles{"E=1", {{0x41, DATA}}, {}},
        Cycles{"E=open", {{0x41, DATA}}, {}},
        Cycles{"RW=open",
               {{0x01, INSTRUCTION}, {0x41, DATA}},
               {"R/W high: the display is read, takes nothing",
                "R/W high: the display is read, takes nothing"}}),
    [](const auto& testCase) {
        std::string name;
        for (const char c : std::string(testCase.param.text)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(WiredBoard, ShowsTheBoardsLinesAndTheDisplaysPinsApart) {
    Board board(Board::DEFAULT_WRITE_COST_US, WiringOf("bus=reversed,RS:E"));
    board.WritePort(1, 0x03);
    board.WritePort(2, DATA);
    EXPECT_EQ(board.DataBus(), 0x03);
    EXPECT_TRUE(board.Rs());
    EXPECT_FALSE(board.E());
    EXPECT_EQ(board.Pins().data, 0xC0);
    EXPECT_FALSE(board.Pins().rs);
    EXPECT_TRUE(board.Pins().e);
    EXPECT_EQ(board.LcdWiring().Describe(), "bus=reversed,RS:E");
}

TEST(WiredBoard, OpenPinsReadAsThePullUpsLeaveThem) {
    Board board(Board::DEFAULT_WRITE_COST_US, WiringOf("D3=open,RS=open,E=open,D4=1"));
    board.WritePort(1, 0xFF);
    board.WritePort(2, 0x0F);
    board.WritePort(1, 0x00);
    board.WritePort(2, 0x00);
    EXPECT_EQ(board.Pins().data, 0x18);
    EXPECT_TRUE(board.Pins().rs);
    EXPECT_FALSE(board.Pins().e);
}

// A wire changed while powered: the display keeps what it shows, the next writes meet
// the new wiring.
TEST(WiredBoard, RewiredWhilePoweredKeepsTheDisplayAndTakesTheNewWiringFromTheNextWrite) {
    Board board;
    Play(board, Expected::BringUp());
    WriteBytes(board, "AB");
    board.Rewire(WiringOf("D0=1"), ControllerChoices());
    EXPECT_EQ(board.RowText(0), "AB              ");
    EXPECT_EQ(board.LcdWiring().Describe(), "D0=1");
    WriteBytes(board, "B");
    EXPECT_EQ(board.RowText(0), "ABC             ");
}

TEST(WiredBoard, WithRwHighNothingArrivesAndNothingIsBusy) {
    Board board(0, WiringOf("RW=1"));
    Cycle(board, 0x01, INSTRUCTION);
    Cycle(board, 0x41, DATA);
    EXPECT_EQ(board.Transfers(), 0u);
    EXPECT_EQ(board.Violations(), 0);
    EXPECT_EQ(board.Lcd().Ddram()[0], 0x20);
}

} // namespace

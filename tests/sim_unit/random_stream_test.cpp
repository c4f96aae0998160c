// Long streams of random port writes: whatever arrives, the model must keep its address
// counter and display shift on real cells and keep showing two rows of 16 characters.
#include "board.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <random>

using Sim::Board;
using Sim::Hd44780;

namespace {

constexpr int WRITES = 200000;

struct StreamCase {
    unsigned seed;
    uint32_t writeCost;
};

class RandomStreamTest : public ::testing::TestWithParam<StreamCase> {};

} // namespace

TEST_P(RandomStreamTest, StateStaysValid) {
    std::mt19937 random(GetParam().seed);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> percent(0, 99);
    Board board(GetParam().writeCost);
    for (int i = 0; i < WRITES; ++i) {
        const int choice = percent(random);
        if (choice < 40) {
            board.WritePort(1, anyByte(random));
        } else if (choice < 95) {
            // Mostly control values, so that E toggles often; sometimes the whole byte.
            board.WritePort(2, choice < 90 ? anyByte(random) & 0x0F : anyByte(random));
        } else if (choice < 98) {
            board.Wait(static_cast<uint64_t>(anyByte(random)) * 10);
        } else {
            const int port = anyByte(random) - 128;
            board.WritePort(port, anyByte(random) * 1000);
        }
        const Hd44780& lcd = board.Lcd();
        ASSERT_TRUE(AddressCounterValid(lcd))
            << "write " << i << " AC " << static_cast<int>(lcd.AddressCounter());
        ASSERT_GE(lcd.DisplayShift(), 0);
        ASSERT_LT(lcd.DisplayShift(), lcd.TwoLines() ? 40 : 80);
        if (i % 97 == 0) {
            ASSERT_EQ(CodePoints(board.RowText(0)), Hd44780::VISIBLE_COLUMNS) << i;
            ASSERT_EQ(CodePoints(board.RowText(1)), Hd44780::VISIBLE_COLUMNS) << i;
        }
    }
    // The stream did reach the display: a random stream that latched nothing would prove
    // nothing.
    EXPECT_GT(board.Transfers(), static_cast<uint64_t>(WRITES / 10));
    EXPECT_LE(board.Trace().size(), Board::MAX_TRACE);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomStreamTest,
                         ::testing::Values(StreamCase{1, 1000}, StreamCase{2, 0},
                                           StreamCase{20240601, 1000}, StreamCase{77, 37},
                                           StreamCase{4242, 0}));

#include "replay.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Sim::Board;
using Sim::LoggedCall;
using Sim::ParseLog;
using Sim::Replay;

namespace {

using Kind = LoggedCall::Kind;
using Sim::LineProblem;

// A program's write cycle as the stand-in logs it, one call every `step` microseconds.
void LogCycle(std::string& log, int64_t& time, int64_t step, int code, int control) {
    for (const Expected::PortWrite& write : Expected::Cycle(code, control)) {
        time += step;
        log += std::to_string(time) + " Hidwrite -32768 " + std::to_string(write.port) + " " +
               std::to_string(write.value) + "\n";
    }
}

Board Played(const std::string& log, uint32_t writeCost, bool countGaps) {
    Sim::ParsedLog parsed = ParseLog(log);
    EXPECT_EQ(parsed.badLine, 0);
    Board board(writeCost);
    Replay replay(std::move(parsed.calls), countGaps);
    replay.PlayAll(board);
    return board;
}

} // namespace

struct GoodLineCase {
    const char* line;
    Kind kind;
    int64_t microseconds;
    int32_t handle;
    int32_t port;
    int32_t value;
};

class GoodLineTest : public ::testing::TestWithParam<GoodLineCase> {};

TEST_P(GoodLineTest, ReadsEveryField) {
    const GoodLineCase& good = GetParam();
    LoggedCall call;
    ASSERT_EQ(Sim::ParseLogLine(good.line, call), LineProblem::NONE) << good.line;
    EXPECT_EQ(call.kind, good.kind);
    EXPECT_EQ(call.microseconds, good.microseconds);
    EXPECT_EQ(call.handle, good.handle);
    EXPECT_EQ(call.port, good.port);
    EXPECT_EQ(call.value, good.value);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, GoodLineTest,
    ::testing::Values(
        GoodLineCase{"659472210 hidinit 4660", Kind::HIDINIT, 659472210, 4660, 0, 0},
        GoodLineCase{"659472299 Hidwrite 4660 1 48", Kind::HIDWRITE, 659472299, 4660, 1, 48},
        GoodLineCase{"5 Hidread 4660 2", Kind::HIDREAD, 5, 4660, 2, 0},
        GoodLineCase{"0 hidinit 0", Kind::HIDINIT, 0, 0, 0, 0},
        GoodLineCase{"12 Hidwrite -32768 2 9", Kind::HIDWRITE, 12, -32768, 2, 9},
        GoodLineCase{"7\tHidwrite  1   2 -3 ", Kind::HIDWRITE, 7, 1, 2, -3},
        GoodLineCase{"9223372036854775807 hidinit -2147483648", Kind::HIDINIT, 9223372036854775807,
                     -2147483648, 0, 0},
        GoodLineCase{"1 Hidwrite 2147483647 0 256", Kind::HIDWRITE, 1, 2147483647, 0, 256}));

// Each bad line stands third in its log, after a good line ending in CR LF and a blank
// line, so the number reported counts every line.
struct BadLineCase {
    const char* line;
    LineProblem problem;
};

class BadLineTest : public ::testing::TestWithParam<BadLineCase> {};

TEST_P(BadLineTest, NamesTheLineAndTheProblem) {
    const std::string log =
        "1 hidinit 4660\r\n\n" + std::string(GetParam().line) + "\n4 Hidwrite 4660 1 48\n";
    const Sim::ParsedLog parsed = ParseLog(log);
    EXPECT_EQ(parsed.badLine, 3) << GetParam().line;
    EXPECT_EQ(parsed.problem, GetParam().problem) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadLineTest,
    ::testing::Values(BadLineCase{"hidinit 4660", LineProblem::NO_TIME},
                      BadLineCase{"-5 hidinit 1", LineProblem::NO_TIME},
                      BadLineCase{"1e3 hidinit 1", LineProblem::NO_TIME},
                      BadLineCase{"99999999999999999999 hidinit 1", LineProblem::NO_TIME},
                      BadLineCase{"12", LineProblem::NO_CALL},
                      BadLineCase{"12 hidwrite 1 2 3", LineProblem::UNKNOWN_CALL},
                      BadLineCase{"12 Hidwrite", LineProblem::HIDWRITE_NUMBERS},
                      BadLineCase{"12 Hidwrite 1 2", LineProblem::HIDWRITE_NUMBERS},
                      BadLineCase{"12 Hidwrite 1 2 3 4", LineProblem::HIDWRITE_NUMBERS},
                      BadLineCase{"12 Hidwrite 1 2 0x30", LineProblem::HIDWRITE_NUMBERS},
                      BadLineCase{"12 Hidwrite 1 2 +3", LineProblem::HIDWRITE_NUMBERS},
                      BadLineCase{"12 Hidwrite 1 2 3x", LineProblem::HIDWRITE_NUMBERS},
                      BadLineCase{"12 Hidwrite 2147483648 1 2", LineProblem::HIDWRITE_NUMBERS},
                      BadLineCase{"12 hidinit", LineProblem::HIDINIT_NUMBERS},
                      BadLineCase{"12 hidinit 1 2", LineProblem::HIDINIT_NUMBERS},
                      BadLineCase{"12 Hidread 1", LineProblem::HIDREAD_NUMBERS}));

TEST(ParseLog, TakesBlankLinesAndAMissingLastLineEnd) {
    const Sim::ParsedLog parsed = ParseLog("\n1 hidinit 4660\n \t\r\n2 Hidwrite 4660 2 8");
    EXPECT_EQ(parsed.badLine, 0);
    ASSERT_EQ(parsed.calls.size(), 2u);
    EXPECT_EQ(parsed.calls[1].value, 8);
    EXPECT_TRUE(ParseLog("").calls.empty());
    EXPECT_EQ(ParseLog("").badLine, 0);
}

// The time a replay leaves on the board's clock: each write costs the write cost, and the
// recorded gap since the previous hidinit or Hidwrite adds what exceeds one write cost.
struct GapCase {
    const char* name;
    const char* log;
    uint32_t writeCost;
    bool countGaps;
    uint64_t now;
};

class GapTest : public ::testing::TestWithParam<GapCase> {};

TEST_P(GapTest, AddsOnlyTheTimeBeyondOneWriteCost) {
    const GapCase& gap = GetParam();
    const Board board = Played(gap.log, gap.writeCost, gap.countGaps);
    EXPECT_EQ(board.NowMicroseconds(), gap.now);
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, GapTest,
    ::testing::Values(
        GapCase{"GapOfOneWriteCost", "0 hidinit 1\n1000 Hidwrite 1 1 65\n2000 Hidwrite 1 1 66\n",
                1000, true, 2000},
        GapCase{"LongGapWaits", "0 hidinit 1\n5000 Hidwrite 1 1 65\n", 1000, true, 5000},
        GapCase{"ShortGapsCostTheWriteCost",
                "0 hidinit 1\n300 Hidwrite 1 1 65\n600 Hidwrite 1 1 66\n", 1000, true, 2000},
        GapCase{"IgnoredGaps", "0 hidinit 1\n5000 Hidwrite 1 1 65\n", 1000, false, 1000},
        GapCase{"NoWriteCost", "0 hidinit 1\n250 Hidwrite 1 1 65\n900 Hidwrite 1 2 0\n", 0, true,
                900},
        GapCase{"HidreadStartsNoGap", "0 hidinit 1\n4000 Hidread 1 1\n5000 Hidwrite 1 1 65\n", 1000,
                true, 5000},
        GapCase{"HidinitStartsAGap", "0 Hidwrite 1 1 65\n9000 hidinit 1\n9500 Hidwrite 1 1 66\n", 0,
                true, 500},
        GapCase{"ClockGoingBackMakesNoGap", "5000 hidinit 1\n1000 Hidwrite 1 1 65\n", 1000, true,
                1000},
        GapCase{"FirstCallAWrite", "7000 Hidwrite 1 1 65\n", 1000, true, 1000},
        GapCase{"OnlyHidinitAndHidread", "0 hidinit 1\n9000 Hidread 1 1\n", 1000, true, 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Writes 100 us apart: at the default cost each takes a USB frame, and the clear is over
// before the next transfer; at cost 0 the recorded gaps alone count, and the two letters
// land during the clear. Writes count whatever handle they carry.
TEST(Replay, ShowsWhatTheRunShowedWithTheSameCounts) {
    std::string log = "0 hidinit 0\n";
    int64_t time = 0;
    for (const int code : {0x38, 0x0C, 0x01}) {
        LogCycle(log, time, 100, code, INSTRUCTION);
    }
    LogCycle(log, time, 100, 'H', DATA);
    LogCycle(log, time, 100, 'i', DATA);
    const std::string blank(16, ' ');
    EXPECT_EQ(Sim::DisplayReport(Played(log, 1000, true)),
              "Hi" + blank.substr(2) + "\n" + blank + "\nviolations 0 writes 20\n");
    EXPECT_EQ(Sim::DisplayReport(Played(log, 0, true)),
              "Hi" + blank.substr(2) + "\n" + blank + "\nviolations 2 writes 20\n");
}

TEST(Replay, KeepsTheRecordedPaceWithLongPausesShortened) {
    Sim::ParsedLog parsed = ParseLog("0 hidinit 1\n1000 Hidwrite 1 1 65\n5001000 Hidwrite 1 1 66\n"
                                     "5001500 Hidwrite 1 1 67\n5000000 Hidread 1 1\n");
    Board board;
    Replay replay(std::move(parsed.calls), true);
    const struct {
        uint64_t elapsed;
        size_t played;
        uint64_t nextDue;
    } steps[] = {{0, 1, 1000},
                 {999, 1, 1000},
                 {1000, 2, 1000 + Replay::MAX_PAUSE_US},
                 {1000 + Replay::MAX_PAUSE_US, 3, 1500 + Replay::MAX_PAUSE_US},
                 {1500 + Replay::MAX_PAUSE_US, 5, 1500 + Replay::MAX_PAUSE_US}};
    for (const auto& step : steps) {
        replay.PlayUntil(step.elapsed, board);
        EXPECT_EQ(replay.Played(), step.played) << step.elapsed;
        EXPECT_EQ(replay.NextDueMicroseconds(), step.nextDue) << step.elapsed;
    }
    EXPECT_TRUE(replay.Finished());
    EXPECT_FALSE(replay.PlayUntil(UINT64_MAX, board));
    // The virtual time keeps the whole pause.
    EXPECT_EQ(board.NowMicroseconds(), 5002000u);
    EXPECT_EQ(board.DataBus(), 67);
}

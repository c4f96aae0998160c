// KORVAN3.exe's screens played into the simulator's model at a board's pace.
#include "board.h"
#include "keep_up.h"
#include "recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The model's line for a busy transfer, without its time stamp and what is left of the wait.
std::string Transfer(const std::string& line) {
    const size_t start = line.find("VIOLATION: ") + 11;
    return line.substr(start, line.find(" while") - start);
}

} // namespace

TEST(KeepUp, TheWholeSessionReachesTheModel) {
    const KeepUp::Outcome outcome = KeepUp::Run(Recorder::Record(KeepUp::ShowSession), 1000);
    // Bring-up 7, splash 2 x 17, the click 1 + 2 x 17, the goodbye 1 + 15.
    EXPECT_EQ(outcome.transfers, 7u + 34u + 35u + 16u);
}

TEST(KeepUp, AtARealBoardsPaceNothingMeetsABusyDisplay) {
    const KeepUp::Outcome outcome =
        KeepUp::Run(Recorder::Record(KeepUp::ShowSession), Sim::Board::DEFAULT_WRITE_COST_US);
    EXPECT_EQ(outcome.busyTransfers, 0);
    EXPECT_TRUE(outcome.busy.empty());
}

// At 200 us a write, a clear's 1520 us outlast the four writes of the next cycle but not
// the eight of two: the transfer right after each of the three clears is busy.
TEST(KeepUp, AtAFastBoardsPaceTheTransferAfterEachClearMeetsABusyDisplay) {
    const KeepUp::Outcome outcome = KeepUp::Run(Recorder::Record(KeepUp::ShowSession), 200);
    EXPECT_EQ(outcome.busyTransfers, 3);
    ASSERT_EQ(outcome.busy.size(), 3u);
    EXPECT_EQ(Transfer(outcome.busy[0]), "I 0x06"); // bring-up: the entry mode
    EXPECT_EQ(Transfer(outcome.busy[1]), "I 0x80"); // the click: row 0's address
    EXPECT_EQ(Transfer(outcome.busy[2]), "D 0x20"); // the goodbye's first character
}

TEST(KeepUp, TheLeastSafePaceIsAClearSpreadOverOneCycle) {
    const std::vector<Sim::WriteOrWait> session = Recorder::Record(KeepUp::ShowSession);
    const uint32_t least = KeepUp::LeastSafeWriteCost(session);
    EXPECT_EQ(least, 1520u / 4u);
    EXPECT_EQ(KeepUp::Run(session, least).busyTransfers, 0);
    EXPECT_EQ(KeepUp::Run(session, least - 1).busyTransfers, 3);
}

// At 5 us a write a cycle takes 20 us, less than an instruction's 37: the interface resets
// are spared by the program's waits before them, the function set after them is not.
TEST(KeepUp, TheProgramsWaitsCount) {
    const KeepUp::Outcome outcome = KeepUp::Run(Recorder::Record(KeepUp::ShowSession), 5);
    std::vector<std::string> transfers;
    for (const std::string& line : outcome.busy) {
        transfers.push_back(Transfer(line));
    }
    EXPECT_EQ(std::count(transfers.begin(), transfers.end(), "I 0x30"), 0);
    EXPECT_EQ(std::count(transfers.begin(), transfers.end(), "I 0x38"), 1);
}

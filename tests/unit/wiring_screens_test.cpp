// The screens of hid2check --wiring, shown on simulated boards wired as LCDSIM's --miswire
// reads each screen's own claim, and on boards with faults no screen can make up for.
//
// The display reads a claim when row 0, without the blank cells at either end, is exactly
// one screen's claim: a claim shifted along the row is still read by a user, so it counts.
#include "board.h"
#include "texts.h"
#include "wiring.h"
#include "wiring_screens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using WiringScreens::Claim;
using WiringScreens::ScreenCount;

namespace {

// A board fast enough that only a missing wait makes a transfer collide.
constexpr uint32_t FAST_WRITE_COST_US = 10;
constexpr int NO_CLAIM = -1;
// The first screens, the neighbour exchanges and the like, are those a user was once shown
// in a row: among them only the board's own reads as a claim. What each later screen shows
// under another wiring the dialogue takes from the model (wiring_dialogue_test.cpp).
constexpr int SCREENS_IN_A_ROW = 13;

// The board's lines toward the display, as --miswire names them.
const std::vector<std::string> LINES = {"D0", "D1", "D2", "D3", "D4", "D5",
                                        "D6", "D7", "RS", "E",  "AUX"};

Sim::Wiring WiringOf(const std::string& text) {
    std::string badItem;
    const auto wiring = Sim::Wiring::Parse(text, badItem);
    EXPECT_TRUE(wiring.has_value()) << text << ": " << badItem;
    return wiring.value_or(Sim::Wiring());
}

// The wiring a screen assumes, as the simulator reads the screen's own claim.
Sim::Wiring Assumed(int screen) {
    return screen == 0 ? Sim::Wiring() : WiringOf(std::string(Claim(screen)));
}

int ClaimRead(const Sim::Board& board) {
    const std::string text = Hid2checkTexts::Trimmed(board.RowText(0));
    for (int screen = 0; screen < ScreenCount(); ++screen) {
        if (text == Claim(screen)) {
            return screen;
        }
    }
    return NO_CLAIM;
}

std::string Padded(const std::string& text) {
    return text + std::string(16 - text.size(), ' ');
}

// Shows `screen`; returns how many transfers met a busy display from the screen's first
// wait on. Before it, what an earlier screen left may still be running.
int ShowOn(Sim::Board& board, int screen) {
    const std::vector<Sim::WriteOrWait> steps = WiringScreens::Recorded(screen, "");
    const auto firstWait = std::find_if(steps.begin(), steps.end(), [](const auto& step) {
        return step.kind == Sim::WriteOrWait::Kind::WAIT;
    });
    board.Play({steps.begin(), firstWait});
    const int atFirstWait = board.Violations();
    board.Play({firstWait, steps.end()});
    return board.Violations() - atFirstWait;
}

// Instructions written as `screen`'s wiring needs them, leaving the display in some state.
void Prepare(Sim::Board& board, int screen, const std::vector<uint8_t>& instructions) {
    for (const uint8_t code : instructions) {
        const WiringScreens::Pins pins{code, false, false, false};
        auto strobed = pins;
        strobed.e = true;
        for (const auto& step : {pins, strobed, pins}) {
            const WiringScreens::PortValues ports = WiringScreens::Compensate(screen, step);
            board.WritePort(1, ports.data);
            board.WritePort(2, ports.control);
        }
    }
}

struct StartState {
    const char* name;
    std::vector<uint8_t> instructions;
};

const std::vector<StartState> START_STATES = {
    {"power-on", {}},
    {"a clear just begun", {0x38, 0x0C, 0x01}},
    {"4-bit between bytes", {0x28}},
    {"4-bit half-way through a byte", {0x28, 0x80}},
    {"display off, shifted, decrementing, CGRAM", {0x38, 0x1C, 0x1C, 0x04, 0x08, 0x40}},
    {"one line, shift on entry, cursor blinking", {0x34, 0x07, 0x0F, 0x85}},
};

// Every screen from every start state, each on a fresh board: the screen that assumes the
// board's wiring reads its own claim; of the screens shown in a row, no other reads a claim.
TEST(WiringPairTable, OnlyTheScreenOfTheBoardsWiringReadsAsAClaim) {
    // The correct wiring, the 55 exchanges, the bus reversed.
    ASSERT_EQ(ScreenCount(), 57);
    for (int wiring = 0; wiring < ScreenCount(); ++wiring) {
        for (int screen = 0; screen < ScreenCount(); ++screen) {
            if (screen != wiring && (screen >= SCREENS_IN_A_ROW || wiring >= SCREENS_IN_A_ROW)) {
                continue;
            }
            for (const StartState& start : START_STATES) {
                Sim::Board board(FAST_WRITE_COST_US, Assumed(wiring));
                Prepare(board, wiring, start.instructions);
                const int busy = ShowOn(board, screen);
                EXPECT_EQ(ClaimRead(board), screen == wiring ? wiring : NO_CLAIM)
                    << "board " << Claim(wiring) << ", screen " << screen << " from " << start.name
                    << ": row 0 \"" << board.RowText(0) << "\"";
                if (screen == wiring) {
                    EXPECT_EQ(board.RowText(1), Padded("screen " + std::to_string(screen)))
                        << Claim(wiring) << " from " << start.name;
                    EXPECT_EQ(busy, 0) << Claim(wiring) << " from " << start.name;
                }
            }
        }
    }
}

// All screens one after another, forwards and backwards, on one board: whatever an earlier
// screen left, the display reads a claim only right after the board's own screen.
TEST(WiringPairTable, ScreensInARowReadOnlyAfterTheBoardsOwn) {
    for (const bool backwards : {false, true}) {
        for (int wiring = 0; wiring < SCREENS_IN_A_ROW; ++wiring) {
            Sim::Board board(FAST_WRITE_COST_US, Assumed(wiring));
            for (int i = 0; i < SCREENS_IN_A_ROW; ++i) {
                const int screen = backwards ? SCREENS_IN_A_ROW - 1 - i : i;
                const int busy = ShowOn(board, screen);
                EXPECT_EQ(ClaimRead(board), screen == wiring ? wiring : NO_CLAIM)
                    << "board " << Claim(wiring) << ", screen " << screen
                    << (backwards ? " backwards" : "") << ": row 0 \"" << board.RowText(0) << "\"";
                if (screen == wiring) {
                    EXPECT_EQ(busy, 0) << Claim(wiring);
                }
            }
        }
    }
}

// Faults that lose a line, or that no screen shown in a row assumes.
std::vector<std::string> UncoveredFaults() {
    std::vector<std::string> faults = {"RW=1", "RW=open", "bus=up", "bus=down"};
    // Every pin of the display, which AUX is not.
    for (size_t pin = 0; pin + 1 < LINES.size(); ++pin) {
        for (const char* level : {"=0", "=1", "=open"}) {
            faults.push_back(LINES[pin] + level);
        }
    }
    for (size_t a = 0; a < LINES.size(); ++a) {
        for (size_t b = a + 1; b < LINES.size(); ++b) {
            bool covered = false;
            for (int screen = 1; screen < SCREENS_IN_A_ROW; ++screen) {
                covered = covered || Claim(screen) == LINES[a] + ":" + LINES[b] ||
                          Claim(screen) == LINES[b] + ":" + LINES[a];
            }
            if (!covered) {
                faults.push_back(LINES[a] + ":" + LINES[b]);
            }
        }
    }
    return faults;
}

TEST(WiringUncovered, NoScreenEverReadsAsAClaim) {
    const std::vector<std::string> faults = UncoveredFaults();
    // 30 lines held or open, R/W twice, the bus shifted twice, 55 exchanges less 11 covered.
    EXPECT_EQ(faults.size(), 30u + 2u + 2u + 44u);
    for (const std::string& fault : faults) {
        Sim::Board inARow(FAST_WRITE_COST_US, WiringOf(fault));
        for (int screen = 0; screen < SCREENS_IN_A_ROW; ++screen) {
            ShowOn(inARow, screen);
            EXPECT_EQ(ClaimRead(inARow), NO_CLAIM)
                << fault << ", screen " << screen << " in a row: \"" << inARow.RowText(0) << "\"";
            Sim::Board alone(FAST_WRITE_COST_US, WiringOf(fault));
            ShowOn(alone, screen);
            EXPECT_EQ(ClaimRead(alone), NO_CLAIM)
                << fault << ", screen " << screen << " alone: \"" << alone.RowText(0) << "\"";
        }
    }
}

// Three lines each moved to the next one's pin: no screen assumes it, none may read.
TEST(WiringUncovered, NoThreeLinesRotatedReadAsAClaim) {
    int rotations = 0;
    for (size_t a = 0; a < LINES.size(); ++a) {
        for (size_t b = 0; b < LINES.size(); ++b) {
            for (size_t c = 0; c < LINES.size(); ++c) {
                // Each rotation once: from its lowest line, one way or the other.
                if (a >= b || a >= c || b == c) {
                    continue;
                }
                const std::string fault =
                    LINES[a] + ":" + LINES[b] + "," + LINES[b] + ":" + LINES[c];
                for (int screen = 0; screen < SCREENS_IN_A_ROW; ++screen) {
                    Sim::Board board(FAST_WRITE_COST_US, WiringOf(fault));
                    ShowOn(board, screen);
                    EXPECT_EQ(ClaimRead(board), NO_CLAIM)
                        << fault << ", screen " << screen << ": \"" << board.RowText(0) << "\"";
                }
                ++rotations;
            }
        }
    }
    EXPECT_EQ(rotations, 11 * 10 * 9 / 3);
}

// On the correct wiring, screen 0 drives the lines as KORVAN3.exe does: every cycle the
// data port, then the control port with E low, high and low again. The auxiliary line,
// which reaches no pin, may rise with E.
TEST(WiringScreen0, UsesTheProgramsWriteCycle) {
    std::vector<std::pair<int, int>> writes;
    WiringScreens::Write(
        0, "", [&writes](int port, int value) { writes.emplace_back(port, value); }, [](int) {});
    ASSERT_EQ(writes.size() % 4, 2u);
    for (size_t i = 2; i < writes.size(); i += 4) {
        const int control = writes[i + 1].second;
        EXPECT_EQ(writes[i].first, 1) << "write " << i;
        EXPECT_EQ(writes[i + 1].first, 2) << "write " << i + 1;
        EXPECT_EQ(control & ~1, 0) << "write " << i + 1;
        EXPECT_EQ(writes[i + 2], std::make_pair(2, control | 8 | (writes[i + 2].second & 2)))
            << "write " << i + 2;
        EXPECT_EQ(writes[i + 3], std::make_pair(2, control)) << "write " << i + 3;
    }
}

} // namespace

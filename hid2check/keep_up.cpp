// KORVAN3.exe's screens played into the model at a board's pace, and the warning when it is too
// fast.
#include "keep_up.h"

#include "board.h"
#include "lcd_screens.h"
#include "texts.h"

#include <string_view>

namespace KeepUp {
namespace {

constexpr std::string_view FULL_ROW_0 = "0123456789ABCDEF";
constexpr std::string_view FULL_ROW_1 = "abcdefghijklmnop";

constexpr std::string_view VIOLATION = "VIOLATION";

bool KeepsUp(const std::vector<Sim::WriteOrWait>& session, uint32_t writeCostMicroseconds) {
    return Run(session, writeCostMicroseconds).busyTransfers == 0;
}

} // namespace

void ShowSession() {
    LcdScreens::BringUp();
    LcdScreens::ShowSplash();
    LcdScreens::ShowUserText(FULL_ROW_0, FULL_ROW_1);
    LcdScreens::ShowGoodbye();
}

void ShowTestScreen(const char* secondRow) {
    LcdScreens::BringUp();
    LcdScreens::ShowUserText("hid2check OK", secondRow);
}

Outcome Run(const std::vector<Sim::WriteOrWait>& session, uint32_t writeCostMicroseconds) {
    Sim::Board board(writeCostMicroseconds);
    board.Play(session);
    Outcome outcome;
    outcome.transfers = board.Transfers();
    outcome.busyTransfers = board.Violations();
    for (const std::string& line : board.Trace()) {
        if (line.find(VIOLATION) != std::string::npos) {
            outcome.busy.push_back(line);
        }
    }
    return outcome;
}

// A slower board only spreads the same transfers further apart, so the cost that keeps up
// is a threshold: found by doubling, then by halving the interval. The doubling ends, at
// the latest, once a single write outlasts the slowest instruction.
uint32_t LeastSafeWriteCost(const std::vector<Sim::WriteOrWait>& session) {
    if (KeepsUp(session, 0)) {
        return 0;
    }
    uint32_t busy = 0;
    uint32_t safe = 1;
    while (!KeepsUp(session, safe)) {
        busy = safe;
        safe *= 2;
    }
    while (safe - busy > 1) {
        const uint32_t middle = busy + (safe - busy) / 2;
        if (KeepsUp(session, middle)) {
            safe = middle;
        } else {
            busy = middle;
        }
    }
    return safe;
}

std::optional<std::string> Warning(const std::vector<Sim::WriteOrWait>& session,
                                   double milliseconds) {
    using Hid2checkTexts::Decimals;
    const Outcome outcome = Run(session, static_cast<uint32_t>(milliseconds * 1000.0));
    if (outcome.busyTransfers == 0) {
        return std::nullopt;
    }
    return Hid2checkTexts::Say(Hid2checkTexts::Id::KEEP_UP_WARNING,
                               {Decimals(milliseconds, 3), std::to_string(outcome.busyTransfers),
                                std::to_string(outcome.transfers),
                                Decimals(LeastSafeWriteCost(session) / 1000.0, 3)});
}

} // namespace KeepUp

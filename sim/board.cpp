#include "board.h"

#include "charset.h"
#include "usbio_link.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace Sim {
namespace {

// Dropping the oldest lines a batch at a time keeps a long run from moving the whole
// trace on every transfer.
constexpr size_t TRACE_DROP = Board::MAX_TRACE / 8;

std::string TimeStamp(uint64_t microseconds) {
    return "t=" + std::to_string(microseconds) + "us ";
}

} // namespace

Board::Board(uint32_t writeCostMicroseconds, Wiring lcdWiring, ControllerChoices controllerChoices)
    : lcd(controllerChoices), writeCost(writeCostMicroseconds), wiring(std::move(lcdWiring)),
      pins(wiring.Pins(dataBus, control)) {}

void Board::Rewire(Wiring lcdWiring, ControllerChoices controllerChoices) {
    wiring = std::move(lcdWiring);
    lcd.Choose(controllerChoices);
}

// Every call is a round trip to the board, whatever the port, so the time passes before
// the lines move.
void Board::WritePort(int port, int value) {
    now += writeCost;
    ++portWrites;
    const auto level = static_cast<uint8_t>(value & 0xFF);
    if (port == UsbIoLink::DATA_PORT) {
        dataBus = level;
    } else if (port == UsbIoLink::CONTROL_PORT) {
        control = level;
    } else {
        return;
    }
    // The chip needs the bus and RS held past the falling edge of E, so a change made
    // in the same write as the edge is taken or not as the controller choices say. A
    // mis-wired E may fall on a write of either port.
    const LcdPins before = pins;
    pins = wiring.Pins(dataBus, control);
    if (before.e && !pins.e) {
        if (before.data != pins.data || before.rs != pins.rs) {
            cornersMet |= ControllerChoices::EDGE;
        }
        LatchTransfer(Choices().edge == ControllerChoices::Edge::AFTER ? pins : before);
    }
}

void Board::Wait(uint64_t microseconds) {
    now += microseconds;
}

void Board::ForgetCornersMet() {
    cornersMet = 0;
    lcd.ForgetCornersMet();
}

bool Board::SameState(const Board& other) const {
    const auto busyFor = [](const Board& board) {
        return board.busyUntil > board.now ? board.busyUntil - board.now : 0;
    };
    return lcd == other.lcd && dataBus == other.dataBus && control == other.control &&
           pins == other.pins && busyFor(*this) == busyFor(other);
}

void Board::Play(const std::vector<WriteOrWait>& steps) {
    for (const WriteOrWait& step : steps) {
        if (step.kind == WriteOrWait::Kind::WAIT) {
            Wait(static_cast<uint64_t>(step.value) * 1000);
        } else {
            WritePort(step.port, step.value);
        }
    }
}

// A transfer into a busy display is undefined on the chip (it may be lost or land
// half-done); the model reports it and then, unless the controller choices have it lost,
// executes it anyway, so one mistake does not hide everything that follows. The busy
// flag stays set until the latest instruction ends: a transfer may extend the busy time,
// never cut it short, so one that executes nothing (the first half of a 4-bit byte,
// 0x00) leaves a clear's 1520 us running.
//
// With R/W high the strobe is a read: the controller drives the bus and takes nothing.
void Board::LatchTransfer(const LcdPins& latched) {
    if (!wiring.RwGrounded()) {
        if (keepTrace) {
            AddTrace(TimeStamp(now) + "R/W high: the display is read, takes nothing");
        }
        return;
    }
    ++transfers;
    const char* kind = latched.rs ? "D " : "I ";
    if (now < busyUntil) {
        ++violations;
        cornersMet |= ControllerChoices::BUSY;
        const bool lost = Choices().busy == ControllerChoices::Busy::LOST;
        if (keepTrace) {
            AddTrace(TimeStamp(now) + "VIOLATION: " + kind + Hex(latched.data) +
                     " while busy for " + std::to_string(busyUntil - now) + "us more" +
                     (lost ? ", lost" : ""));
        }
        if (lost) {
            return;
        }
    }
    lcd.Latch(latched.rs, latched.data);
    busyUntil = std::max(busyUntil, now + lcd.LastExecutionMicroseconds());
    if (!keepTrace) {
        return;
    }
    if (lcd.AwaitingLowNibble()) {
        AddTrace(TimeStamp(now) + kind + Hex(latched.data) + " high half of a 4-bit transfer");
    } else if (latched.rs) {
        AddTrace(TimeStamp(now) + kind + Hex(lcd.DataRegister()));
    } else {
        AddTrace(TimeStamp(now) + kind + Hex(lcd.InstructionRegister()) + " " +
                 DescribeInstruction(lcd.InstructionRegister()) +
                 (lcd.LastIgnored() ? " - ignored after other instructions" : ""));
    }
}

void Board::AddTrace(std::string line) {
    if (!keepTrace) {
        return;
    }
    if (trace.size() >= MAX_TRACE) {
        trace.erase(trace.begin(), trace.begin() + static_cast<std::ptrdiff_t>(TRACE_DROP));
    }
    trace.push_back(std::move(line));
}

std::string Board::RowText(int row) const {
    if (row < 0 || row >= Hd44780::ROWS) {
        return "";
    }
    std::string text;
    for (int column = 0; column < Hd44780::VISIBLE_COLUMNS; ++column) {
        const int code = lcd.VisibleCode(row, column);
        std::string cell = code < 0 ? std::string(" ") : CodeToUtf8(static_cast<uint8_t>(code));
        if (row == 0 && lcd.RowOfBoxes() && cell == " ") {
            cell = BOX;
        }
        text += cell;
    }
    return text;
}

} // namespace Sim

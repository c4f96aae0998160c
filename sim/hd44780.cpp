#include "hd44780.h"

#include "hd44780_instructions.h"

namespace Sim {
namespace {

using namespace Hd44780Instructions;

constexpr uint8_t CGRAM_ADDRESS_MASK = 0x3F;
constexpr uint8_t DDRAM_ADDRESS_MASK = 0x7F;

// DDRAM addresses: two lines of 40 at 0x00-0x27 and 0x40-0x67, or one line of 80 at
// 0x00-0x4F.
constexpr int TWO_LINE_LENGTH = 40;
constexpr int ONE_LINE_LENGTH = 80;
constexpr uint8_t LINE_0_START = 0x00;
constexpr uint8_t LINE_0_END = 0x27;
constexpr uint8_t LINE_1_START = 0x40;
constexpr uint8_t LINE_1_END = 0x67;
constexpr uint8_t ONE_LINE_END = 0x4F;

constexpr uint8_t BLANK = 0x20;

// Execution times at the datasheet's 270 kHz oscillator.
constexpr uint32_t CLEAR_OR_HOME_US = 1520;
constexpr uint32_t OTHER_INSTRUCTION_US = 37;

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

} // namespace

Hd44780::Hd44780() {
    PowerOn();
}

// CGRAM contents are undefined after power-on on the chip; the model starts them at zero.
void Hd44780::PowerOn() {
    instructionRegister = 0;
    dataRegister = 0;
    addressCounter = 0;
    addressesCgram = false;
    ddram.fill(BLANK);
    cgram.fill(0);
    increment = true;
    shiftOnWrite = false;
    displayOn = false;
    cursorOn = false;
    blinkOn = false;
    eightBitInterface = true;
    twoLines = false;
    font5x10 = false;
    displayShift = 0;
    lastExecutionMicroseconds = 0;
    awaitingLowNibble = false;
    highNibble = 0;
}

void Hd44780::Latch(bool rs, uint8_t bus) {
    uint8_t byte = bus;
    if (!eightBitInterface) {
        // Only D4-D7 are read. Between the halves the chip is not busy. The register
        // select of the second half decides where the byte goes.
        if (!awaitingLowNibble) {
            highNibble = static_cast<uint8_t>(bus & 0xF0);
            awaitingLowNibble = true;
            lastExecutionMicroseconds = 0;
            return;
        }
        awaitingLowNibble = false;
        byte = static_cast<uint8_t>(highNibble | (bus >> 4));
    }
    if (rs) {
        WriteData(byte);
    } else {
        Execute(byte);
    }
}

void Hd44780::Execute(uint8_t instruction) {
    instructionRegister = instruction;
    // 0x00 is no instruction at all; the chip does nothing with it and takes no time.
    lastExecutionMicroseconds = instruction == 0 ? 0 : OTHER_INSTRUCTION_US;
    if ((instruction & SET_DDRAM_ADDRESS) != 0) {
        // Set DDRAM address.
        addressesCgram = false;
        addressCounter = ValidDdramAddress(instruction & DDRAM_ADDRESS_MASK);
    } else if ((instruction & SET_CGRAM_ADDRESS) != 0) {
        // Set CGRAM address.
        addressesCgram = true;
        addressCounter = instruction & CGRAM_ADDRESS_MASK;
    } else if ((instruction & FUNCTION_SET) != 0) {
        // Function set. The 5x10 font exists only with one line; with two the F bit is
        // ignored. A counter or shift that the old line layout allowed and the new one
        // does not is brought back into range, so that it always names a real cell.
        eightBitInterface = (instruction & EIGHT_BIT_BUS) != 0;
        twoLines = (instruction & TWO_LINES) != 0;
        font5x10 = !twoLines && (instruction & FONT_5X10) != 0;
        if (eightBitInterface) {
            awaitingLowNibble = false;
        }
        if (!addressesCgram) {
            addressCounter = ValidDdramAddress(addressCounter);
        }
        displayShift %= LineLength();
    } else if ((instruction & CURSOR_OR_DISPLAY_SHIFT) != 0) {
        // Cursor or display shift. Moving the cursor moves the address counter; shifting
        // the display leaves it and the RAM alone.
        const bool right = (instruction & SHIFT_RIGHT) != 0;
        if ((instruction & SHIFT_DISPLAY) != 0) {
            ShiftDisplay(!right);
        } else {
            StepAddressCounter(right);
        }
    } else if ((instruction & DISPLAY_CONTROL) != 0) {
        // Display on/off control.
        displayOn = (instruction & DISPLAY_ON) != 0;
        cursorOn = (instruction & CURSOR_ON) != 0;
        blinkOn = (instruction & BLINK_ON) != 0;
    } else if ((instruction & ENTRY_MODE_SET) != 0) {
        // Entry mode set.
        increment = (instruction & ENTRY_INCREMENT) != 0;
        shiftOnWrite = (instruction & ENTRY_SHIFT) != 0;
    } else if ((instruction & RETURN_HOME) != 0) {
        // Return home: the display and the cursor go back, DDRAM keeps its contents.
        addressesCgram = false;
        addressCounter = LINE_0_START;
        displayShift = 0;
        lastExecutionMicroseconds = CLEAR_OR_HOME_US;
    } else if ((instruction & CLEAR_DISPLAY) != 0) {
        // Clear display: I/D goes back to increment, S stays as it was.
        ddram.fill(BLANK);
        addressesCgram = false;
        addressCounter = LINE_0_START;
        displayShift = 0;
        increment = true;
        lastExecutionMicroseconds = CLEAR_OR_HOME_US;
    }
}

void Hd44780::WriteData(uint8_t code) {
    dataRegister = code;
    if (addressesCgram) {
        // The three high bits of a CGRAM row are not shown but are kept as plain RAM.
        cgram[addressCounter] = code;
        StepAddressCounter(increment);
    } else {
        ddram[static_cast<size_t>(DdramIndex(addressCounter))] = code;
        StepAddressCounter(increment);
        if (shiftOnWrite) {
            // The display follows the cursor: left when incrementing, right when not,
            // so the cursor keeps its place on the glass.
            ShiftDisplay(increment);
        }
    }
    lastExecutionMicroseconds = OTHER_INSTRUCTION_US;
}

// The counter runs from the end of one line straight to the start of the other, in both
// directions; CGRAM addresses simply wrap in 6 bits.
void Hd44780::StepAddressCounter(bool up) {
    if (addressesCgram) {
        addressCounter = static_cast<uint8_t>((addressCounter + (up ? 1 : -1)) & 0x3F);
        return;
    }
    if (twoLines) {
        if (up) {
            if (addressCounter == LINE_0_END) {
                addressCounter = LINE_1_START;
            } else if (addressCounter == LINE_1_END) {
                addressCounter = LINE_0_START;
            } else {
                ++addressCounter;
            }
        } else {
            if (addressCounter == LINE_1_START) {
                addressCounter = LINE_0_END;
            } else if (addressCounter == LINE_0_START) {
                addressCounter = LINE_1_END;
            } else {
                --addressCounter;
            }
        }
    } else {
        if (up) {
            addressCounter = addressCounter == ONE_LINE_END
                                 ? LINE_0_START
                                 : static_cast<uint8_t>(addressCounter + 1);
        } else {
            addressCounter = addressCounter == LINE_0_START
                                 ? ONE_LINE_END
                                 : static_cast<uint8_t>(addressCounter - 1);
        }
    }
}

void Hd44780::ShiftDisplay(bool left) {
    const int length = LineLength();
    displayShift = (displayShift + (left ? 1 : length - 1)) % length;
}

// The chip does not say what an address between the lines (two lines: 0x28-0x3F,
// 0x68-0x7F; one line: 0x50-0x7F) does. The model treats it as lying past the end of
// the line it follows and lets it wrap the way the counter would when it runs off
// that end: 0x28-0x3F become 0x40, 0x68-0x7F and 0x50-0x7F become 0x00. So the counter
// always names a real cell.
uint8_t Hd44780::ValidDdramAddress(uint8_t address) const {
    if (twoLines) {
        if (address <= LINE_0_END || (address >= LINE_1_START && address <= LINE_1_END)) {
            return address;
        }
        return address < LINE_1_START ? LINE_1_START : LINE_0_START;
    }
    return address <= ONE_LINE_END ? address : LINE_0_START;
}

// The 80 cells are the same in both modes: the second line of 40 is the upper half of the
// single line of 80.
int Hd44780::DdramIndex(uint8_t address) const {
    if (twoLines && address >= LINE_1_START) {
        return TWO_LINE_LENGTH + (address - LINE_1_START);
    }
    return address;
}

int Hd44780::LineLength() const {
    return twoLines ? TWO_LINE_LENGTH : ONE_LINE_LENGTH;
}

int Hd44780::VisibleCode(int row, int column) const {
    if (!displayOn || row < 0 || row >= ROWS || column < 0 || column >= VISIBLE_COLUMNS) {
        return -1;
    }
    if (!twoLines && row == 1) {
        return -1;
    }
    const int position = (column + displayShift) % LineLength();
    const int index = row == 0 ? position : TWO_LINE_LENGTH + position;
    return ddram[static_cast<size_t>(index)];
}

bool Hd44780::CursorCell(int& row, int& column) const {
    if (addressesCgram) {
        return false;
    }
    const int length = LineLength();
    const int line = twoLines && addressCounter >= LINE_1_START ? 1 : 0;
    const int position = line == 1 ? addressCounter - LINE_1_START : addressCounter;
    const int onGlass = (position - displayShift + length) % length;
    if (onGlass >= VISIBLE_COLUMNS) {
        return false;
    }
    row = line;
    column = onGlass;
    return true;
}

std::string Hex(uint8_t value) {
    constexpr const char* DIGITS = "0123456789ABCDEF";
    std::string text = "0x";
    text += DIGITS[value >> 4];
    text += DIGITS[value & 0x0F];
    return text;
}

std::string DescribeInstruction(uint8_t code) {
    if ((code & SET_DDRAM_ADDRESS) != 0) {
        return "set DDRAM address " + Hex(code & DDRAM_ADDRESS_MASK);
    }
    if ((code & SET_CGRAM_ADDRESS) != 0) {
        return "set CGRAM address " + Hex(code & CGRAM_ADDRESS_MASK);
    }
    if ((code & FUNCTION_SET) != 0) {
        return std::string("function set: ") + ((code & EIGHT_BIT_BUS) != 0 ? "8-bit" : "4-bit") +
               ((code & TWO_LINES) != 0 ? ", 2 lines" : ", 1 line") +
               ((code & FONT_5X10) != 0 ? ", 5x10" : ", 5x8");
    }
    if ((code & CURSOR_OR_DISPLAY_SHIFT) != 0) {
        return std::string("cursor or display shift: ") +
               ((code & SHIFT_DISPLAY) != 0 ? "display" : "cursor") +
               ((code & SHIFT_RIGHT) != 0 ? " right" : " left");
    }
    if ((code & DISPLAY_CONTROL) != 0) {
        return "display on/off control: display " + OnOff((code & DISPLAY_ON) != 0) + ", cursor " +
               OnOff((code & CURSOR_ON) != 0) + ", blink " + OnOff((code & BLINK_ON) != 0);
    }
    if ((code & ENTRY_MODE_SET) != 0) {
        return std::string("entry mode set: ") +
               ((code & ENTRY_INCREMENT) != 0 ? "increment" : "decrement") +
               ((code & ENTRY_SHIFT) != 0 ? ", shift" : ", no shift");
    }
    if ((code & RETURN_HOME) != 0) {
        return "return home";
    }
    if ((code & CLEAR_DISPLAY) != 0) {
        return "clear display";
    }
    return "no instruction";
}

} // namespace Sim

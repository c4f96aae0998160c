#include "hd44780.h"

#include "hd44780_instructions.h"

#include <bit>

namespace Sim {
namespace {

using namespace Hd44780Instructions;

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

// An instruction code taken apart as the datasheet orders the instructions: the highest set
// bit is the instruction (0 for the code 0x00, which is none), the bits below it its flags
// or, for the two address instructions, the address.
struct Decoded {
    uint8_t instruction;
    uint8_t fields;

    bool Has(uint8_t flag) const { return (fields & flag) != 0; }
};

Decoded Decode(uint8_t code) {
    const uint8_t instruction = std::bit_floor(code);
    return {instruction, static_cast<uint8_t>(code & (instruction - 1))};
}

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

} // namespace

Hd44780::Hd44780(ControllerChoices controllerChoices) : choices(controllerChoices) {
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
    highNibbleRs = false;
    instructedSinceReset = false;
    lastIgnored = false;
}

void Hd44780::Latch(bool rs, uint8_t bus) {
    uint8_t byte = bus;
    lastIgnored = false;
    if (!eightBitInterface) {
        // Only D4-D7 are read. Between the halves the chip is not busy. A second half
        // whose register select differs from the first's either completes the byte,
        // which goes where the second half's RS says, or starts a new one.
        if (awaitingLowNibble && rs != highNibbleRs) {
            cornersMet |= ControllerChoices::NIBBLE;
        }
        const bool restart =
            choices.nibble == ControllerChoices::Nibble::RESTART && rs != highNibbleRs;
        if (!awaitingLowNibble || restart) {
            highNibble = static_cast<uint8_t>(bus & 0xF0);
            highNibbleRs = rs;
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
    const Decoded decoded = Decode(instruction);
    if (decoded.instruction != FUNCTION_SET && instruction != 0) {
        instructedSinceReset = true;
    }
    switch (decoded.instruction) {
    case SET_DDRAM_ADDRESS:
        addressesCgram = false;
        addressCounter = ValidDdramAddress(decoded.fields);
        break;
    case SET_CGRAM_ADDRESS:
        addressesCgram = true;
        addressCounter = decoded.fields;
        break;
    case FUNCTION_SET:
        // The function set comes first; after other instructions the datasheet says it
        // cannot be executed unless it changes the data length. Such a change executes in
        // full and opens the function set again, as power-on does: that is the
        // initialisation by instruction, 8-bit function sets and then the 4-bit one, and
        // the function set after it sets the lines and the font on every chip. 8-bit
        // function sets into an 8-bit interface change no data length and open nothing.
        if (decoded.Has(EIGHT_BIT_BUS) != eightBitInterface) {
            instructedSinceReset = false;
        } else if (instructedSinceReset) {
            const bool lines = decoded.Has(TWO_LINES);
            if (lines != twoLines || (!lines && decoded.Has(FONT_5X10)) != font5x10) {
                cornersMet |= ControllerChoices::LATE_FUNCTION_SET;
            }
            if (choices.lateFunctionSet == ControllerChoices::LateFunctionSet::IGNORED) {
                lastIgnored = true;
                break;
            }
        }
        // The 5x10 font exists only with one line; with two the F bit is ignored. A
        // counter or shift that the old line layout allowed and the new one does not is
        // brought back into range, so that it always names a real cell.
        eightBitInterface = decoded.Has(EIGHT_BIT_BUS);
        twoLines = decoded.Has(TWO_LINES);
        font5x10 = !twoLines && decoded.Has(FONT_5X10);
        if (eightBitInterface) {
            awaitingLowNibble = false;
        }
        if (!addressesCgram) {
            addressCounter = ValidDdramAddress(addressCounter);
        }
        displayShift %= LineLength();
        break;
    case CURSOR_OR_DISPLAY_SHIFT:
        // Moving the cursor moves the address counter; shifting the display leaves it and
        // the RAM alone.
        if (decoded.Has(SHIFT_DISPLAY)) {
            ShiftDisplay(!decoded.Has(SHIFT_RIGHT));
        } else {
            StepAddressCounter(decoded.Has(SHIFT_RIGHT));
        }
        break;
    case DISPLAY_CONTROL:
        displayOn = decoded.Has(DISPLAY_ON);
        cursorOn = decoded.Has(CURSOR_ON);
        blinkOn = decoded.Has(BLINK_ON);
        break;
    case ENTRY_MODE_SET:
        increment = decoded.Has(ENTRY_INCREMENT);
        shiftOnWrite = decoded.Has(ENTRY_SHIFT);
        break;
    case RETURN_HOME:
        // The display and the cursor go back, DDRAM keeps its contents.
        addressesCgram = false;
        addressCounter = LINE_0_START;
        displayShift = 0;
        lastExecutionMicroseconds = CLEAR_OR_HOME_US;
        break;
    case CLEAR_DISPLAY:
        // I/D goes back to increment, S stays as it was.
        ddram.fill(BLANK);
        addressesCgram = false;
        addressCounter = LINE_0_START;
        displayShift = 0;
        increment = true;
        lastExecutionMicroseconds = CLEAR_OR_HOME_US;
        break;
    default:
        break;
    }
}

// A data write is an instruction of the datasheet's table too.
void Hd44780::WriteData(uint8_t code) {
    dataRegister = code;
    instructedSinceReset = true;
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
    const Decoded decoded = Decode(code);
    switch (decoded.instruction) {
    case SET_DDRAM_ADDRESS:
        return "set DDRAM address " + Hex(decoded.fields);
    case SET_CGRAM_ADDRESS:
        return "set CGRAM address " + Hex(decoded.fields);
    case FUNCTION_SET:
        return std::string("function set: ") + (decoded.Has(EIGHT_BIT_BUS) ? "8-bit" : "4-bit") +
               (decoded.Has(TWO_LINES) ? ", 2 lines" : ", 1 line") +
               (decoded.Has(FONT_5X10) ? ", 5x10" : ", 5x8");
    case CURSOR_OR_DISPLAY_SHIFT:
        return std::string("cursor or display shift: ") +
               (decoded.Has(SHIFT_DISPLAY) ? "display" : "cursor") +
               (decoded.Has(SHIFT_RIGHT) ? " right" : " left");
    case DISPLAY_CONTROL:
        return "display on/off control: display " + OnOff(decoded.Has(DISPLAY_ON)) + ", cursor " +
               OnOff(decoded.Has(CURSOR_ON)) + ", blink " + OnOff(decoded.Has(BLINK_ON));
    case ENTRY_MODE_SET:
        return std::string("entry mode set: ") +
               (decoded.Has(ENTRY_INCREMENT) ? "increment" : "decrement") +
               (decoded.Has(ENTRY_SHIFT) ? ", shift" : ", no shift");
    case RETURN_HOME:
        return "return home";
    case CLEAR_DISPLAY:
        return "clear display";
    default:
        return "no instruction";
    }
}

} // namespace Sim

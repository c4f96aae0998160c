// A model of the HD44780 dot-matrix LCD controller, register by register, as its
// datasheet describes it. It sees only latched bus transfers; the wiring and timing of
// the USB-IO board live in board.h.
#pragma once

#include "controller_choices.h"

#include <array>
#include <cstdint>
#include <string>

namespace Sim {

class Hd44780 {
  public:
    static constexpr int DDRAM_SIZE = 80;
    static constexpr int CGRAM_SIZE = 64;
    static constexpr int VISIBLE_COLUMNS = 16;
    static constexpr int ROWS = 2;

    // The state the internal reset circuit leaves at power-on: 8-bit interface, one
    // line, 5x8 font, display, cursor and blink off, increment without shift, DDRAM
    // blank (0x20), address counter 0 pointing into DDRAM, display not shifted.
    explicit Hd44780(ControllerChoices controllerChoices = {});
    void PowerOn();

    // Where the datasheet leaves the chip's behaviour open. Choosing again keeps every
    // register and the RAM: the next transfer meets the new choices.
    const ControllerChoices& Choices() const { return choices; }
    void Choose(ControllerChoices controllerChoices) { choices = controllerChoices; }

    // One transfer latched on the falling edge of E: an instruction (rs false) or a
    // character written to DDRAM or CGRAM (rs true), whichever the last address
    // instruction selected. With a 4-bit interface a byte takes two transfers on D4-D7,
    // high nibble first; the first one only waits for the second.
    void Latch(bool rs, uint8_t bus);
    // True between the two halves of a byte on a 4-bit interface.
    bool AwaitingLowNibble() const { return awaitingLowNibble; }
    // True when the transfer last latched was a function set the chip did not execute
    // (ControllerChoices::LateFunctionSet::IGNORED).
    bool LastIgnored() const { return lastIgnored; }
    // The corners (ControllerChoices::Corner bits) met since the last ForgetCornersMet:
    // where another choice could have done otherwise.
    uint8_t CornersMet() const { return cornersMet; }
    void ForgetCornersMet() { cornersMet = 0; }
    bool operator==(const Hd44780&) const = default;

    // Execution time of the transfer last latched, in microseconds: 1520 for clear
    // display and return home, 37 for the other instructions and for data writes, 0 for
    // what executes nothing (the first half of a 4-bit byte, code 0x00).
    uint32_t LastExecutionMicroseconds() const { return lastExecutionMicroseconds; }

    // Registers.
    uint8_t InstructionRegister() const { return instructionRegister; }
    uint8_t DataRegister() const { return dataRegister; }
    uint8_t AddressCounter() const { return addressCounter; }
    bool AddressesCgram() const { return addressesCgram; }
    const std::array<uint8_t, DDRAM_SIZE>& Ddram() const { return ddram; }
    const std::array<uint8_t, CGRAM_SIZE>& Cgram() const { return cgram; }

    // Modes.
    bool Increment() const { return increment; }
    bool ShiftOnWrite() const { return shiftOnWrite; }
    bool DisplayOn() const { return displayOn; }
    bool CursorOn() const { return cursorOn; }
    bool BlinkOn() const { return blinkOn; }
    bool EightBitInterface() const { return eightBitInterface; }
    bool TwoLines() const { return twoLines; }
    bool Font5x10() const { return font5x10; }
    // How many positions the display is shifted to the left: 0 to 39 with two lines of
    // 40 characters, 0 to 79 with the single line of 80.
    int DisplayShift() const { return displayShift; }
    // In one-line mode the controller drives the glass at the one-line duty, so at a
    // contrast set for two lines every dot of row 0 shows dark: a row of boxes, with the
    // characters on them where the display is on; row 1 stays blank. A function set for
    // two lines makes the boxes go.
    bool RowOfBoxes() const { return !twoLines; }

    // The character code shown at a visible cell (row 0 or 1, column 0 to 15), taking
    // the display shift and the line mode into account; -1 when the cell is dark
    // (display off, or row 1 in one-line mode).
    int VisibleCode(int row, int column) const;
    // The visible cell the cursor is on, or false when it is outside the 16x2 window
    // or the address counter points into CGRAM.
    bool CursorCell(int& row, int& column) const;

  private:
    void Execute(uint8_t instruction);
    void WriteData(uint8_t code);
    void StepAddressCounter(bool up);
    void ShiftDisplay(bool left);
    uint8_t ValidDdramAddress(uint8_t address) const;
    int DdramIndex(uint8_t address) const;
    int LineLength() const;

    uint8_t instructionRegister = 0;
    uint8_t dataRegister = 0;
    uint8_t addressCounter = 0;
    bool addressesCgram = false;
    std::array<uint8_t, DDRAM_SIZE> ddram{};
    std::array<uint8_t, CGRAM_SIZE> cgram{};
    bool increment = true;
    bool shiftOnWrite = false;
    bool displayOn = false;
    bool cursorOn = false;
    bool blinkOn = false;
    bool eightBitInterface = true;
    bool twoLines = false;
    bool font5x10 = false;
    int displayShift = 0;
    uint32_t lastExecutionMicroseconds = 0;
    bool awaitingLowNibble = false;
    uint8_t highNibble = 0;
    bool highNibbleRs = false;
    ControllerChoices choices;
    // Whether an instruction other than function set (a data write included) has executed
    // since power-on or the last change of the data length.
    bool instructedSinceReset = false;
    bool lastIgnored = false;
    uint8_t cornersMet = 0;
};

// An instruction code in words, e.g. "function set: 8-bit, 2 lines, 5x8".
std::string DescribeInstruction(uint8_t code);

// A byte as "0x" and two upper-case hex digits, as the trace writes codes.
std::string Hex(uint8_t value);

} // namespace Sim

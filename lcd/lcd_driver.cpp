#include "lcd_driver.h"

#include "hd44780_instructions.h"
#include "platform.h"
#include "usbio_link.h"

namespace LcdDriver {
namespace {

using UsbIoLink::AUX_LINE; // follows auxLine
using UsbIoLink::E_LINE;
using UsbIoLink::RS_LINE;

using namespace Hd44780Instructions;

constexpr int16_t COLUMNS = 16;
constexpr int16_t ROWS = 2;

// Waits before each of the three 8-bit function sets that reset the controller's
// interface. They are shorter than the datasheet's 15 ms, 4.1 ms and 100 us; the
// USB round trip of every port write adds its own time on top.
constexpr int FIRST_RESET_WAIT_MS = 3;
constexpr int SECOND_RESET_WAIT_MS = 6;
constexpr int THIRD_RESET_WAIT_MS = 3;
constexpr int16_t INTERFACE_RESET = FUNCTION_SET | EIGHT_BIT_BUS;

int16_t auxLine = 0;

int16_t Add(int a, int b) {
    return static_cast<int16_t>(a + b);
}

void WriteCycle(int16_t code, int16_t registerSelect) {
    const int16_t base = Add(auxLine * AUX_LINE, registerSelect);
    UsbIoLink::WriteDataAndControl(code, base);
    UsbIoLink::WriteControl(Add(base, E_LINE));
    UsbIoLink::WriteControl(base);
}

} // namespace

void WriteInstruction(int16_t code) {
    WriteCycle(code, 0);
}

void WriteData(int16_t code) {
    WriteCycle(code, RS_LINE);
}

void ApplyAuxLine() {
    UsbIoLink::WriteControl(static_cast<int16_t>(auxLine * AUX_LINE));
}

void ClearDisplay() {
    WriteInstruction(CLEAR_DISPLAY);
}

void SetEntryMode(int16_t increment, int16_t shift) {
    WriteInstruction(Add(ENTRY_MODE_SET + ENTRY_INCREMENT * increment, ENTRY_SHIFT * shift));
}

void SetDisplayControl(int16_t display, int16_t cursor, int16_t blink) {
    WriteInstruction(
        Add(DISPLAY_CONTROL + DISPLAY_ON * display + CURSOR_ON * cursor, BLINK_ON * blink));
}

void SetFunction(int16_t eightBit, int16_t twoLines, int16_t bigFont) {
    WriteInstruction(
        Add(FUNCTION_SET + EIGHT_BIT_BUS * eightBit + TWO_LINES * twoLines, FONT_5X10 * bigFont));
}

void SetCursor(int16_t column, int16_t row) {
    if (column < 0 || column >= COLUMNS || row < 0 || row >= ROWS) {
        return;
    }
    WriteInstruction(Add(SET_DDRAM_ADDRESS + ROW_1_ADDRESS * row, column));
}

void Initialise() {
    Platform::SleepMilliseconds(FIRST_RESET_WAIT_MS);
    WriteInstruction(INTERFACE_RESET);
    Platform::SleepMilliseconds(SECOND_RESET_WAIT_MS);
    WriteInstruction(INTERFACE_RESET);
    Platform::SleepMilliseconds(THIRD_RESET_WAIT_MS);
    WriteInstruction(INTERFACE_RESET);
    SetFunction(1, 1, 0);
    // The display goes on before the clear; there is no display-off step.
    SetDisplayControl(1, 0, 0);
    ClearDisplay();
    SetEntryMode(1, 0);
}

void WriteText(std::string_view text) {
    const size_t length = text.size() < static_cast<size_t>(MAX_TEXT_LENGTH)
                              ? text.size()
                              : static_cast<size_t>(MAX_TEXT_LENGTH);
    for (size_t i = 0; i < length; ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (code == 0) {
            return;
        }
        WriteData(static_cast<int16_t>(code));
    }
}

int16_t AuxLine() {
    return auxLine;
}

void SetAuxLine(int16_t level) {
    auxLine = level;
}

} // namespace LcdDriver

// The link to the USB-IO board: the only code that calls HID2.DLL.
#pragma once

#include <cstdint>

namespace UsbIoLink {

// Port 1 carries the LCD data bus D0-D7, port 2 the LCD control lines.
constexpr int DATA_PORT = 1;
constexpr int CONTROL_PORT = 2;

// The control port's lines toward the LCD.
constexpr int16_t RS_LINE = 0x01;  // register select: 0 instruction, 1 character data
constexpr int16_t AUX_LINE = 0x02; // auxiliary line; no pin of the LCD when wired correctly
constexpr int16_t E_LINE = 0x08;   // enable strobe; the display latches on its falling edge

// The low 16 bits of what hidinit returned, widened with their sign: the handle the board
// is kept by, 0 when no board is usable.
constexpr int16_t HandleOf(int hidinitResult) {
    return static_cast<int16_t>(static_cast<uint16_t>(hidinitResult & 0xFFFF));
}

// Opens the board if it is not open yet; while it is absent every call tries again.
void EnsureOpen();
// Writes the data port, then the control port (one open attempt for both).
void WriteDataAndControl(int16_t data, int16_t control);
// Writes the control port alone.
void WriteControl(int16_t control);

// The low 16 bits of the handle the board was opened with; 0 while it is not open.
int16_t DeviceHandle();
// Forgets the handle, so that the next write opens the board again.
void ResetDeviceHandle();

} // namespace UsbIoLink

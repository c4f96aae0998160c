#include "usbio_link.h"

#include "hid2_call.h"

namespace UsbIoLink {
namespace {

int16_t deviceHandle = 0;

// The exe binds all three library entry points at load time, Hidread included,
// although nothing ever reads from the board.
#if defined(__GNUC__)
__attribute__((used))
#endif
int(HID2_CALL* const hidReadEntry)(int, int) = &Hidread;

// Handles and port values travel as 16-bit signed values widened with their sign.
void WritePort(int port, int16_t value) {
    const int arguments[] = {static_cast<int>(deviceHandle), port, static_cast<int>(value)};
    Hid2Call::Call(reinterpret_cast<Hid2Call::Entry>(&Hidwrite), arguments, 3);
}

} // namespace

void EnsureOpen() {
    if (deviceHandle == 0) {
        // Only the low 16 bits count: a result with them all zero means no board.
        const int handle =
            Hid2Call::Call(reinterpret_cast<Hid2Call::Entry>(&hidinit), nullptr, 0).value;
        deviceHandle = HandleOf(handle);
    }
}

void WriteDataAndControl(int16_t data, int16_t control) {
    EnsureOpen();
    if (deviceHandle != 0) {
        // The data bus settles before the control lines change.
        WritePort(DATA_PORT, data);
        WritePort(CONTROL_PORT, control);
    }
}

void WriteControl(int16_t control) {
    EnsureOpen();
    if (deviceHandle != 0) {
        WritePort(CONTROL_PORT, control);
    }
}

int16_t DeviceHandle() {
    return deviceHandle;
}

void ResetDeviceHandle() {
    deviceHandle = 0;
}

} // namespace UsbIoLink

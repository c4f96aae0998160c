// Shared fixture of the LCD subsystem's unit tests: every test starts with the board
// closed, the auxiliary line low and an empty recording.
#pragma once

#include "expected_screens.h"
#include "fake_board.h"
#include "lcd_driver.h"
#include "usbio_link.h"

#include <gtest/gtest.h>

#include <ostream>

using Expected::Concat;
using Expected::Cycle;
using Expected::PortWrite;
using Expected::Writes;

class LcdTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UsbIoLink::ResetDeviceHandle();
        LcdDriver::SetAuxLine(0);
        FakeBoard::Reset();
    }

    // Opens the link with the default handle and forgets the recording of it.
    static void OpenLink() {
        UsbIoLink::EnsureOpen();
        FakeBoard::Reset();
    }
};

namespace Expected {

// A differing write reads as (port, value) in a failure.
inline void PrintTo(const PortWrite& write, std::ostream* out) {
    *out << "(" << write.port << ", " << write.value << ")";
}

} // namespace Expected

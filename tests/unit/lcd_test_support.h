// Shared fixture of the LCD subsystem's unit tests: every test starts with the board
// closed, the auxiliary line low and an empty recording.
#pragma once

#include "fake_board.h"
#include "lcd_driver.h"
#include "usbio_link.h"

#include <gtest/gtest.h>

#include <vector>

using FakeBoard::PortWrite;
using Writes = std::vector<PortWrite>;

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

// The four port writes of one write cycle on an open link.
inline Writes Cycle(int code, int control) {
    return {{1, code}, {2, control}, {2, control + 8}, {2, control}};
}

inline Writes Concat(std::initializer_list<Writes> parts) {
    Writes all;
    for (const Writes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

#include "lcd_test_support.h"

#include <cstdint>

using FakeBoard::DEFAULT_HANDLE;
using FakeBoard::Event;

TEST_F(LcdTest, AbsentBoardIsAskedForAgainOnEveryOperationAndNeverWritten) {
    FakeBoard::Reset({0});
    UsbIoLink::WriteDataAndControl(0x41, 1);
    EXPECT_EQ(FakeBoard::InitCount(), 1) << "one open attempt covers both ports";
    UsbIoLink::WriteControl(9);
    UsbIoLink::EnsureOpen();
    EXPECT_EQ(FakeBoard::InitCount(), 3);
    EXPECT_TRUE(FakeBoard::PortWrites().empty());
    EXPECT_EQ(UsbIoLink::DeviceHandle(), 0);
}

TEST_F(LcdTest, OpenLinkIsNeverReopened) {
    UsbIoLink::WriteControl(0);
    UsbIoLink::WriteDataAndControl(0x30, 0);
    UsbIoLink::EnsureOpen();
    UsbIoLink::WriteControl(8);
    EXPECT_EQ(FakeBoard::InitCount(), 1);
    EXPECT_EQ(FakeBoard::PortWrites(), (Writes{{2, 0}, {1, 0x30}, {2, 0}, {2, 8}}));
}

TEST_F(LcdTest, DataPortIsWrittenBeforeControlPortWithTheOpenHandle) {
    UsbIoLink::WriteDataAndControl(0x41, 1);
    const std::vector<Event> expected = {
        {Event::INIT, DEFAULT_HANDLE, 0, 0, {}},
        {Event::WRITE, DEFAULT_HANDLE, 1, 0x41, {}},
        {Event::WRITE, DEFAULT_HANDLE, 2, 1, {}},
    };
    EXPECT_EQ(FakeBoard::Events(), expected);
}

TEST_F(LcdTest, BoardPluggedInBetweenTwoOperationsGetsOnlyTheSecond) {
    FakeBoard::Reset({0, DEFAULT_HANDLE});
    UsbIoLink::WriteDataAndControl(0x41, 1);
    UsbIoLink::WriteControl(9);
    EXPECT_EQ(FakeBoard::InitCount(), 2);
    EXPECT_EQ(FakeBoard::PortWrites(), (Writes{{2, 9}}));
}

TEST_F(LcdTest, ResetHandleMakesTheNextOperationOpenAgain) {
    OpenLink();
    UsbIoLink::ResetDeviceHandle();
    FakeBoard::Reset({0x77});
    UsbIoLink::WriteControl(0);
    ASSERT_EQ(FakeBoard::Events().size(), 2u);
    EXPECT_EQ(FakeBoard::Events()[1].handle, 0x77);
}

// Only the low 16 bits of hidinit's result are kept, and they are handed back to
// Hidwrite widened with their sign.
struct HandleCase {
    int initResult;
    // Also the handle every write passes on.
    int16_t storedHandle;
};

class HandleTest : public LcdTest, public ::testing::WithParamInterface<HandleCase> {};

TEST_P(HandleTest, LowSixteenBitsAreKeptAndSignExtended) {
    const HandleCase& c = GetParam();
    FakeBoard::Reset({c.initResult, 1});
    UsbIoLink::WriteControl(2);
    EXPECT_EQ(UsbIoLink::DeviceHandle(), c.storedHandle);
    UsbIoLink::WriteControl(2);
    if (c.storedHandle == 0) {
        // Treated as absent: asked again, and the next answer (1) is used.
        EXPECT_EQ(FakeBoard::InitCount(), 2);
        EXPECT_EQ(FakeBoard::Events().back().handle, 1);
    } else {
        EXPECT_EQ(FakeBoard::InitCount(), 1);
        EXPECT_EQ(FakeBoard::Events().back().handle, c.storedHandle);
        EXPECT_EQ(FakeBoard::PortWrites().size(), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(HidinitResults, HandleTest,
                         ::testing::Values(HandleCase{0x1234, 0x1234}, HandleCase{0x7FFF, 0x7FFF},
                                           HandleCase{0x8000, -32768}, HandleCase{0xFFFF, -1},
                                           HandleCase{0x12348001, -32767}, HandleCase{0x10000, 0},
                                           HandleCase{-65536, 0}, HandleCase{-1, -1},
                                           HandleCase{0x00050007, 7}));

TEST_F(LcdTest, PortValuesAreSignExtended) {
    UsbIoLink::WriteDataAndControl(-1, static_cast<int16_t>(0x80FF));
    EXPECT_EQ(FakeBoard::PortWrites(), (Writes{{1, -1}, {2, -32513}}));
}

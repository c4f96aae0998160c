#include "lcd_test_support.h"

#include <functional>
#include <string>

using FakeBoard::DEFAULT_HANDLE;

// Each instruction encoder produces one instruction cycle with the given code.
struct EncoderCase {
    const char* name;
    std::function<void()> call;
    int code; // -1: nothing is sent
};

class EncoderTest : public LcdTest, public ::testing::WithParamInterface<EncoderCase> {};

TEST_P(EncoderTest, SendsExactlyOneInstructionCycle) {
    OpenLink();
    GetParam().call();
    const Writes expected = GetParam().code < 0 ? Writes{} : Cycle(GetParam().code, 0);
    EXPECT_EQ(FakeBoard::PortWrites(), expected);
}

using namespace LcdDriver;

INSTANTIATE_TEST_SUITE_P(
    Instructions, EncoderTest,
    ::testing::Values(EncoderCase{"Clear", [] { ClearDisplay(); }, 0x01},
                      EncoderCase{"EntryIncrement", [] { SetEntryMode(1, 0); }, 0x06},
                      EncoderCase{"EntryDecrement", [] { SetEntryMode(0, 0); }, 0x04},
                      EncoderCase{"EntryIncrementShift", [] { SetEntryMode(1, 1); }, 0x07},
                      EncoderCase{"DisplayOn", [] { SetDisplayControl(1, 0, 0); }, 0x0C},
                      EncoderCase{"DisplayOff", [] { SetDisplayControl(0, 0, 0); }, 0x08},
                      EncoderCase{"DisplayCursorBlink", [] { SetDisplayControl(1, 1, 1); }, 0x0F},
                      // Cursor and blink alone tell their two bits apart.
                      EncoderCase{"DisplayCursorOnly", [] { SetDisplayControl(1, 1, 0); }, 0x0E},
                      EncoderCase{"DisplayBlinkOnly", [] { SetDisplayControl(1, 0, 1); }, 0x0D},
                      EncoderCase{"Function8Bit2Lines", [] { SetFunction(1, 1, 0); }, 0x38},
                      EncoderCase{"Function4Bit1Line", [] { SetFunction(0, 0, 0); }, 0x20},
                      EncoderCase{"FunctionBigFont", [] { SetFunction(1, 0, 1); }, 0x34},
                      // Flags are not range-checked: a 2 carries into the next bit.
                      EncoderCase{"UncheckedFlag", [] { SetEntryMode(2, 0); }, 0x08},
                      EncoderCase{"CursorHome", [] { SetCursor(0, 0); }, 0x80},
                      EncoderCase{"CursorRow1", [] { SetCursor(0, 1); }, 0xC0},
                      EncoderCase{"CursorLastRow0", [] { SetCursor(15, 0); }, 0x8F},
                      EncoderCase{"CursorLastRow1", [] { SetCursor(15, 1); }, 0xCF},
                      EncoderCase{"CursorColumn16", [] { SetCursor(16, 0); }, -1},
                      EncoderCase{"CursorColumnNegative", [] { SetCursor(-1, 0); }, -1},
                      EncoderCase{"CursorRow2", [] { SetCursor(0, 2); }, -1},
                      EncoderCase{"CursorRowNegative", [] { SetCursor(3, -1); }, -1},
                      EncoderCase{"CursorFarOut", [] { SetCursor(-32768, 32767); }, -1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Register select and the auxiliary line combine into the control values of a cycle.
struct CycleCase {
    int16_t auxLine;
    bool data;
    Writes expected;
};

class CycleTest : public LcdTest, public ::testing::WithParamInterface<CycleCase> {};

TEST_P(CycleTest, ControlValuesFollowRegisterSelectAndAuxLine) {
    OpenLink();
    SetAuxLine(GetParam().auxLine);
    if (GetParam().data) {
        WriteData(0x41);
    } else {
        WriteInstruction(0x41);
    }
    EXPECT_EQ(FakeBoard::PortWrites(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(RsAndAux, CycleTest,
                         ::testing::Values(CycleCase{0, false, Cycle(0x41, 0)},
                                           CycleCase{1, false, Cycle(0x41, 2)},
                                           CycleCase{0, true, Cycle(0x41, 1)},
                                           CycleCase{1, true, Cycle(0x41, 3)}));

TEST_F(LcdTest, CycleWithoutBoardMakesThreeOpenAttemptsAndNoWrite) {
    FakeBoard::Reset({0});
    WriteData(0x41);
    EXPECT_EQ(FakeBoard::InitCount(), 3);
    EXPECT_TRUE(FakeBoard::PortWrites().empty());
}

TEST_F(LcdTest, BoardPluggedInMidCycleGetsOnlyTheRemainingStrobe) {
    FakeBoard::Reset({0, DEFAULT_HANDLE});
    SetAuxLine(1);
    WriteData(0x41);
    EXPECT_EQ(FakeBoard::InitCount(), 2);
    EXPECT_EQ(FakeBoard::PortWrites(), (Writes{{2, 11}, {2, 3}}));
}

TEST_F(LcdTest, ApplyAuxLineWritesOnlyTheControlPort) {
    OpenLink();
    ApplyAuxLine();
    SetAuxLine(1);
    ApplyAuxLine();
    EXPECT_EQ(FakeBoard::PortWrites(), (Writes{{2, 0}, {2, 2}}));
    FakeBoard::Reset({0});
    UsbIoLink::ResetDeviceHandle();
    ApplyAuxLine();
    EXPECT_EQ(FakeBoard::InitCount(), 1);
    EXPECT_TRUE(FakeBoard::PortWrites().empty());
}

TEST_F(LcdTest, InitialiseWaitsOnlyBeforeTheThreeInterfaceResets) {
    OpenLink();
    Initialise();
    using FakeBoard::Event;
    std::vector<std::string> trace;
    for (const Event& e : FakeBoard::Events()) {
        if (e.kind == Event::SLEEP) {
            trace.push_back("sleep " + std::to_string(e.value));
        } else if (e.kind == Event::WRITE && e.port == 1) {
            trace.push_back("code " + std::to_string(e.value));
        }
    }
    std::vector<std::string> expected;
    for (const Expected::InitialisationStep& step : Expected::INITIALISATION) {
        if (step.waitMilliseconds > 0) {
            expected.push_back("sleep " + std::to_string(step.waitMilliseconds));
        }
        expected.push_back("code " + std::to_string(step.code));
    }
    EXPECT_EQ(trace, expected);
    EXPECT_EQ(FakeBoard::PortWrites().size(), 28u);
    EXPECT_EQ(FakeBoard::InitCount(), 0);
}

// WriteText sends character data up to the first zero byte or 32,767 bytes.
struct TextCase {
    const char* name;
    std::string text;
    std::vector<int> codes;
};

class WriteTextTest : public LcdTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(WriteTextTest, SendsTheBytesAsUnsignedCharacterCodes) {
    OpenLink();
    WriteText(GetParam().text);
    EXPECT_EQ(FakeBoard::DataCodes(), GetParam().codes);
    Writes expected;
    for (int code : GetParam().codes) {
        expected = Concat({expected, Cycle(code, 1)});
    }
    EXPECT_EQ(FakeBoard::PortWrites(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WriteTextTest,
    ::testing::Values(TextCase{"Empty", "", {}}, TextCase{"Ascii", "AB", {0x41, 0x42}},
                      TextCase{"StopsAtZero", std::string("A\0B", 3), {0x41}},
                      TextCase{"LeadingZero", std::string("\0A", 2), {}},
                      TextCase{"HighBytesStayPositive", "\xCA\xFF\x80", {0xCA, 0xFF, 0x80}},
                      TextCase{"ShiftJisKanjiIsTwoCodes", "\x8E\x9E", {0x8E, 0x9E}},
                      TextCase{"NoClippingAt16",
                               "0123456789ABCDEFGHIJ",
                               {48, 49, 50, 51, 52, 53, 54, 55, 56, 57,
                                65, 66, 67, 68, 69, 70, 71, 72, 73, 74}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(LcdTest, LongTextStopsAfter32767Bytes) {
    OpenLink();
    std::string text(40000, 'x');
    text[32766] = 'y';
    text[32767] = 'z';
    WriteText(text);
    const std::vector<int> codes = FakeBoard::DataCodes();
    ASSERT_EQ(codes.size(), 32767u);
    EXPECT_EQ(codes.back(), 'y');
    EXPECT_EQ(FakeBoard::PortWrites().size(), 4u * 32767u);
}

TEST_F(LcdTest, TextOfExactly32767BytesIsSentWhole) {
    OpenLink();
    WriteText(std::string(32767, '\xB1'));
    EXPECT_EQ(FakeBoard::DataCodes(), std::vector<int>(32767, 0xB1));
}

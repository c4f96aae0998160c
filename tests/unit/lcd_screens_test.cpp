#include "lcd_screens.h"
#include "lcd_test_support.h"

#include <algorithm>
#include <string>

using FakeBoard::DEFAULT_HANDLE;
using FakeBoard::Event;

namespace {

Writes DataCycles(const std::string& bytes, int control) {
    Writes writes;
    for (char c : bytes) {
        writes = Concat({writes, Cycle(static_cast<unsigned char>(c), control)});
    }
    return writes;
}

const std::string SPLASH_0 = "\xCA\xDD\xD6\xB3USB-IO + LCD";
const std::string SPLASH_1 = "KORVAN   by OLKA";
const std::string GOODBYE = " --- \xBC\xAD\xB3\xD8\xAE\xB3 ---";

} // namespace

TEST_F(LcdTest, BringUpOpensAfterTheFirstWaitAndMakes29Writes) {
    LcdScreens::BringUp();
    const std::vector<Event>& events = FakeBoard::Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0], (Event{Event::SLEEP, 0, 0, 3, {}}));
    EXPECT_EQ(events[1], (Event{Event::INIT, DEFAULT_HANDLE, 0, 0, {}}));
    EXPECT_EQ(FakeBoard::InitCount(), 1);
    const Writes expected = Concat({Cycle(0x30, 2),
                                    Cycle(0x30, 2),
                                    Cycle(0x30, 2),
                                    Cycle(0x38, 2),
                                    Cycle(0x0C, 2),
                                    Cycle(0x01, 2),
                                    Cycle(0x06, 2),
                                    {{2, 0}}});
    EXPECT_EQ(FakeBoard::PortWrites(), expected);
    EXPECT_EQ(LcdDriver::AuxLine(), 0);
    for (const Event& e : events) {
        if (e.kind == Event::WRITE) {
            EXPECT_EQ(e.handle, DEFAULT_HANDLE);
        }
    }
}

TEST_F(LcdTest, BringUpForgetsAnEarlierHandle) {
    OpenLink();
    FakeBoard::Reset({0x55});
    LcdScreens::BringUp();
    EXPECT_EQ(FakeBoard::InitCount(), 1);
    EXPECT_EQ(UsbIoLink::DeviceHandle(), 0x55);
}

TEST_F(LcdTest, BringUpWithoutBoardTriesEveryOperationAndWritesNothing) {
    FakeBoard::Reset({0});
    LcdScreens::BringUp();
    EXPECT_EQ(FakeBoard::InitCount(), 7 * 3 + 1);
    EXPECT_TRUE(FakeBoard::PortWrites().empty());
    EXPECT_EQ(FakeBoard::Sleeps(), (std::vector<int>{3, 6, 3}));
}

TEST_F(LcdTest, SplashWritesBothRowsWithoutClear) {
    OpenLink();
    LcdScreens::ShowSplash();
    const Writes expected =
        Concat({Cycle(0x80, 0), DataCycles(SPLASH_0, 1), Cycle(0xC0, 0), DataCycles(SPLASH_1, 1)});
    EXPECT_EQ(FakeBoard::PortWrites(), expected);
    EXPECT_EQ(SPLASH_0.size(), 16u);
}

struct UserTextCase {
    const char* name;
    std::string first;
    std::string second;
};

class UserTextTest : public LcdTest, public ::testing::WithParamInterface<UserTextCase> {};

TEST_P(UserTextTest, ClearsThenSendsBothTextsWhole) {
    OpenLink();
    LcdScreens::ShowUserText(GetParam().first, GetParam().second);
    const Writes expected = Concat({Cycle(0x01, 0), Cycle(0x80, 0), DataCycles(GetParam().first, 1),
                                    Cycle(0xC0, 0), DataCycles(GetParam().second, 1)});
    EXPECT_EQ(FakeBoard::PortWrites(), expected);
    EXPECT_TRUE(FakeBoard::Sleeps().empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, UserTextTest,
                         ::testing::Values(UserTextCase{"BothEmpty", "", ""},
                                           UserTextCase{"Short", "Hello", "World"},
                                           UserTextCase{"Twenty", "ABCDEFGHIJKLMNOPQRST", "x"},
                                           UserTextCase{"Katakana", "\xB6\xC0\xB6\xC5", "\xB1"},
                                           UserTextCase{"SecondOnly", "", " 2 "}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(LcdTest, DateAndTimeAtAFixedMoment) {
    OpenLink();
    FakeBoard::SetFormattedNow("2024/01/09 ", "08:05:03");
    LcdScreens::ShowDateTime();
    EXPECT_EQ(FakeBoard::PortWrites(),
              Concat({Cycle(0x01, 0), Cycle(0x80, 0), DataCycles("2024/01/09 ", 1), Cycle(0xC0, 0),
                      DataCycles("08:05:03", 1)}));
    // The date is formatted first, each with its picture, the clock read once per row.
    std::vector<Event> formats;
    for (const Event& e : FakeBoard::Events()) {
        if (e.kind == Event::FORMAT_DATE || e.kind == Event::FORMAT_TIME) {
            formats.push_back(e);
        }
    }
    EXPECT_EQ(formats, (std::vector<Event>{{Event::FORMAT_DATE, 0, 0, 0, "yyyy/MM/dd "},
                                           {Event::FORMAT_TIME, 0, 0, 0, "HH:mm:ss"}}));
}

TEST_F(LcdTest, FailedFormattingLeavesItsRowBlank) {
    OpenLink();
    FakeBoard::SetFormattedNow(nullptr, "23:59:59");
    LcdScreens::ShowDateTime();
    EXPECT_EQ(FakeBoard::DataCodes(),
              (std::vector<int>{0x01, 0x80, 0xC0, '2', '3', ':', '5', '9', ':', '5', '9'}));
}

// Leaves non-zero bytes where the next calls' locals will lie, so that a buffer that is
// not zero-filled shows it.
[[gnu::noinline]] void DirtyTheStack() {
    volatile char dirt[4096];
    for (char& c : const_cast<char(&)[4096]>(dirt)) {
        c = 'Z';
    }
}

TEST_F(LcdTest, FailedTimeAfterGoodDateLeavesRowOneBlank) {
    OpenLink();
    FakeBoard::SetFormattedNow("2024/01/09 ", nullptr);
    DirtyTheStack();
    LcdScreens::ShowDateTime();
    EXPECT_EQ(FakeBoard::DataCodes(), (std::vector<int>{0x01, 0x80, '2', '0', '2', '4', '/', '0',
                                                        '1', '/', '0', '9', ' ', 0xC0}));
    EXPECT_EQ(FakeBoard::DirtyFormatBuffers(), 0);
}

TEST_F(LcdTest, GoodbyeRaisesTheAuxLineAndWritesFromHome) {
    OpenLink();
    LcdScreens::ShowGoodbye();
    EXPECT_EQ(FakeBoard::PortWrites(), Concat({{{2, 2}}, Cycle(0x01, 2), DataCycles(GOODBYE, 3)}));
    EXPECT_EQ(GOODBYE.size(), 15u);
    EXPECT_EQ(LcdDriver::AuxLine(), 1);
    EXPECT_EQ(FakeBoard::PortWrites().back(), (PortWrite{2, 3}));
}

TEST_F(LcdTest, ClickBeforeSplashIsOverwrittenWithoutClear) {
    LcdScreens::BringUp();
    FakeBoard::Reset();
    LcdScreens::ShowUserText("abc", "def");
    LcdScreens::ShowSplash();
    const std::vector<int> codes = FakeBoard::DataCodes();
    const std::vector<int> tail(codes.end() - 34, codes.end());
    std::vector<int> expected = {0x80};
    for (char c : SPLASH_0 + '\xC0' + SPLASH_1) {
        expected.push_back(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x01), 1) << "only the click clears";
}

TEST_F(LcdTest, BoardPluggedInAfterStartGetsTheClickWithoutInitialisation) {
    FakeBoard::Reset({0});
    LcdScreens::BringUp();
    LcdScreens::ShowSplash();
    EXPECT_TRUE(FakeBoard::PortWrites().empty());
    FakeBoard::Reset({0x2A});
    LcdScreens::ShowUserText("Hi", "\xBA");
    EXPECT_EQ(FakeBoard::InitCount(), 1);
    EXPECT_EQ(FakeBoard::PortWrites(), Concat({Cycle(0x01, 0), Cycle(0x80, 0), DataCycles("Hi", 1),
                                               Cycle(0xC0, 0), DataCycles("\xBA", 1)}));
}

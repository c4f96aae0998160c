#include "lcd_screens.h"
#include "lcd_test_support.h"

#include <string>

using FakeBoard::DEFAULT_HANDLE;
using FakeBoard::Event;

TEST_F(LcdTest, BringUpOpensAfterTheFirstWaitAndWritesTheInitialisation) {
    LcdScreens::BringUp();
    const std::vector<Event>& events = FakeBoard::Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0], (Event{Event::SLEEP, 0, 0, 3, {}}));
    EXPECT_EQ(events[1], (Event{Event::INIT, DEFAULT_HANDLE, 0, 0, {}}));
    EXPECT_EQ(FakeBoard::InitCount(), 1);
    EXPECT_EQ(FakeBoard::PortWrites(), Expected::BringUp());
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
    EXPECT_EQ(FakeBoard::InitCount(), Expected::OpenAttemptsWithoutBoard(Expected::BringUp()));
    EXPECT_TRUE(FakeBoard::PortWrites().empty());
    EXPECT_EQ(FakeBoard::Sleeps(), Expected::InitialisationWaits());
}

TEST_F(LcdTest, SplashWritesBothRowsWithoutClear) {
    OpenLink();
    LcdScreens::ShowSplash();
    EXPECT_EQ(FakeBoard::PortWrites(), Expected::Splash());
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
    EXPECT_EQ(FakeBoard::PortWrites(), Expected::UserText(GetParam().first, GetParam().second));
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
    FakeBoard::SetFormattedNow(Expected::EXAMPLE_DATE, Expected::EXAMPLE_TIME);
    LcdScreens::ShowDateTime();
    EXPECT_EQ(FakeBoard::PortWrites(),
              Expected::DateTime(Expected::EXAMPLE_DATE, Expected::EXAMPLE_TIME));
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
    EXPECT_EQ(FakeBoard::PortWrites(), Expected::DateTime("", "23:59:59"));
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
    FakeBoard::SetFormattedNow(Expected::EXAMPLE_DATE, nullptr);
    DirtyTheStack();
    LcdScreens::ShowDateTime();
    EXPECT_EQ(FakeBoard::PortWrites(), Expected::DateTime(Expected::EXAMPLE_DATE, ""));
    EXPECT_EQ(FakeBoard::DirtyFormatBuffers(), 0);
}

TEST_F(LcdTest, GoodbyeRaisesTheAuxLineAndWritesFromHome) {
    OpenLink();
    LcdScreens::ShowGoodbye();
    EXPECT_EQ(FakeBoard::PortWrites(), Expected::Goodbye());
    EXPECT_EQ(LcdDriver::AuxLine(), 1);
    EXPECT_EQ(FakeBoard::PortWrites().back(), (PortWrite{2, 3}));
}

TEST_F(LcdTest, ClickBeforeSplashIsOverwrittenWithoutClear) {
    LcdScreens::BringUp();
    FakeBoard::Reset();
    LcdScreens::ShowUserText("abc", "def");
    LcdScreens::ShowSplash();
    // Only the click clears.
    EXPECT_EQ(FakeBoard::PortWrites(),
              Concat({Expected::UserText("abc", "def"), Expected::Splash()}));
}

TEST_F(LcdTest, BoardPluggedInAfterStartGetsTheClickWithoutInitialisation) {
    FakeBoard::Reset({0});
    LcdScreens::BringUp();
    LcdScreens::ShowSplash();
    EXPECT_TRUE(FakeBoard::PortWrites().empty());
    FakeBoard::Reset({0x2A});
    LcdScreens::ShowUserText("Hi", "\xBA");
    EXPECT_EQ(FakeBoard::InitCount(), 1);
    EXPECT_EQ(FakeBoard::PortWrites(), Expected::UserText("Hi", "\xBA"));
}

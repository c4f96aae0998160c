#include "lcd_screens.h"

#include "lcd_driver.h"
#include "platform.h"
#include "usbio_link.h"

#include <cstdint>

namespace LcdScreens {
namespace {

// Half-width katakana are single bytes of the display's character ROM.
constexpr std::string_view SPLASH_ROW_0 = "\xCA\xDD\xD6\xB3USB-IO + LCD"; // ﾊﾝﾖｳUSB-IO + LCD
constexpr std::string_view SPLASH_ROW_1 = "KORVAN   by OLKA";
constexpr std::string_view GOODBYE_ROW_0 = " --- \xBC\xAD\xB3\xD8\xAE\xB3 ---"; //  --- ｼｭｳﾘｮｳ ---

constexpr const char* DATE_PICTURE = "yyyy/MM/dd ";
constexpr const char* TIME_PICTURE = "HH:mm:ss";

// Formats the current moment into a fresh zero-filled buffer and writes it at the start
// of `row`; a failed format leaves the buffer all zeros, so the row stays blank.
void ShowNowOnRow(void (*format)(const char*, char*), const char* picture, int16_t row) {
    char buffer[Platform::FORMAT_BUFFER_SIZE] = {};
    format(picture, buffer);
    LcdDriver::SetCursor(0, row);
    LcdDriver::WriteText(std::string_view(buffer, sizeof buffer));
}

} // namespace

void BringUp() {
    UsbIoLink::ResetDeviceHandle();
    LcdDriver::SetAuxLine(1);
    LcdDriver::Initialise();
    LcdDriver::SetAuxLine(0);
    LcdDriver::ApplyAuxLine();
}

void ShowSplash() {
    LcdDriver::SetCursor(0, 0);
    LcdDriver::WriteText(SPLASH_ROW_0);
    LcdDriver::SetCursor(0, 1);
    LcdDriver::WriteText(SPLASH_ROW_1);
}

void ShowUserText(std::string_view first, std::string_view second) {
    LcdDriver::ClearDisplay();
    LcdDriver::SetCursor(0, 0);
    LcdDriver::WriteText(first);
    LcdDriver::SetCursor(0, 1);
    LcdDriver::WriteText(second);
}

// The clock is read once per row, date first, and the screen is not refreshed after.
void ShowDateTime() {
    LcdDriver::ClearDisplay();
    ShowNowOnRow(Platform::FormatCurrentDate, DATE_PICTURE, 0);
    ShowNowOnRow(Platform::FormatCurrentTime, TIME_PICTURE, 1);
}

// The clear leaves the address counter at row 0, column 0, where the line starts.
void ShowGoodbye() {
    LcdDriver::SetAuxLine(1);
    LcdDriver::ApplyAuxLine();
    LcdDriver::ClearDisplay();
    LcdDriver::WriteText(GOODBYE_ROW_0);
}

} // namespace LcdScreens

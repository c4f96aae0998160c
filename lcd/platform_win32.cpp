// Windows implementation of the platform seam.
#include "platform.h"

#include <windows.h>

namespace Platform {

void SleepMilliseconds(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

// A null date or time pointer makes Windows read the current local time itself.
void FormatCurrentDate(const char* picture, char* buffer) {
    GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, nullptr, picture, buffer, FORMAT_BUFFER_SIZE);
}

void FormatCurrentTime(const char* picture, char* buffer) {
    GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, nullptr, picture, buffer, FORMAT_BUFFER_SIZE);
}

} // namespace Platform

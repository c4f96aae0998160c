// The LCD subsystem's seam bound to the library the checking process loaded.
#include "lcd_seam.h"

#include "hid2.h"
#include "platform.h"
#include "recorder.h"

#include <windows.h>

#include <utility>

namespace LcdSeam {
namespace {

Hid2Entries::Entries bound;
int handle = 0;
std::function<void()> onWritten;

} // namespace

void Bind(const Hid2Entries::Entries& library, int openedHandle, std::function<void()> written) {
    bound = library;
    handle = openedHandle;
    onWritten = std::move(written);
}

} // namespace LcdSeam

extern "C" int HID2_CALL hidinit(void) {
    if (Recorder::Recording()) {
        return Recorder::RECORDING_HANDLE;
    }
    return LcdSeam::handle != 0 ? LcdSeam::handle
                                : Hid2Call::Call(LcdSeam::bound.hidinit, nullptr, 0).value;
}

extern "C" int HID2_CALL Hidwrite(int handle, int port, int value) {
    if (Recorder::Caught({Sim::WriteOrWait::Kind::WRITE, port, value})) {
        return 1;
    }
    const int arguments[] = {handle, port, value};
    const int result = Hid2Call::Call(LcdSeam::bound.hidwrite, arguments, 3).value;
    if (LcdSeam::onWritten) {
        LcdSeam::onWritten();
    }
    return result;
}

// Never called: the subsystem only refers to it, as the exe imports it.
extern "C" int HID2_CALL Hidread(int, int) {
    return 0;
}

// hid2check shows no date or time.
namespace Platform {

void SleepMilliseconds(int milliseconds) {
    if (Recorder::Caught({Sim::WriteOrWait::Kind::WAIT, 0, milliseconds})) {
        return;
    }
    Sleep(static_cast<DWORD>(milliseconds));
}

void FormatCurrentDate(const char*, char*) {}
void FormatCurrentTime(const char*, char*) {}

} // namespace Platform

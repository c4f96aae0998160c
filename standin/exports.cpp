// HID2.DLL's entry points; with HID2_STANDIN_WITHOUT_HIDREAD Hidread is left out.
#include "exports.h"
#include "standin.h"

HID2_EXPORT hidinit(void) {
    return StandIn::Open();
}

HID2_EXPORT Hidwrite(int handle, int port, int value) {
    return StandIn::Write(handle, port, value);
}

#if !defined(HID2_STANDIN_WITHOUT_HIDREAD)
HID2_EXPORT Hidread(int handle, int port) {
    return StandIn::Read(handle, port);
}
#endif

#include "forward_link.h"

#include "hid2_call.h"

#include <windows.h>

namespace ForwardLink {
namespace {

struct Library {
    Hid2Call::Entry hidinit;
    Hid2Call::Entry hidwrite;
    Hid2Call::Entry hidread;
};

// Loaded once, at the first call.
const Library& Forwarded() {
    static Library library{};
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        wchar_t path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(L"HID2_FORWARD", path, MAX_PATH);
        const HMODULE module = (length == 0 || length >= MAX_PATH) ? nullptr : LoadLibraryW(path);
        if (module != nullptr) {
            library.hidinit = reinterpret_cast<Hid2Call::Entry>(GetProcAddress(module, "hidinit"));
            library.hidwrite =
                reinterpret_cast<Hid2Call::Entry>(GetProcAddress(module, "Hidwrite"));
            library.hidread = reinterpret_cast<Hid2Call::Entry>(GetProcAddress(module, "Hidread"));
        }
    }
    return library;
}

int Call(Hid2Call::Entry entry, const int* arguments, int count) {
    return entry == nullptr ? 0 : Hid2Call::Call(entry, arguments, count).value;
}

} // namespace

bool Wanted() {
    static const bool wanted = GetEnvironmentVariableW(L"HID2_FORWARD", nullptr, 0) > 1;
    return wanted;
}

int Open() {
    return Call(Forwarded().hidinit, nullptr, 0);
}

int Write(int handle, int port, int value) {
    const int arguments[] = {handle, port, value};
    return Call(Forwarded().hidwrite, arguments, 3);
}

int Read(int handle, int port) {
    const int arguments[] = {handle, port};
    return Call(Forwarded().hidread, arguments, 2);
}

} // namespace ForwardLink

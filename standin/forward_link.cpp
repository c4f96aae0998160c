#include "forward_link.h"

#include "hid2_entries.h"
#include "standin_variables.h"

#include <windows.h>

namespace ForwardLink {
namespace {

struct Library {
    enum { NO_LIBRARY, ANOTHER_LIBRARY, THIS_LIBRARY } named;
    // Each entry point the library has; a call of one it lacks answers 0.
    Hid2Entries::Entries entries;
};

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// Loaded once, at the first call (never while the loader runs this library's start-up).
const Library& Forwarded() {
    static Library library{Library::NO_LIBRARY, {}};
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        wchar_t path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(StandInVariables::FORWARD, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            const HMODULE module = LoadLibraryW(path);
            library.named =
                module == ThisModule() ? Library::THIS_LIBRARY : Library::ANOTHER_LIBRARY;
            if (library.named == Library::THIS_LIBRARY) {
                FreeLibrary(module);
            } else if (module != nullptr) {
                Hid2Entries::Bind(module, library.entries);
            }
        }
    }
    return library;
}

int Call(Hid2Call::Entry entry, const int* arguments, int count) {
    return entry == nullptr ? 0 : Hid2Call::Call(entry, arguments, count).value;
}

} // namespace

bool Wanted() {
    return Forwarded().named == Library::ANOTHER_LIBRARY;
}

bool IsTarget() {
    return Forwarded().named == Library::THIS_LIBRARY;
}

int Open() {
    return Call(Forwarded().entries.hidinit, nullptr, 0);
}

int Write(int handle, int port, int value) {
    const int arguments[] = {handle, port, value};
    return Call(Forwarded().entries.hidwrite, arguments, 3);
}

int Read(int handle, int port) {
    const int arguments[] = {handle, port};
    return Call(Forwarded().entries.hidread, arguments, 2);
}

} // namespace ForwardLink

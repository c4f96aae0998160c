#include "hid2_entries.h"

namespace Hid2Entries {
namespace {

struct Binding {
    HMODULE module;
    bool complete = true;
    DWORD firstError = ERROR_SUCCESS;

    Hid2Call::Entry EntryOf(const char* name) {
        const FARPROC entry = GetProcAddress(module, name);
        if (entry == nullptr && complete) {
            complete = false;
            firstError = GetLastError();
        }
        return reinterpret_cast<Hid2Call::Entry>(entry);
    }
};

} // namespace

bool Bind(HMODULE module, Entries& entries) {
    Binding binding{module};
    entries.hidinit = binding.EntryOf(HIDINIT);
    entries.hidwrite = binding.EntryOf(HIDWRITE);
    entries.hidread = binding.EntryOf(HIDREAD);
    if (!binding.complete) {
        SetLastError(binding.firstError);
    }
    return binding.complete;
}

} // namespace Hid2Entries

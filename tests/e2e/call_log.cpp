#include "call_log.h"

#include "utf8.h"
#include "whole_file.h"

using Kind = Sim::LoggedCall::Kind;

// A log that cannot be opened has no calls; of one that cannot be read to its end, the
// calls read before the failure count.
Calls ReadLog(const std::string& path) {
    std::string text;
    WholeFile::Read(Utf8::ToWide(path), text);
    return Sim::ParseLog(text).calls;
}

Expected::Writes WritesOf(const Calls& calls, size_t from) {
    Expected::Writes writes;
    for (size_t i = from; i < calls.size(); ++i) {
        if (calls[i].kind == Kind::HIDWRITE) {
            writes.push_back({calls[i].port, calls[i].value});
        }
    }
    return writes;
}

size_t CountOf(const Calls& calls, Kind kind) {
    size_t count = 0;
    for (const Sim::LoggedCall& call : calls) {
        count += call.kind == kind ? 1u : 0u;
    }
    return count;
}

long long GapBeforeWrite(const Calls& calls, size_t index) {
    size_t seen = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == Kind::HIDWRITE && seen++ == index) {
            return i == 0 ? -1 : calls[i].microseconds - calls[i - 1].microseconds;
        }
    }
    return -1;
}

#include "call_log.h"

#include <cstdio>

using Kind = Sim::LoggedCall::Kind;

Calls ReadLog(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return {};
    }
    char chunk[4096];
    size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        text.append(chunk, read);
    }
    std::fclose(file);
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

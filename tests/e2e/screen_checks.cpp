#include "screen_checks.h"

#include "check.h"

#include <algorithm>
#include <cstdio>
#include <string>

const size_t BRING_UP_AND_SPLASH = Expected::BringUp().size() + Expected::Splash().size();

namespace {

std::string Describe(const Expected::Writes& writes, size_t from, size_t count) {
    std::string text;
    for (size_t i = from; i < writes.size() && i < from + count; ++i) {
        char pair[24];
        std::snprintf(pair, sizeof pair, "(%d,%d)", writes[i].port, writes[i].value);
        text += pair;
    }
    return text;
}

} // namespace

void CheckWrites(const Expected::Writes& actual, const Expected::Writes& expected,
                 const char* what) {
    size_t first = 0;
    while (first < actual.size() && first < expected.size() && actual[first] == expected[first]) {
        ++first;
    }
    Check(actual == expected, "%s: %zu writes, expected %zu; first difference at %zu: %s vs %s",
          what, actual.size(), expected.size(), first, Describe(actual, first, 6).c_str(),
          Describe(expected, first, 6).c_str());
}

Expected::Writes AfterSplash(const Expected::Writes& writes) {
    return Expected::Writes(
        writes.begin() + static_cast<std::ptrdiff_t>(std::min(writes.size(), BRING_UP_AND_SPLASH)),
        writes.end());
}

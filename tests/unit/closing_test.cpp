// When hid2check waits for Enter before it ends: only alone on a console it reads and
// writes, as when Explorer started it; never from a prompt, and never redirected.
#include "closing.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* what;
    Closing::ConsoleAtStart console;
    bool waits;
};

const Case CASES[] = {
    {"double-clicked in Explorer", {1, true, true}, true},
    {"from a command prompt", {2, true, true}, false},
    {"from a batch file run by a prompt", {3, true, true}, false},
    {"no console at all", {0, false, false}, false},
    {"alone, its output redirected", {1, true, false}, false},
    {"alone, its input redirected", {1, false, true}, false},
};

TEST(Hid2checkClosing, WaitsForEnterOnlyOnAConsoleOfItsOwn) {
    for (const Case& c : CASES) {
        EXPECT_EQ(Closing::WaitsForEnter(c.console), c.waits) << c.what;
    }
}

} // namespace

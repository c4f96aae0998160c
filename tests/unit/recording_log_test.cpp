// hid2check --record's log: each recording a new log, never appended to one there is, and
// whether a board answered at all.
#include "recording_log.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using RecordingLog::Creation;

struct NameCase {
    const char* what;
    std::set<std::string> there;
    // The one name whose creation fails for another reason than being there.
    std::string failing;
    std::string created;
};

const NameCase NAMES[] = {
    {"the first log", {}, "", "korvan3-1.log"},
    {"after those there are", {"korvan3-1.log", "korvan3-2.log"}, "", "korvan3-3.log"},
    {"the first gap", {"korvan3-2.log", "korvan3-3.log"}, "", "korvan3-1.log"},
    {"none where creating fails", {"korvan3-1.log"}, "korvan3-2.log", ""},
};

TEST(RecordingLog, CreatesTheFirstFreeNameAndNothingElse) {
    for (const NameCase& c : NAMES) {
        std::set<std::string> files = c.there;
        const std::string name = RecordingLog::CreateFirstFree([&](const std::string& candidate) {
            if (candidate == c.failing) {
                return Creation::FAILED;
            }
            return files.insert(candidate).second ? Creation::CREATED : Creation::EXISTS;
        });
        EXPECT_EQ(name, c.created) << c.what;
        std::set<std::string> expected = c.there;
        if (!c.created.empty()) {
            expected.insert(c.created);
        }
        EXPECT_EQ(files, expected) << c.what;
    }
}

// Only the low 16 bits of hidinit's result make a handle, as KORVAN3.exe takes it.
struct BoardCase {
    const char* what;
    const char* log;
    bool answered;
};

const BoardCase BOARDS[] = {
    {"every hidinit found none", "10 hidinit 0\n20 hidinit 65536\n", false},
    {"a handle with bit 15 set", "10 hidinit 0\n20 hidinit -2147450880\n", true},
    {"nothing but writes", "10 Hidwrite 4660 1 48\n", false},
};

TEST(RecordingLog, TellsWhetherABoardAnswered) {
    for (const BoardCase& c : BOARDS) {
        EXPECT_EQ(RecordingLog::Replay(c.log).boardAnswered, c.answered) << c.what;
    }
}

} // namespace

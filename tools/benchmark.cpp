// The program's figures under Wine, for scripts/benchmark.sh: start-up times, click round
// trips, port writes per screen and the peak working set. Figures, not checks.
//   benchmark <path of KORVAN3.exe> <log file>
#include "call_log.h"
#include "check.h"
#include "clock.h"
#include "expected_screens.h"
#include "program.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int CLICKS = 200;
const char* const FIRST_ROW = "0123456789ABCDEF";
const char* const SECOND_ROW = "\xCA\xDD\xD6\xB3 USB-IO LCD!";

long long Median(std::vector<long long> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Milliseconds(long long microseconds) {
    return static_cast<double>(microseconds) / 1000.0;
}

size_t WritesIn(const std::string& log) {
    return CountOf(ReadLog(log), Sim::LoggedCall::Kind::HIDWRITE);
}

// Clicks the button CLICKS times, each click one screen written to the end.
void MeasureClicks(const Program& program, int id, const char* what) {
    const size_t before = WritesIn(program.log);
    std::vector<long long> roundTrips;
    for (int i = 0; i < CLICKS; ++i) {
        const long long start = Clock::NowMicroseconds();
        Click(program, id);
        roundTrips.push_back(Clock::NowMicroseconds() - start);
    }
    const size_t writes = WritesIn(program.log) - before;
    std::printf("%s click: median round trip %.3f ms over %d, %zu port writes per screen\n", what,
                Milliseconds(Median(roundTrips)), CLICKS, writes / static_cast<size_t>(CLICKS));
}

// Waits show as gaps between calls: the initialisation's 6 and 3 ms, and nothing else
// within the clicks on the display button, which follow each other at once.
void PrintGaps(const Calls& calls, size_t bringUpAndSplash) {
    const size_t bringUpCalls = 1 + Expected::BringUp().size();
    const size_t displayClickWrites = CLICKS * Expected::UserText(FIRST_ROW, SECOND_ROW).size();
    size_t bringUpGaps = 0;
    long long largestLaterGap = 0;
    for (size_t i = 1; i < calls.size(); ++i) {
        const long long gap = calls[i].microseconds - calls[i - 1].microseconds;
        if (i < bringUpCalls) {
            bringUpGaps += gap > 2500 ? 1u : 0u;
        } else if (i > bringUpAndSplash + 1 && i <= bringUpAndSplash + displayClickWrites) {
            largestLaterGap = std::max(largestLaterGap, gap);
        }
    }
    std::printf("gaps over 2.5 ms in the bring-up: %zu; largest gap between writes during "
                "the display clicks: %.3f ms\n",
                bringUpGaps, Milliseconds(largestLaterGap));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: benchmark <KORVAN3.exe> <log>\n");
        return 2;
    }
    const std::string log = argv[2];
    Program program;
    if (!Start(program, argv[1], log, "")) {
        return 1;
    }
    const long long windowAt = Clock::NowMicroseconds() - program.startMicroseconds;
    const size_t expectedAtStart = Expected::BringUp().size() + Expected::Splash().size();
    Calls calls = WaitForWrites(program, expectedAtStart);
    const size_t bringUpAndSplash = CountOf(calls, Sim::LoggedCall::Kind::HIDWRITE);
    std::printf("window exists after      %8.1f ms\n", Milliseconds(windowAt));
    if (!calls.empty()) {
        std::printf("splash's last write after %7.1f ms\n",
                    Milliseconds(calls.back().microseconds - program.startMicroseconds));
    }
    SetText(program, ID_EDIT_LINE1, FIRST_ROW);
    SetText(program, ID_EDIT_LINE2, SECOND_ROW);
    MeasureClicks(program, ID_BUTTON_SHOW, "LCD display");
    MeasureClicks(program, ID_BUTTON_TIME, "time");
    std::printf("bring-up and splash: %zu port writes (%zu + %zu)\n", bringUpAndSplash,
                Expected::BringUp().size(), Expected::Splash().size());
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(program.process.hProcess, &memory, sizeof memory);
    const size_t beforeClose = ReadLog(log).size();
    Close(program);
    calls = ReadLog(log);
    std::printf("goodbye: %zu port writes\n", WritesOf(calls, beforeClose).size());
    std::printf("peak working set: %zu KiB\n",
                static_cast<size_t>(memory.PeakWorkingSetSize / 1024));
    PrintGaps(calls, bringUpAndSplash);
    return FailedChecks() == 0 ? 0 : 1;
}

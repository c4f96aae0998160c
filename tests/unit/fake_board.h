// A recording stand-in for the LCD subsystem's platform seam: HID2.DLL's entry
// points, the sleep and the date/time formatting.
#pragma once

#include "expected_screens.h"

#include <string>
#include <vector>

namespace FakeBoard {

struct Event {
    enum Kind { INIT, WRITE, SLEEP, FORMAT_DATE, FORMAT_TIME } kind;
    int handle;          // INIT: the result returned; WRITE: the handle passed
    int port;            // WRITE only
    int value;           // WRITE: the value; SLEEP: milliseconds
    std::string picture; // FORMAT_*: the picture asked for

    bool operator==(const Event&) const = default;
};

using Expected::PortWrite;

// Forgets all events, scripts successive hidinit results (the last one repeats;
// none: a fixed handle), and resets what the clock formats to.
void Reset(std::vector<int> initResults = {});
// What the date and time formatting produce next; nullptr makes the call fail.
void SetFormattedNow(const char* date, const char* time);

// How many buffers reached the date or time formatting with a byte that was not zero.
int DirtyFormatBuffers();

const std::vector<Event>& Events();
std::vector<PortWrite> PortWrites();
int InitCount();
std::vector<int> Sleeps();
// The data port codes written, in order.
std::vector<int> DataCodes();

constexpr int DEFAULT_HANDLE = 0x1234;

} // namespace FakeBoard

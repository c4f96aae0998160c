#include "fake_board.h"

#include "hid2.h"
#include "platform.h"
#include "recorder.h"

#include <cstring>

namespace FakeBoard {
namespace {

std::vector<Event> events;
std::vector<int> initScript;
size_t initIndex = 0;
const char* formattedDate = "";
const char* formattedTime = "";
int dirtyFormatBuffers = 0;

void Format(Event::Kind kind, const char* picture, const char* text, char* buffer) {
    events.push_back({kind, 0, 0, 0, picture});
    for (int i = 0; i < Platform::FORMAT_BUFFER_SIZE; ++i) {
        if (buffer[i] != '\0') {
            ++dirtyFormatBuffers;
            break;
        }
    }
    if (text != nullptr) {
        std::strncpy(buffer, text, Platform::FORMAT_BUFFER_SIZE - 1);
    }
}

} // namespace

void Reset(std::vector<int> initResults) {
    events.clear();
    initScript = std::move(initResults);
    initIndex = 0;
    dirtyFormatBuffers = 0;
    SetFormattedNow("", "");
}

void SetFormattedNow(const char* date, const char* time) {
    formattedDate = date;
    formattedTime = time;
}

int DirtyFormatBuffers() {
    return dirtyFormatBuffers;
}

const std::vector<Event>& Events() {
    return events;
}

std::vector<PortWrite> PortWrites() {
    std::vector<PortWrite> writes;
    for (const Event& e : events) {
        if (e.kind == Event::WRITE) {
            writes.push_back({e.port, e.value});
        }
    }
    return writes;
}

int InitCount() {
    int count = 0;
    for (const Event& e : events) {
        count += e.kind == Event::INIT ? 1 : 0;
    }
    return count;
}

std::vector<int> Sleeps() {
    std::vector<int> sleeps;
    for (const Event& e : events) {
        if (e.kind == Event::SLEEP) {
            sleeps.push_back(e.value);
        }
    }
    return sleeps;
}

std::vector<int> DataCodes() {
    std::vector<int> codes;
    for (const PortWrite& w : PortWrites()) {
        if (w.port == Expected::DATA_PORT) {
            codes.push_back(w.value);
        }
    }
    return codes;
}

} // namespace FakeBoard

using FakeBoard::Event;

extern "C" int hidinit(void) {
    int result = FakeBoard::DEFAULT_HANDLE;
    if (!FakeBoard::initScript.empty()) {
        result = FakeBoard::initScript[FakeBoard::initIndex];
        if (FakeBoard::initIndex + 1 < FakeBoard::initScript.size()) {
            ++FakeBoard::initIndex;
        }
    }
    FakeBoard::events.push_back({Event::INIT, result, 0, 0, {}});
    return result;
}

// While hid2check's recorder runs, it catches what reaches the board, as it does from
// hid2check's own seam.
extern "C" int Hidwrite(int handle, int port, int value) {
    Recorder::Caught({Sim::WriteOrWait::Kind::WRITE, port, value});
    FakeBoard::events.push_back({Event::WRITE, handle, port, value, {}});
    return 1;
}

extern "C" int Hidread(int, int) {
    return 0;
}

namespace Platform {

void SleepMilliseconds(int milliseconds) {
    Recorder::Caught({Sim::WriteOrWait::Kind::WAIT, 0, milliseconds});
    FakeBoard::events.push_back({Event::SLEEP, 0, 0, milliseconds, {}});
}

void FormatCurrentDate(const char* picture, char* buffer) {
    FakeBoard::Format(Event::FORMAT_DATE, picture, FakeBoard::formattedDate, buffer);
}

void FormatCurrentTime(const char* picture, char* buffer) {
    FakeBoard::Format(Event::FORMAT_TIME, picture, FakeBoard::formattedTime, buffer);
}

} // namespace Platform

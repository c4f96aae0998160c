// The log of hid2check --record: its name, and its replay on the simulator's model.
#include "recording_log.h"

#include "board.h"
#include "replay.h"
#include "usbio_link.h"

#include <algorithm>

namespace RecordingLog {
namespace {

// More logs than anyone keeps in one folder: past this something else is wrong.
constexpr int MOST_LOGS = 9999;

} // namespace

std::string Name(int number) {
    return "korvan3-" + std::to_string(number) + ".log";
}

std::string CreateFirstFree(const std::function<Creation(const std::string&)>& create) {
    for (int number = 1; number <= MOST_LOGS; ++number) {
        const std::string name = Name(number);
        switch (create(name)) {
        case Creation::CREATED:
            return name;
        case Creation::FAILED:
            return "";
        case Creation::EXISTS:
            break;
        }
    }
    return "";
}

Replayed Replay(std::string_view log) {
    const Sim::ParsedLog parsed = Sim::ParseLog(log);
    Replayed replayed;
    replayed.calls = parsed.calls.size();
    replayed.boardAnswered =
        std::any_of(parsed.calls.begin(), parsed.calls.end(), [](const Sim::LoggedCall& call) {
            return call.kind == Sim::LoggedCall::Kind::HIDINIT &&
                   UsbIoLink::HandleOf(call.handle) != 0;
        });
    Sim::Board board;
    Sim::Replay(parsed.calls, true).PlayAll(board);
    for (int row = 0; row < 2; ++row) {
        std::string text = board.RowText(row);
        text.erase(text.find_last_not_of(' ') + 1);
        replayed.rows[row] = text;
    }
    replayed.violations = board.Violations();
    replayed.transfers = board.Transfers();
    return replayed;
}

} // namespace RecordingLog

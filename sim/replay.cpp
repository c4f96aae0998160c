#include "replay.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>

namespace Sim {
namespace {

struct CallForm {
    std::string_view name;
    LoggedCall::Kind kind;
    size_t numbers;
    LineProblem usage;
};

constexpr CallForm CALL_FORMS[] = {
    {"hidinit", LoggedCall::Kind::HIDINIT, 1, LineProblem::HIDINIT_NUMBERS},
    {"Hidwrite", LoggedCall::Kind::HIDWRITE, 3, LineProblem::HIDWRITE_NUMBERS},
    {"Hidread", LoggedCall::Kind::HIDREAD, 2, LineProblem::HIDREAD_NUMBERS},
};

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && Blank(line[at])) {
            ++at;
        }
        const size_t start = at;
        while (at < line.size() && !Blank(line[at])) {
            ++at;
        }
        if (at > start) {
            words.push_back(line.substr(start, at - start));
        }
    }
    return words;
}

// A whole word of decimal digits, with a minus sign if negative.
template <typename Integer> bool ParseDecimal(std::string_view word, Integer& value) {
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

} // namespace

LineProblem ParseLogLine(std::string_view line, LoggedCall& call) {
    const std::vector<std::string_view> words = Words(line);
    int64_t microseconds = 0;
    if (words.empty() || !ParseDecimal(words[0], microseconds) || microseconds < 0) {
        return LineProblem::NO_TIME;
    }
    if (words.size() < 2) {
        return LineProblem::NO_CALL;
    }
    const auto form = std::find_if(std::begin(CALL_FORMS), std::end(CALL_FORMS),
                                   [&words](const CallForm& f) { return f.name == words[1]; });
    if (form == std::end(CALL_FORMS)) {
        return LineProblem::UNKNOWN_CALL;
    }
    if (words.size() != 2 + form->numbers) {
        return form->usage;
    }
    int32_t numbers[3] = {0, 0, 0};
    for (size_t i = 0; i < form->numbers; ++i) {
        if (!ParseDecimal(words[2 + i], numbers[i])) {
            return form->usage;
        }
    }
    call.kind = form->kind;
    call.microseconds = microseconds;
    call.handle = numbers[0];
    call.port = numbers[1];
    call.value = numbers[2];
    return LineProblem::NONE;
}

ParsedLog ParseLog(std::string_view text) {
    ParsedLog log;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (std::all_of(line.begin(), line.end(), Blank)) {
            continue;
        }
        LoggedCall call;
        if (const LineProblem problem = ParseLogLine(line, call); problem != LineProblem::NONE) {
            log.badLine = number;
            log.problem = problem;
            return log;
        }
        log.calls.push_back(call);
    }
    return log;
}

Replay::Replay(std::vector<LoggedCall> loggedCalls, bool countRecordedGaps)
    : calls(std::move(loggedCalls)), countGaps(countRecordedGaps) {}

void Replay::PlayNext(Board& board) {
    if (Finished()) {
        return;
    }
    const LoggedCall& call = calls[next];
    lastDue = NextDueMicroseconds();
    lastRecorded = call.microseconds;
    ++next;
    if (call.kind == LoggedCall::Kind::HIDREAD) {
        return;
    }
    if (call.kind == LoggedCall::Kind::HIDWRITE) {
        // A clock that went back (or the first call) makes no gap, as in the stand-in.
        const uint64_t gap = gapStarted && call.microseconds >= gapStart
                                 ? static_cast<uint64_t>(call.microseconds - gapStart)
                                 : 0;
        if (countGaps && gap > board.WriteCostMicroseconds()) {
            board.Wait(gap - board.WriteCostMicroseconds());
        }
        board.WritePort(call.port, call.value);
    }
    gapStarted = true;
    gapStart = call.microseconds;
}

void Replay::PlayAll(Board& board) {
    while (!Finished()) {
        PlayNext(board);
    }
}

uint64_t Replay::NextDueMicroseconds() const {
    if (next == 0 || Finished()) {
        return lastDue;
    }
    const int64_t pause = calls[next].microseconds - lastRecorded;
    return lastDue + (pause <= 0 ? 0 : std::min(static_cast<uint64_t>(pause), MAX_PAUSE_US));
}

bool Replay::PlayUntil(uint64_t elapsed, Board& board) {
    bool played = false;
    while (!Finished() && NextDueMicroseconds() <= elapsed) {
        PlayNext(board);
        played = true;
    }
    return played;
}

std::string DisplayReport(const Board& board) {
    char counters[96];
    std::snprintf(counters, sizeof counters, "violations %d writes %llu\n", board.Violations(),
                  static_cast<unsigned long long>(board.PortWrites()));
    return board.RowText(0) + "\n" + board.RowText(1) + "\n" + counters;
}

} // namespace Sim

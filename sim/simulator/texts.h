// Everything the simulator says to a person, in English and in Japanese: the window's
// title and counters, the messages on the standard error and the --help text. The --print
// and --text output is no such text: scripts read it, so it stays the same in every
// language.
#pragma once

#include "replay.h"

#include <initializer_list>
#include <string>

namespace Texts {

enum class Language { ENGLISH, JAPANESE };

// Japanese where the Windows display language is Japanese, English everywhere else.
Language DisplayLanguage();

// The language of every text from now on; English until it is chosen.
void Use(Language language);

enum class Id {
    TITLE,
    // %1: the replayed file.
    REPLAY_TITLE,
    REPLAY_ENDED_TITLE,
    // %1 and %2: port writes and transfers; then, in a colour of its own when not 0,
    // %1: timing violations.
    COUNTS,
    VIOLATIONS,
    // %1: virtual time, %2: write cost, both in microseconds.
    TIMES,
    USAGE,
    HELP,
    NO_SIMULATOR,
    DID_NOT_CLOSE,
    NO_WINDOW,
    RUNNING_ALREADY,
    // %1: the file.
    CANNOT_READ,
    // %1: the file, %2: the line number, %3: what is wrong with the line.
    BAD_LINE,
    COUNT
};

const wchar_t* Get(Id id);

// What is wrong with a line of a replayed log, in words.
const wchar_t* Describe(Sim::LineProblem problem);

// `pattern` with %1, %2 ... replaced by the values, in order.
std::wstring Fill(const wchar_t* pattern, std::initializer_list<std::wstring> values);

} // namespace Texts

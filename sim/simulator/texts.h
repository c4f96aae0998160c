// Everything the simulator says to a person, in English and in Japanese: the window's
// title and counters, the messages on the standard error and the --help text. The --print
// and --text output is no such text: scripts read it, so it stays the same in every
// language.
#pragma once

#include "language.h"
#include "replay.h"

#include <initializer_list>
#include <string>

namespace LcdsimTexts {

using UiLanguage::Language;

// The language of every text from now on; English until it is chosen.
void Use(Language language);

enum class Id {
    TITLE,
    // {0}: the replayed file.
    REPLAY_TITLE,
    REPLAY_ENDED_TITLE,
    // After the title, {0}: the board's mis-wiring, as --miswire writes it.
    MISWIRED,
    // After the title, {0}: the controller's choices that are not the defaults, as
    // --controller writes them.
    CONTROLLER,
    // {0} and {1}: port writes and transfers; then, in a colour of its own when not 0,
    // {0}: timing violations.
    COUNTS,
    VIOLATIONS,
    // {0}: virtual time, {1}: write cost, both in microseconds.
    TIMES,
    USAGE,
    HELP,
    NO_SIMULATOR,
    DID_NOT_CLOSE,
    NO_WINDOW,
    RUNNING_ALREADY,
    // {0}: the file.
    CANNOT_READ,
    // {0}: the file, {1}: the line number, {2}: what is wrong with the line.
    BAD_LINE,
    // {0}: the item of --miswire that is no wiring.
    BAD_MISWIRE,
    // {0}: the item of --controller that is no choice.
    BAD_CONTROLLER,
    // What a start with --miswire or --controller did to the simulator already running.
    // {0}: the wiring as --miswire writes it.
    REWIRED,
    REWIRED_CORRECTLY,
    // {0}: the choices that are not the defaults, as --controller writes them.
    CONTROLLER_CHOSEN,
    CONTROLLER_DEFAULTS,
    DID_NOT_REWIRE,
    COUNT
};

// The text of `id` in the language in use, in UTF-8, with {0}, {1} ... replaced by the
// arguments (see text_table.h).
std::string Say(Id id, std::initializer_list<std::string> arguments = {});

// What is wrong with a line of a replayed log, in words.
std::string Describe(Sim::LineProblem problem);

} // namespace LcdsimTexts

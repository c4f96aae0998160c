// How hid2check talks to its checking process: hid2check started again with SWITCH and a
// task, which makes every call into the user's library and tells the reporting process
// what happens, one line a step, each line an event word and its figures:
//   hid2check --check-in-child <pipe handle> <task> <screen> <mark> <library path>
//   step load|hidinit|probe|timing|screen|wiring  the next call into the library begins
//   loaded | load-failed <error>            LoadLibrary's outcome
//   opened <result> <microseconds>          what hidinit returned, and after how long
//   probed <stack change>                   one harmless Hidwrite: the convention
//   timed <microseconds>...                 the times of the timed writes
//   tick                                    another call of the step returned
//   shown                                   the test screen is on the LCD
//   wired <screen>                          the wiring screen is on the LCD
//   crash <code>                            an exception nothing handled, in hex
//   end                                     nothing more to do
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace Protocol {

constexpr const wchar_t* SWITCH = L"--check-in-child";
constexpr const wchar_t* NO_MARK = L"-";

// LOAD: only load the library (its names are not all there); BIND: load it and find the
// three entry points, as Windows does for KORVAN3.exe; LIVE: then also open the board,
// probe, time the writes and show the test screen; WIRING: open the board and show the
// wiring screen named on the command line (--wiring N); DIALOGUE: the same for a screen
// the wiring dialogue asks about; LINES: open the board and set one step of the line walk,
// or after the last step put the display back to a clean state.
enum class Task { LOAD, BIND, LIVE, WIRING, DIALOGUE, LINES };
constexpr std::array<std::wstring_view, 6> TASK_WORDS = {L"load",   L"bind",     L"live",
                                                         L"wiring", L"dialogue", L"lines"};

enum class Event {
    STEP,
    LOADED,
    LOAD_FAILED,
    OPENED,
    PROBED,
    TIMED,
    TICK,
    SHOWN,
    WIRED,
    CRASH,
    END
};
constexpr std::array<std::string_view, 11> EVENT_WORDS = {
    "step", "loaded", "load-failed", "opened", "probed", "timed",
    "tick", "shown",  "wired",       "crash",  "end"};

// The call a STEP begins.
enum class Call { LOAD, HIDINIT, PROBE, TIMING, SCREEN, WIRING };
constexpr std::array<std::string_view, 6> CALL_WORDS = {"load",   "hidinit", "probe",
                                                        "timing", "screen",  "wiring"};

// What one run of the checking process does. A later screen or step of the same dialogue
// (`repeat`) does not describe the library and the board again.
struct Run {
    Task task = Task::LOAD;
    int screen = 0; // WIRING, DIALOGUE: the wiring screen to show; LINES: the step
    bool repeat = false;
    // DIALOGUE: shown after the screen's claim (digits; NO_MARK on the command line for none).
    std::string mark = "";
    // The board is opened to put something on the LCD, and there is no verdict once it is
    // there.
    bool ShowsOnTheLcd() const {
        return task == Task::WIRING || task == Task::DIALOGUE || task == Task::LINES;
    }
};

inline std::wstring_view Word(Task task) {
    return TASK_WORDS[static_cast<size_t>(task)];
}
inline std::string_view Word(Event event) {
    return EVENT_WORDS[static_cast<size_t>(event)];
}
inline std::string_view Word(Call call) {
    return CALL_WORDS[static_cast<size_t>(call)];
}

// The value whose word `word` is, in a table above.
template <typename Enum, typename View, size_t N>
std::optional<Enum> FromWord(const std::array<View, N>& words, View word) {
    for (size_t i = 0; i < N; ++i) {
        if (word == words[i]) {
            return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

} // namespace Protocol

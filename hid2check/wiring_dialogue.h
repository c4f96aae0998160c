// The dialogue of `hid2check --wiring`: it shows a wiring screen, asks what the LCD shows,
// and picks the next screen from the answers until it can name the fault.
//
// It assumes neither one controller nor one past of the display. A candidate is a fault of
// the catalogue (fault_catalogue.h), or the display itself (a contrast at which nothing
// shows or every cell is dark, no power at the LCD), on a controller that makes any of the
// choices the datasheet leaves open (controller_choices.h), after any of the histories
// below; it stays while it fits every answer. The choices are split only where the writes
// meet their corner. A display that no transfer of this run reached shows what was there
// before, whatever that was: it fits any answer but this run's own text, which carries a
// mark no earlier run left. A custom character shows a pattern nothing sets at power-on,
// so it fits blank, dark or any character (Looks). Each answer may be one slip (boxes,
// blank, characters and "nothing changed" taken for one another, a character mistyped):
// a candidate goes at its second, and a verdict names only what every candidate left
// agrees on, and a single fault by name only where it fits every answer as given.
//
// The first screen is the correct wiring's, so a correct board takes one answer; a fault
// that a screen makes up for is named only once its own screen read its claim.
#pragma once

#include "board.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace WiringDialogue {

// What a person tells of the LCD after a screen: row 0 reads the screen's own text, other
// characters, dark boxes and nothing else (on row 0 or on both rows), nothing at all, or
// the display did not change.
enum class Seen { TEXT, OTHER, BOXES, BLANK, UNCHANGED };

struct Answer {
    std::optional<Seen> seen; // nothing: can't tell
    // OTHER: row 0 as typed, '?' for a character the user cannot type; may be empty.
    std::string typed;
    bool operator<(const Answer& other) const {
        return seen != other.seen ? seen < other.seen : typed < other.typed;
    }
};

// How a person sees the two rows as the model (and LCDSIM --print) writes them, after a
// screen whose row 0 is `own`.
Seen Classify(const std::string& row0, const std::string& row1, const std::string& own);

// What a person may take the rows for where they hold custom characters ("▒"), whose
// patterns nothing sets at power-on: each blank, dark or some character, or those of
// row 0 dark and those of row 1 blank. Classify's one answer where they hold none.
std::set<Seen> Looks(const std::string& row0, const std::string& row1, const std::string& own);

// Row 0 as a user types it: trimmed, each character outside ASCII a '?'.
std::string Typable(const std::string& row0);

// What the display may have been through when the dialogue begins: power-on, hid2check
// --live's test screen, a KORVAN3.exe session, an earlier dialogue's first screen on this
// wiring or on a correct one, and a controller left half-way through a 4-bit byte.
struct History {
    std::vector<Sim::WriteOrWait> steps;
    bool correctWiring = false; // the steps went through the correct wiring
};
const std::vector<History>& Histories();

struct Choice {
    int number; // 1, 2 ... in order; 0 is "can't tell"
    std::optional<Seen> seen;
    std::string text;
};

struct Question {
    int screen;
    // "wiring: screen 39 is on the LCD (question 2). What does it show?"
    std::string prompt;
    std::vector<Choice> choices;
};

struct Verdict {
    enum class Kind { NAMED, LOOK_ALIKES, DISPLAY, GENERIC };
    Kind kind = Kind::GENERIC;
    // Indices into FaultCatalogue::All(): the fault named, or the look-alikes.
    std::vector<size_t> faults;
    // The look-alikes, one a line, before the verdict.
    std::vector<std::string> details;
    std::string text;
};

class Dialogue {
  public:
    // `mark`: shown after each screen's claim, a text no earlier run left on the display.
    explicit Dialogue(std::string mark);

    // The screen to show next, the same until it is answered; nothing once the dialogue
    // has ended.
    std::optional<int> NextScreen();
    // The question about the screen NextScreen() gave.
    Question CurrentQuestion() const;
    // The answer to the current question.
    void Give(const Answer& answer);
    // The verdict; the generic list while the dialogue has not ended (the user gave no
    // more answers).
    Verdict Result() const;

    int Answers() const { return static_cast<int>(shown.size()); }

  private:
    // The states of the model the candidates are in, each played into once a screen, shared
    // by the copies of a dialogue.
    struct States;
    struct Candidate {
        uint32_t state;
        int slips = 0;
        // A display no transfer of this run reached shows one thing all along: the first
        // answer that said what.
        std::string stale = "";
    };
    enum class Fit { YES, SLIP, NO };

    Fit FitOf(const Candidate& candidate, uint32_t after, const Answer& answer,
              const std::string& own) const;
    Answer Likely(uint32_t before, uint32_t after, const std::string& own) const;
    std::optional<int> Choose();
    // Each fault of the candidates (by ClassOf), with the fewest slips a candidate of it has.
    std::map<size_t, int> FewestSlips() const;

    std::string mark;
    std::shared_ptr<States> states;
    std::vector<Candidate> candidates;
    std::vector<int> shown;
    std::vector<Answer> answers;
    int unanswered = 0;
    bool ended = false;
    std::optional<int> pending;
};

} // namespace WiringDialogue

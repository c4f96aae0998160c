// The dialogue of `hid2check --wiring`: it shows a wiring screen, asks what the LCD shows,
// and picks the next screen from the answers until it can name the fault.
//
// A candidate is a fault of the catalogue (fault_catalogue.h) after one of the histories
// below, kept while it fits every answer. What it shows is what the board model shows
// under the fault after the history and all the screens written so far: the display keeps
// what each leaves. Each question offers what the candidates would show on its screen,
// seen as a person sees it (a readable text on row 0, a row of boxes, nothing at all,
// other characters), and "can't tell"; the screen asked is the one whose answers leave the
// fewest faults on average.
// The first screen is the correct wiring's, so a correct board takes one answer.
//
// It ends with a fault named in words, the faults the screens cannot tell apart with the
// steps of the line walk that can, or, where the answers fit no fault or were not given,
// the generic list of things to check: never a fault the answers did not single out.
#pragma once

#include "board.h"

#include <optional>
#include <string>
#include <vector>

namespace WiringDialogue {

// What a person sees on the LCD after a screen.
struct Outcome {
    enum class Kind { TEXT, BOXES, BLANK, OTHER };
    Kind kind = Kind::BLANK;
    // For TEXT: row 0 without the blank cells at either end.
    std::string text;
    bool operator==(const Outcome& other) const { return kind == other.kind && text == other.text; }
    bool operator<(const Outcome& other) const {
        return kind != other.kind ? kind < other.kind : text < other.text;
    }
};

// From the two rows as the model (and LCDSIM --print) writes them: TEXT when row 0 holds
// printable ASCII alone, BOXES for row 0 all boxes with row 1 blank, BLANK for both rows
// blank, OTHER for anything else.
Outcome Classify(const std::string& row0, const std::string& row1);
Outcome Seen(const Sim::Board& board);

// What the display may have been through since power-on when the dialogue begins: nothing,
// hid2check --live's bring-up and test screen, or a KORVAN3.exe session. Under a fault that
// no screen makes up for, what a screen leaves depends on what came before; every fault is
// a candidate after each of these.
const std::vector<std::vector<Sim::WriteOrWait>>& Histories();

struct Choice {
    // 1, 2 ... in order; 0 is "can't tell".
    int number;
    std::optional<Outcome> outcome;
    std::string text;
};

struct Question {
    int screen;
    // "wiring: screen 2 is on the LCD. What does it show?"; the screens count from 1.
    std::string prompt;
    // The outcomes, then "can't tell".
    std::vector<Choice> choices;
};

struct Verdict {
    enum class Kind { NAMED, LOOK_ALIKES, GENERIC };
    Kind kind = Kind::GENERIC;
    // Indices into FaultCatalogue::All(): the fault named, or the look-alikes.
    std::vector<size_t> faults;
    // The look-alikes, one a line, before the verdict.
    std::vector<std::string> details;
    std::string text;
};

class Dialogue {
  public:
    Dialogue();

    // The screen to show next, the same until it is answered; nothing once the dialogue
    // has ended.
    std::optional<int> NextScreen();
    // The question about the screen NextScreen() gave.
    Question CurrentQuestion() const;
    // A choice of CurrentQuestion(), 0 for "can't tell"; false for a number not offered.
    bool Answer(int choice);
    // The verdict; the generic list while the dialogue has not ended (the user gave no
    // more answers).
    Verdict Result() const;

    int Answers() const { return static_cast<int>(shown.size()); }
    const std::vector<int>& ScreensShown() const { return shown; }

  private:
    struct Candidate {
        size_t fault;
        Sim::Board board;
        std::vector<Outcome> seen;
    };

    std::optional<int> Choose();
    std::vector<Outcome> Choices() const;
    bool Settled() const;
    std::vector<size_t> Faults() const;

    std::vector<Candidate> candidates;
    std::vector<int> shown;
    std::vector<std::optional<Outcome>> answers;
    int unanswered = 0;
    bool ended = false;
    std::optional<int> pending;
    // Each candidate's board after the pending screen.
    std::vector<Sim::Board> pendingBoards;
};

} // namespace WiringDialogue

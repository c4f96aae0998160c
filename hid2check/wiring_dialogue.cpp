// The wiring dialogue: candidates, the next screen, the choices and the verdict.
#include "wiring_dialogue.h"

#include "convention.h"
#include "fault_catalogue.h"
#include "keep_up.h"
#include "line_walk.h"
#include "recorder.h"
#include "texts.h"
#include "wiring_screens.h"

#include <algorithm>
#include <map>
#include <set>

namespace WiringDialogue {
namespace {

using FaultCatalogue::Fault;
using FaultCatalogue::Kind;
using Hid2checkTexts::Id;

// What the display shows does not depend on the board's pace, only whether it keeps up;
// a fast board keeps the model quick.
constexpr uint32_t WRITE_COST_US = 10;
// Three screens the user could not tell: more would not help, the contrast or the supply
// is the likelier cause.
constexpr int MAX_UNANSWERED = 3;
constexpr int NO_SCREEN = -1;

void PlayScreen(Sim::Board& board, int screen) {
    board.Play(WiringScreens::Recorded(screen));
}

Sim::Board BoardWiredAs(const Sim::Wiring& wiring) {
    Sim::Board board(WRITE_COST_US, wiring);
    board.KeepTrace(false);
    return board;
}

const Fault& FaultAt(size_t index) {
    return FaultCatalogue::All()[index];
}

// The screen written through the fault's inverse, if a remapping makes up for it.
int ScreenOf(const Fault& fault) {
    if (fault.kind == Kind::CORRECT) {
        return 0;
    }
    for (int screen = 1; screen < WiringScreens::ScreenCount(); ++screen) {
        if (WiringScreens::Claim(screen) == fault.miswire) {
            return screen;
        }
    }
    return NO_SCREEN;
}

bool PrintableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// A display pin open and the same pin held high are one fault to the controller (E open
// and E held low likewise), so the words cover both.
std::string InWords(const Fault& fault) {
    const std::string pin = Sim::Wiring::NameOf(fault.a);
    const bool e = fault.a == Sim::Wiring::E;
    switch (fault.kind) {
    case Kind::CORRECT:
        return Hid2checkTexts::Say(Id::FAULT_NONE);
    case Kind::EXCHANGE:
        return Hid2checkTexts::Say(Id::FAULT_EXCHANGED, {pin, Sim::Wiring::NameOf(fault.b)});
    case Kind::HELD_LOW:
        return Hid2checkTexts::Say(e ? Id::FAULT_LOW_OR_OPEN : Id::FAULT_LOW, {pin});
    case Kind::HELD_HIGH:
        return Hid2checkTexts::Say(e ? Id::FAULT_HIGH : Id::FAULT_HIGH_OR_OPEN, {pin});
    case Kind::OPEN:
        return Hid2checkTexts::Say(e ? Id::FAULT_LOW_OR_OPEN : Id::FAULT_HIGH_OR_OPEN, {pin});
    case Kind::RW_HIGH:
    case Kind::RW_OPEN:
        return Hid2checkTexts::Say(Id::FAULT_RW);
    case Kind::BUS_REVERSED:
        return Hid2checkTexts::Say(Id::FAULT_BUS_REVERSED);
    case Kind::BUS_UP:
        return Hid2checkTexts::Say(Id::FAULT_BUS_UP);
    case Kind::BUS_DOWN:
        return Hid2checkTexts::Say(Id::FAULT_BUS_DOWN);
    }
    return "";
}

// Of faults with one effect, the one to try in LCDSIM: the open wire, the commonest.
size_t Representative(const std::vector<size_t>& faults) {
    for (const size_t fault : faults) {
        if (FaultAt(fault).kind == Kind::OPEN || FaultAt(fault).kind == Kind::RW_OPEN) {
            return fault;
        }
    }
    return faults.front();
}

std::string Joined(const std::vector<int>& numbers) {
    std::vector<std::string> texts;
    for (const int number : numbers) {
        texts.push_back(std::to_string(number));
    }
    return Hid2checkTexts::Joined(texts);
}

} // namespace

Outcome Classify(const std::string& row0, const std::string& row1) {
    std::string boxes;
    for (int column = 0; column < Sim::Hd44780::VISIBLE_COLUMNS; ++column) {
        boxes += Sim::Board::BOX;
    }
    const std::string text = Hid2checkTexts::Trimmed(row0);
    const bool row1Blank = Hid2checkTexts::Trimmed(row1).empty();
    if (row0 == boxes && row1Blank) {
        return {Outcome::Kind::BOXES, ""};
    }
    if (text.empty() && row1Blank) {
        return {Outcome::Kind::BLANK, ""};
    }
    if (!text.empty() && PrintableAscii(text)) {
        return {Outcome::Kind::TEXT, text};
    }
    return {Outcome::Kind::OTHER, ""};
}

Outcome Seen(const Sim::Board& board) {
    return Classify(board.RowText(0), board.RowText(1));
}

const std::vector<std::vector<Sim::WriteOrWait>>& Histories() {
    static const std::vector<std::vector<Sim::WriteOrWait>> histories = {
        {},
        Recorder::Record([] {
            KeepUp::ShowTestScreen(Convention::ShortName(Convention::OF_A_WORKING_LIBRARY));
        }),
        Recorder::Record(KeepUp::ShowSession),
    };
    return histories;
}

Dialogue::Dialogue() {
    for (size_t fault = 0; fault < FaultCatalogue::All().size(); ++fault) {
        for (const std::vector<Sim::WriteOrWait>& history : Histories()) {
            candidates.push_back({fault, BoardWiredAs(FaultAt(fault).wiring), {}});
            candidates.back().board.Play(history);
        }
    }
}

// The faults the candidates stand for, each once, in the order of the catalogue.
std::vector<size_t> Dialogue::Faults() const {
    std::vector<size_t> faults;
    for (const Candidate& candidate : candidates) {
        if (faults.empty() || faults.back() != candidate.fault) {
            faults.push_back(candidate.fault);
        }
    }
    return faults;
}

std::optional<int> Dialogue::NextScreen() {
    if (ended || pending) {
        return pending;
    }
    pending = Choose();
    if (!pending) {
        ended = true;
        return pending;
    }
    pendingBoards.clear();
    for (const Candidate& candidate : candidates) {
        pendingBoards.push_back(candidate.board);
        PlayScreen(pendingBoards.back(), *pending);
    }
    return pending;
}

// The correct wiring's screen first. A fault left alone that a screen makes up for is
// named on the LCD: its own screen must read its claim.
std::optional<int> Dialogue::Choose() {
    if (shown.empty()) {
        return 0;
    }
    const auto wasShown = [this](int screen) {
        return std::find(shown.begin(), shown.end(), screen) != shown.end();
    };
    const size_t faults = Faults().size();
    if (faults <= 1 || unanswered >= MAX_UNANSWERED) {
        if (faults == 1 && unanswered < MAX_UNANSWERED) {
            const int own = ScreenOf(FaultAt(candidates.front().fault));
            if (own != NO_SCREEN && !wasShown(own)) {
                return own;
            }
        }
        return std::nullopt;
    }
    // The screen whose answers leave the fewest faults on average: the least sum of the
    // squares of the groups of faults that show alike.
    size_t bestScore = faults * faults;
    std::optional<int> best;
    for (int screen = 0; screen < WiringScreens::ScreenCount(); ++screen) {
        if (wasShown(screen)) {
            continue;
        }
        std::map<Outcome, std::set<size_t>> groups;
        for (const Candidate& candidate : candidates) {
            Sim::Board board = candidate.board;
            PlayScreen(board, screen);
            groups[Seen(board)].insert(candidate.fault);
        }
        size_t score = 0;
        for (const auto& group : groups) {
            score += group.second.size() * group.second.size();
        }
        if (score < bestScore) {
            bestScore = score;
            best = screen;
        }
    }
    return best;
}

// What the candidates show, readable texts first, then always the row of boxes, the blank
// display and other characters, so that a board no candidate fits has its answer too.
std::vector<Outcome> Dialogue::Choices() const {
    std::vector<Outcome> choices;
    for (const Sim::Board& board : pendingBoards) {
        const Outcome seen = Seen(board);
        if (seen.kind == Outcome::Kind::TEXT &&
            std::find(choices.begin(), choices.end(), seen) == choices.end()) {
            choices.push_back(seen);
        }
    }
    for (const auto kind : {Outcome::Kind::BOXES, Outcome::Kind::BLANK, Outcome::Kind::OTHER}) {
        choices.push_back({kind, ""});
    }
    return choices;
}

Question Dialogue::CurrentQuestion() const {
    Question question{pending.value_or(NO_SCREEN),
                      Hid2checkTexts::Say(Id::WIRING_QUESTION, {std::to_string(shown.size() + 1)}),
                      {}};
    const std::vector<Outcome> choices = Choices();
    const bool texts = choices.front().kind == Outcome::Kind::TEXT;
    for (size_t i = 0; i < choices.size(); ++i) {
        const Outcome& outcome = choices[i];
        std::string text;
        switch (outcome.kind) {
        case Outcome::Kind::TEXT:
            text = Hid2checkTexts::Say(Id::WIRING_CHOICE_TEXT, {outcome.text});
            break;
        case Outcome::Kind::BOXES:
            text = Hid2checkTexts::Say(Id::WIRING_CHOICE_BOXES);
            break;
        case Outcome::Kind::BLANK:
            text = Hid2checkTexts::Say(Id::WIRING_CHOICE_BLANK);
            break;
        case Outcome::Kind::OTHER:
            text = Hid2checkTexts::Say(texts ? Id::WIRING_CHOICE_OTHER : Id::WIRING_CHOICE_SOME);
            break;
        }
        question.choices.push_back({static_cast<int>(i) + 1, outcome, text});
    }
    question.choices.push_back({0, std::nullopt, Hid2checkTexts::Say(Id::WIRING_CANT_TELL)});
    return question;
}

bool Dialogue::Answer(int choice) {
    const std::vector<Outcome> choices = Choices();
    if (!pending || choice < 0 || choice > static_cast<int>(choices.size())) {
        return false;
    }
    std::optional<Outcome> answer;
    if (choice > 0) {
        answer = choices[static_cast<size_t>(choice - 1)];
    } else {
        ++unanswered;
    }
    shown.push_back(*pending);
    answers.push_back(answer);
    std::vector<Candidate> left;
    for (size_t i = 0; i < candidates.size(); ++i) {
        Candidate& candidate = candidates[i];
        candidate.board = pendingBoards[i];
        candidate.seen.push_back(Seen(candidate.board));
        if (!answer || candidate.seen.back() == *answer) {
            left.push_back(std::move(candidate));
        }
    }
    candidates = std::move(left);
    pending.reset();
    pendingBoards.clear();
    return true;
}

// Candidates that some screen written showed differently were not told apart by the
// answers: the user could not tell.
bool Dialogue::Settled() const {
    if (!ended || candidates.empty()) {
        return false;
    }
    for (const Candidate& candidate : candidates) {
        if (candidate.seen != candidates.front().seen) {
            return false;
        }
    }
    if (Faults().size() == 1) {
        // Named on the LCD: its own screen read its claim.
        const int own = ScreenOf(FaultAt(candidates.front().fault));
        for (size_t i = 0; own != NO_SCREEN && i < shown.size(); ++i) {
            if (shown[i] == own) {
                return answers[i].has_value();
            }
        }
        return own == NO_SCREEN;
    }
    return true;
}

Verdict Dialogue::Result() const {
    Verdict verdict;
    if (!Settled()) {
        verdict.text = Hid2checkTexts::Say(Id::WIRING_UNSURE);
        return verdict;
    }
    // One entry an effect, in the order of the catalogue.
    std::vector<std::vector<size_t>> effects;
    verdict.faults = Faults();
    for (const size_t fault : verdict.faults) {
        const int effect = FaultCatalogue::EffectOf(FaultAt(fault));
        auto same = std::find_if(effects.begin(), effects.end(), [effect](const auto& faults) {
            return FaultCatalogue::EffectOf(FaultAt(faults.front())) == effect;
        });
        if (same == effects.end()) {
            effects.push_back({fault});
        } else {
            same->push_back(fault);
        }
    }
    if (effects.size() == 1) {
        verdict.kind = Verdict::Kind::NAMED;
        const Fault& fault = FaultAt(Representative(effects.front()));
        verdict.text = fault.kind == Kind::CORRECT
                           ? InWords(fault)
                           : Hid2checkTexts::Say(Id::WIRING_NAMED, {InWords(fault), fault.miswire});
        return verdict;
    }
    verdict.kind = Verdict::Kind::LOOK_ALIKES;
    std::vector<Sim::Wiring> wirings;
    for (const std::vector<size_t>& faults : effects) {
        const Fault& fault = FaultAt(Representative(faults));
        verdict.details.push_back(
            Hid2checkTexts::Say(Id::WIRING_LOOK_ALIKE, {InWords(fault), fault.miswire}));
        wirings.push_back(fault.wiring);
    }
    verdict.text =
        Hid2checkTexts::Say(Id::WIRING_LOOK_ALIKES, {std::to_string(effects.size()),
                                                     Joined(LineWalk::Separating(wirings))});
    return verdict;
}

} // namespace WiringDialogue

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
#include <cctype>
#include <map>
#include <set>
#include <unordered_map>

namespace WiringDialogue {
namespace {

using Hid2checkTexts::Id;
using Hid2checkTexts::Say;

// What the display shows does not depend on the board's pace, only whether it keeps up;
// a fast board keeps the model quick.
constexpr uint32_t WRITE_COST_US = 10;
// Three screens the user could not tell: more would not help.
constexpr int MAX_UNANSWERED = 3;
constexpr int MAX_QUESTIONS = 12;
constexpr size_t FEW_FAULTS = 3;
// A candidate goes at its second slip.
constexpr int MAX_SLIPS = 1;
// What an earlier run's screen showed after its claim.
constexpr const char* EARLIER_MARK = "000";
// The display itself, after the catalogue's faults: nothing shows, or every cell is dark.
const size_t NOTHING_SHOWS = FaultCatalogue::All().size();
const size_t ALL_DARK = NOTHING_SHOWS + 1;

std::string Boxes() {
    std::string boxes;
    for (int column = 0; column < Sim::Hd44780::VISIBLE_COLUMNS; ++column) {
        boxes += Sim::Board::BOX;
    }
    return boxes;
}

const std::vector<std::string>& DisplayRows(size_t fault) {
    static const std::vector<std::string> blank(2, std::string(Sim::Hd44780::VISIBLE_COLUMNS, ' '));
    static const std::vector<std::string> dark(2, Boxes());
    return fault == NOTHING_SHOWS ? blank : dark;
}

// A row's characters, each as UTF-8.
std::vector<std::string> CellsOf(const std::string& row) {
    std::vector<std::string> cells;
    for (const char c : row) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 || cells.empty()) {
            cells.emplace_back();
        }
        cells.back() += c;
    }
    return cells;
}

// A custom character shows whatever pattern was last drawn for it, by this run or by
// anything before (nothing sets one at power-on): it may look blank, dark or like some
// character, though never like a letter of the screen's own text, which would take a
// pattern drawn as that very letter.
bool Custom(const std::string& cell) {
    return cell == Sim::Board::CUSTOM;
}

std::string Drawn(const std::string& row, const char* custom) {
    std::string drawn;
    for (const std::string& cell : CellsOf(row)) {
        drawn += Custom(cell) ? custom : cell;
    }
    return drawn;
}

// The same to a person: each cell the same, or a custom character on either side.
bool LooksSame(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    for (size_t row = 0; row < a.size(); ++row) {
        const std::vector<std::string> cellsA = CellsOf(a[row]);
        const std::vector<std::string> cellsB = CellsOf(b[row]);
        for (size_t cell = 0; cell < cellsA.size(); ++cell) {
            if (cellsA[cell] != cellsB[cell] && !Custom(cellsA[cell]) && !Custom(cellsB[cell])) {
                return false;
            }
        }
    }
    return true;
}

// Row 0 as typed: the typed text where the row shows characters, the cells around it
// blank; '?' for any character, a custom character any, case aside.
bool TypedAs(const std::string& typed, const std::string& row0) {
    const std::string text = Hid2checkTexts::Trimmed(typed);
    const std::vector<std::string> cells = CellsOf(row0);
    const auto fits = [&text](size_t at, const std::string& cell) {
        const auto a = static_cast<unsigned char>(text[at]);
        const auto b = static_cast<unsigned char>(cell[0]);
        return Custom(cell) || a == '?' || (cell.size() == 1 && std::tolower(a) == std::tolower(b));
    };
    for (size_t first = 0; first + text.size() <= cells.size(); ++first) {
        bool all = true;
        for (size_t at = 0; at < cells.size() && all; ++at) {
            const bool typedHere = at >= first && at < first + text.size();
            all = typedHere ? fits(at - first, cells[at]) : cells[at] == " " || Custom(cells[at]);
        }
        if (all) {
            return true;
        }
    }
    return false;
}

// Keeps for `key` the fewest slips it is reached with.
template <typename Key> void KeepFewest(std::map<Key, int>& fewest, const Key& key, int slips) {
    const auto [at, inserted] = fewest.emplace(key, slips);
    at->second = std::min(at->second, slips);
}

bool IsDisplay(size_t fault) {
    return fault >= NOTHING_SHOWS;
}

size_t ClassOf(size_t fault) {
    return IsDisplay(fault) ? fault : FaultCatalogue::ClassOf(fault);
}

std::vector<size_t> FaultsOfClass(size_t faultClass) {
    std::vector<size_t> faults;
    for (size_t fault = 0; fault < FaultCatalogue::All().size(); ++fault) {
        if (FaultCatalogue::ClassOf(fault) == faultClass) {
            faults.push_back(fault);
        }
    }
    return faults;
}

std::string Joined(const std::vector<int>& numbers) {
    std::vector<std::string> texts;
    for (const int number : numbers) {
        texts.push_back(std::to_string(number));
    }
    return Hid2checkTexts::Joined(texts);
}

} // namespace

Seen Classify(const std::string& row0, const std::string& row1, const std::string& own) {
    const std::string text = Hid2checkTexts::Trimmed(row0);
    const bool row1Blank = Hid2checkTexts::Trimmed(row1).empty();
    if (text == own) {
        return Seen::TEXT;
    }
    if (row0 == Boxes() && (row1Blank || row1 == Boxes())) {
        return Seen::BOXES;
    }
    return text.empty() && row1Blank ? Seen::BLANK : Seen::OTHER;
}

std::set<Seen> Looks(const std::string& row0, const std::string& row1, const std::string& own) {
    if ((row0 + row1).find(Sim::Board::CUSTOM) == std::string::npos) {
        return {Classify(row0, row1, own)};
    }
    std::set<Seen> looks;
    for (const auto& [on0, on1] : {std::pair{" ", " "},
                                   {Sim::Board::BOX, Sim::Board::BOX},
                                   {Sim::Board::BOX, " "},
                                   {Sim::Board::CUSTOM, Sim::Board::CUSTOM}}) {
        looks.insert(Classify(Drawn(row0, on0), Drawn(row1, on1), own));
    }
    return looks;
}

std::string Typable(const std::string& row0) {
    std::string typable;
    for (const std::string& cell : CellsOf(Hid2checkTexts::Trimmed(row0))) {
        typable += cell.size() == 1 ? cell[0] : '?';
    }
    return typable;
}

const std::vector<History>& Histories() {
    static const std::vector<History> histories = [] {
        const auto record = [](int screen) {
            return WiringScreens::Recorded(screen, EARLIER_MARK);
        };
        // Through the correct wiring: a 4-bit function set, then the first half of a byte.
        const std::vector<Sim::WriteOrWait> halfByte = {
            {Sim::WriteOrWait::Kind::WRITE, 1, 0x20}, {Sim::WriteOrWait::Kind::WRITE, 2, 8},
            {Sim::WriteOrWait::Kind::WRITE, 2, 0},    {Sim::WriteOrWait::Kind::WAIT, 0, 1},
            {Sim::WriteOrWait::Kind::WRITE, 1, 0x80}, {Sim::WriteOrWait::Kind::WRITE, 2, 8},
            {Sim::WriteOrWait::Kind::WRITE, 2, 0}};
        return std::vector<History>{
            {{}, false},
            {Recorder::Record([] {
                 KeepUp::ShowTestScreen(Convention::ShortName(Convention::OF_A_WORKING_LIBRARY));
             }),
             false},
            {Recorder::Record(KeepUp::ShowSession), false},
            {record(0), false},
            {record(0), true},
            {halfByte, true},
        };
    }();
    return histories;
}

struct Dialogue::States {
    struct State {
        size_t fault;
        Sim::Board board;
        uint8_t decided; // the corners whose choice this state has fixed
        bool touched;    // a transfer of this run reached the controller
        std::vector<std::string> rows;
        std::vector<std::optional<std::vector<uint32_t>>> next; // by screen
    };

    std::vector<std::vector<Sim::WriteOrWait>> screens;
    std::vector<State> all;
    std::unordered_map<uint64_t, std::vector<uint32_t>> byKey;

    // A key for finding the states that may be the same: the fault and the display's RAM
    // and modes.
    static uint64_t KeyOf(const State& state) {
        const Sim::Hd44780& lcd = state.board.Lcd();
        uint64_t key = 1469598103934665603ull ^ state.fault;
        const auto mix = [&key](uint64_t value) { key = (key ^ value) * 1099511628211ull; };
        for (const uint8_t code : lcd.Ddram()) {
            mix(code);
        }
        for (const uint64_t value :
             {uint64_t{lcd.AddressCounter()}, uint64_t{lcd.DisplayOn()}, uint64_t{lcd.TwoLines()},
              uint64_t{lcd.EightBitInterface()}, uint64_t{lcd.AwaitingLowNibble()},
              uint64_t{state.decided}, uint64_t{state.touched}}) {
            mix(value);
        }
        return key;
    }

    uint32_t Intern(State state) {
        std::vector<uint32_t>& same = byKey[KeyOf(state)];
        for (const uint32_t index : same) {
            const State& other = all[index];
            if (other.decided == state.decided && other.touched == state.touched &&
                other.board.Choices() == state.board.Choices() &&
                other.board.SameState(state.board)) {
                return index;
            }
        }
        state.rows = IsDisplay(state.fault)
                         ? DisplayRows(state.fault)
                         : std::vector<std::string>{state.board.RowText(0), state.board.RowText(1)};
        all.push_back(std::move(state));
        same.push_back(static_cast<uint32_t>(all.size() - 1));
        return same.back();
    }

    // Plays the writes into the state; where they meet a corner whose choice the state has
    // not fixed, it becomes one state for each choice there, each played again from the
    // start.
    void Play(const State& from, const std::vector<Sim::WriteOrWait>& writes,
              std::vector<State>& out) {
        State next{from.fault, from.board, from.decided, from.touched, {}, {}};
        next.board.ForgetCornersMet();
        const uint64_t transfers = next.board.Transfers();
        next.board.Play(writes);
        const auto open = static_cast<uint8_t>(next.board.CornersMet() & ~from.decided);
        if (open == 0) {
            next.touched = from.touched || next.board.Transfers() != transfers;
            out.push_back(std::move(next));
            return;
        }
        const auto corner = static_cast<Sim::ControllerChoices::Corner>(open & -open);
        for (const int choice : {0, 1}) {
            State variant{from.fault,   from.board, static_cast<uint8_t>(from.decided | corner),
                          from.touched, {},         {}};
            Sim::ControllerChoices choices = variant.board.Choices();
            choices.Set(corner, choice);
            variant.board.Rewire(variant.board.LcdWiring(), choices);
            Play(variant, writes, out);
        }
    }

    const std::vector<uint32_t>& After(uint32_t index, int screen) {
        const auto at = static_cast<size_t>(screen);
        // Most states are never played on: their moves get room once they are.
        all[index].next.resize(screens.size());
        if (!all[index].next[at]) {
            std::vector<uint32_t> next;
            if (IsDisplay(all[index].fault)) {
                next.push_back(index);
            } else {
                std::vector<State> played;
                Play(all[index], screens[at], played);
                for (State& state : played) {
                    next.push_back(Intern(std::move(state)));
                }
            }
            all[index].next[at] = std::move(next);
        }
        return *all[index].next[at];
    }
};

Dialogue::Dialogue(std::string mark_) : mark(std::move(mark_)), states(std::make_shared<States>()) {
    for (int screen = 0; screen < WiringScreens::ScreenCount(); ++screen) {
        states->screens.push_back(WiringScreens::Recorded(screen, mark));
    }
    std::set<uint32_t> start;
    for (size_t fault = 0; fault < FaultCatalogue::All().size(); ++fault) {
        const Sim::Wiring& wiring = FaultCatalogue::All()[fault].wiring;
        for (const History& history : Histories()) {
            States::State state{
                fault, Sim::Board(WRITE_COST_US, history.correctWiring ? Sim::Wiring() : wiring),
                0,     false,
                {},    {}};
            state.board.KeepTrace(false);
            std::vector<States::State> played;
            states->Play(state, history.steps, played);
            for (States::State& after : played) {
                after.board.Rewire(wiring, after.board.Choices());
                after.touched = false;
                start.insert(states->Intern(std::move(after)));
            }
        }
    }
    for (const size_t display : {NOTHING_SHOWS, ALL_DARK}) {
        start.insert(states->Intern({display, Sim::Board(), 0, true, {}, {}}));
    }
    for (const uint32_t state : start) {
        candidates.push_back({state, 0});
    }
}

// The answer as one text: what it says was seen, and what was typed.
std::string Said(const Answer& answer) {
    return std::to_string(static_cast<int>(*answer.seen)) + answer.typed;
}

// How an answer fits a candidate that goes to state `after` on the screen with row 0
// `own`. A display that no transfer of this run reached shows what it showed before,
// whatever that was: never this run's text, and the same all along. What the user typed
// fits or not, whatever they took it for.
Dialogue::Fit Dialogue::FitOf(const Candidate& candidate, uint32_t after, const Answer& answer,
                              const std::string& own) const {
    if (!answer.seen) {
        return Fit::YES;
    }
    const States::State& state = states->all[after];
    const std::vector<std::string>& rows = state.rows;
    const std::set<Seen> looks = Looks(rows[0], rows[1], own);
    const bool onlyText = looks == std::set<Seen>{Seen::TEXT};
    if (*answer.seen == Seen::TEXT && (!state.touched || looks.count(Seen::TEXT) == 0)) {
        return Fit::NO;
    }
    if (!state.touched) {
        const bool same = *answer.seen == Seen::UNCHANGED || candidate.stale.empty() ||
                          candidate.stale == Said(answer);
        return same ? Fit::YES : Fit::SLIP;
    }
    if (!answer.typed.empty()) {
        return !onlyText && TypedAs(answer.typed, rows[0]) ? Fit::YES : Fit::NO;
    }
    const bool fits = *answer.seen == Seen::UNCHANGED
                          ? LooksSame(rows, states->all[candidate.state].rows)
                          : looks.count(*answer.seen) != 0;
    if (fits) {
        return Fit::YES;
    }
    return onlyText ? Fit::NO : Fit::SLIP;
}

// What a user most likely answers for the candidate: "nothing changed" where nothing did,
// and row 0 typed where it shows other characters.
Answer Dialogue::Likely(uint32_t before, uint32_t after, const std::string& own) const {
    const States::State& state = states->all[after];
    if (!state.touched || state.rows == states->all[before].rows) {
        return {Seen::UNCHANGED, ""};
    }
    const Seen seen = Classify(state.rows[0], state.rows[1], own);
    return {seen, seen == Seen::OTHER ? Typable(state.rows[0]) : ""};
}

std::map<size_t, int> Dialogue::FewestSlips() const {
    std::map<size_t, int> fewest;
    for (const Candidate& candidate : candidates) {
        KeepFewest(fewest, ClassOf(states->all[candidate.state].fault), candidate.slips);
    }
    return fewest;
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
    return pending;
}

// The correct wiring's screen first. A fault left alone that a screen makes up for is named
// on the LCD: its own screen must read its claim. Otherwise the screen whose answers leave
// the fewest faults on average: the least sum of the squares of the faults that each likely
// answer would leave, those that could have slipped to it included.
std::optional<int> Dialogue::Choose() {
    if (shown.empty()) {
        return 0;
    }
    const std::map<size_t, int> now = FewestSlips();
    const auto wasShown = [this](int screen) {
        return std::find(shown.begin(), shown.end(), screen) != shown.end();
    };
    if (now.empty() || unanswered >= MAX_UNANSWERED) {
        return std::nullopt;
    }
    if (now.size() == 1) {
        const size_t faultClass = now.begin()->first;
        const std::optional<int> own =
            IsDisplay(faultClass) ? std::nullopt : WiringScreens::ScreenOf(faultClass);
        return own && !wasShown(*own) ? own : std::nullopt;
    }
    if (Answers() >= MAX_QUESTIONS) {
        return std::nullopt;
    }
    // Few faults left that no answer has doubted: their own screens settle them fastest,
    // one reading its claim or each going.
    const auto undoubted = static_cast<size_t>(
        std::count_if(now.begin(), now.end(), [](const auto& entry) { return entry.second == 0; }));
    for (const auto& [faultClass, slips] : now) {
        const std::optional<int> own =
            IsDisplay(faultClass) ? std::nullopt : WiringScreens::ScreenOf(faultClass);
        if (undoubted <= FEW_FAULTS && slips == 0 && own && !wasShown(*own)) {
            return own;
        }
    }
    // A fault counts 2 while a candidate of it has not slipped, 1 once all have.
    const auto weight = [](const std::map<size_t, int>& slips) {
        size_t sum = 0;
        for (const auto& [faultClass, fewest] : slips) {
            sum += fewest == 0 ? 2 : 1;
        }
        return sum;
    };
    // What each answer would leave, weighed by how many faults give it, against what is
    // left now.
    double bestScore = static_cast<double>(weight(now));
    std::optional<int> best;
    for (int screen = 0; screen < WiringScreens::ScreenCount(); ++screen) {
        if (wasShown(screen)) {
            continue;
        }
        const std::string own = WiringScreens::Row0(screen, mark);
        std::map<Answer, std::map<size_t, int>> groups;
        std::set<size_t> couldSlip;
        for (const Candidate& candidate : candidates) {
            for (const uint32_t after : states->After(candidate.state, screen)) {
                const Answer likely = Likely(candidate.state, after, own);
                const size_t faultClass = ClassOf(states->all[after].fault);
                KeepFewest(groups[likely], faultClass, candidate.slips);
                if (candidate.slips == 0 && likely.seen != Seen::TEXT) {
                    couldSlip.insert(faultClass);
                }
            }
        }
        size_t score = 0;
        size_t given = 0;
        for (auto& [answer, left] : groups) {
            const size_t members = left.size();
            if (answer.seen != Seen::TEXT && answer.typed.empty()) {
                for (const size_t faultClass : couldSlip) {
                    left.emplace(faultClass, 1);
                }
            }
            score += members * weight(left);
            given += members;
        }
        if (static_cast<double>(score) / static_cast<double>(given) < bestScore) {
            bestScore = static_cast<double>(score) / static_cast<double>(given);
            best = screen;
        }
    }
    return best;
}

Question Dialogue::CurrentQuestion() const {
    const int screen = pending.value_or(0);
    const std::pair<Seen, Id> choices[] = {{Seen::TEXT, Id::WIRING_CHOICE_TEXT},
                                           {Seen::OTHER, Id::WIRING_CHOICE_OTHER},
                                           {Seen::BOXES, Id::WIRING_CHOICE_BOXES},
                                           {Seen::BLANK, Id::WIRING_CHOICE_BLANK},
                                           {Seen::UNCHANGED, Id::WIRING_CHOICE_UNCHANGED}};
    Question question{
        screen,
        Say(Id::WIRING_QUESTION, {std::to_string(screen), std::to_string(shown.size() + 1)}),
        {}};
    for (const auto& [seen, text] : choices) {
        question.choices.push_back({static_cast<int>(question.choices.size()) + 1, seen,
                                    Say(text, {WiringScreens::Row0(screen, mark)})});
    }
    question.choices.push_back({0, std::nullopt, Say(Id::WIRING_CANT_TELL)});
    return question;
}

void Dialogue::Give(const Answer& answer) {
    if (!pending) {
        return;
    }
    const std::string own = WiringScreens::Row0(*pending, mark);
    unanswered += answer.seen ? 0 : 1;
    // The fewest slips each state (and what a stale display showed) is reached with.
    std::map<std::pair<uint32_t, std::string>, int> left;
    for (const Candidate& candidate : candidates) {
        for (const uint32_t after : states->After(candidate.state, *pending)) {
            const Fit fit = FitOf(candidate, after, answer, own);
            const int slips = candidate.slips + (fit == Fit::SLIP ? 1 : 0);
            const bool pins = !states->all[after].touched && candidate.stale.empty() &&
                              answer.seen && *answer.seen != Seen::UNCHANGED;
            if (fit != Fit::NO && slips <= MAX_SLIPS) {
                KeepFewest(left, std::pair{after, pins ? Said(answer) : candidate.stale}, slips);
            }
        }
    }
    candidates.clear();
    for (const auto& [key, slips] : left) {
        candidates.push_back({key.first, slips, key.second});
    }
    shown.push_back(*pending);
    answers.push_back(answer);
    pending.reset();
}

// What every candidate left agrees on: the display itself comes first (a wire is named
// only where it does not fit), then one fault, then the look-alikes.
Verdict Dialogue::Result() const {
    Verdict verdict;
    verdict.text = Say(Id::WIRING_UNSURE);
    const std::map<size_t, int> fewest = FewestSlips();
    std::vector<size_t> classes;
    for (const auto& [faultClass, slips] : fewest) {
        classes.push_back(faultClass);
    }
    if (!ended || classes.empty() || unanswered >= MAX_UNANSWERED) {
        return verdict;
    }
    const bool display = IsDisplay(classes.back());
    classes.erase(std::remove_if(classes.begin(), classes.end(), IsDisplay), classes.end());
    std::vector<Sim::Wiring> wirings;
    for (const size_t faultClass : classes) {
        const std::vector<size_t> faults = FaultsOfClass(faultClass);
        const size_t representative = FaultCatalogue::Representative(faults);
        const std::string& miswire = FaultCatalogue::All()[representative].miswire;
        verdict.faults.insert(verdict.faults.end(), faults.begin(), faults.end());
        verdict.details.push_back(
            Say(Id::WIRING_LOOK_ALIKE, {FaultCatalogue::InWords(representative), miswire}));
        verdict.text = faultClass == 0 ? FaultCatalogue::InWords(0)
                                       : Say(Id::WIRING_NAMED,
                                             {FaultCatalogue::InWords(representative), miswire});
        wirings.push_back(FaultCatalogue::All()[representative].wiring);
    }
    if (display) {
        verdict.kind = Verdict::Kind::DISPLAY;
        wirings.push_back(Sim::Wiring());
        verdict.text = classes.empty() ? Say(Id::WIRING_DISPLAY)
                                       : Say(Id::WIRING_DISPLAY_OR_WIRES,
                                             {Joined(LineWalk::Separating(wirings))});
        return verdict;
    }
    if (classes.size() == 1) {
        // Named on the LCD only once its own screen read its claim, and only where it fits
        // the answers as given: one that needs a misread answer may be the slip's, or the
        // nearest to a fault the catalogue lacks (two at once), and is shown as that.
        const std::optional<int> own = WiringScreens::ScreenOf(classes[0]);
        const auto at = own ? std::find(shown.begin(), shown.end(), *own) : shown.end();
        const bool slipped = fewest.at(classes[0]) > 0;
        if ((own &&
             (at == shown.end() || !answers[static_cast<size_t>(at - shown.begin())].seen)) ||
            (slipped && classes[0] == 0)) {
            return Verdict{Verdict::Kind::GENERIC, {}, {}, Say(Id::WIRING_UNSURE)};
        }
        if (slipped) {
            verdict.kind = Verdict::Kind::LOOK_ALIKES;
            verdict.text = Say(Id::WIRING_MISREAD);
            return verdict;
        }
        verdict.kind = Verdict::Kind::NAMED;
        verdict.details.clear();
        return verdict;
    }
    verdict.kind = Verdict::Kind::LOOK_ALIKES;
    verdict.text = Say(Id::WIRING_LOOK_ALIKES,
                       {std::to_string(classes.size()), Joined(LineWalk::Separating(wirings))});
    return verdict;
}

} // namespace WiringDialogue

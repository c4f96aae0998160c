// The wiring dialogue over every fault of the catalogue and the display itself, on a
// controller of every choice the datasheet leaves open, after every past of the display
// modelled: a user who answers truthfully is never told a wrong fault, and one who slips
// once is never told a wrong one by name.
#include "convention.h"
#include "fault_catalogue.h"
#include "keep_up.h"
#include "line_walk.h"
#include "recorder.h"
#include "texts.h"
#include "wiring_dialogue.h"
#include "wiring_screens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

using WiringDialogue::Answer;
using WiringDialogue::Dialogue;
using WiringDialogue::Seen;
using WiringDialogue::Verdict;

namespace {

constexpr const char* MARK = "482";
constexpr uint32_t FAST_WRITE_COST_US = 10;
const size_t NOTHING_SHOWS = FaultCatalogue::All().size();
const size_t ALL_DARK = NOTHING_SHOWS + 1;
// The pasts the table starts from: power-on, --live's test screen and a KORVAN3.exe
// session, after which the true fault must be named or listed, then the others the
// dialogue models.
constexpr size_t HISTORIES_THAT_LIST_THE_TRUTH = 3;
const std::vector<WiringDialogue::History>& TruthHistories() {
    static const std::vector<WiringDialogue::History> histories = [] {
        std::vector<WiringDialogue::History> all = {
            {{}, false},
            {Recorder::Record([] {
                 KeepUp::ShowTestScreen(Convention::ShortName(Convention::OF_A_WORKING_LIBRARY));
             }),
             false},
            {Recorder::Record(KeepUp::ShowSession), false}};
        const auto& modelled = WiringDialogue::Histories();
        all.insert(all.end(), modelled.begin() + HISTORIES_THAT_LIST_THE_TRUTH, modelled.end());
        return all;
    }();
    return histories;
}

// The board the user looks at.
struct Truth {
    size_t fault; // past the catalogue: the display itself
    Sim::ControllerChoices choices;
    size_t history;
    // How each custom character looks: some pattern, blank or dark (none is set at power-on).
    const char* custom = Sim::Board::CUSTOM;
    // Where given, the board's wiring instead of the fault's: two faults at once.
    std::optional<Sim::Wiring> wiring = std::nullopt;
};

std::string Describe(const Truth& truth) {
    const std::string fault = truth.fault == NOTHING_SHOWS ? "nothing shows"
                              : truth.fault == ALL_DARK
                                  ? "all dark"
                                  : FaultCatalogue::All()[truth.fault].miswire;
    return (fault.empty() ? "correct" : fault) + " [" + truth.choices.Describe() + "] history " +
           std::to_string(truth.history) + ", custom characters \"" + truth.custom + "\"";
}

class Display {
  public:
    explicit Display(const Truth& truth_) : truth(truth_) {
        if (truth.fault >= NOTHING_SHOWS) {
            return;
        }
        const WiringDialogue::History& history = TruthHistories()[truth.history];
        const Sim::Wiring wiring = truth.wiring.value_or(FaultCatalogue::All()[truth.fault].wiring);
        board = Sim::Board(FAST_WRITE_COST_US, history.correctWiring ? Sim::Wiring() : wiring,
                           truth.choices);
        board.KeepTrace(false);
        board.Play(history.steps);
        board.Rewire(wiring, truth.choices);
    }

    std::vector<std::string> Rows() const {
        if (truth.fault >= NOTHING_SHOWS) {
            const std::string cell = truth.fault == NOTHING_SHOWS ? " " : Sim::Board::BOX;
            std::string row;
            for (int i = 0; i < 16; ++i) {
                row += cell;
            }
            return {row, row};
        }
        std::vector<std::string> rows = {board.RowText(0), board.RowText(1)};
        const std::string custom = Sim::Board::CUSTOM;
        for (std::string& row : rows) {
            for (size_t at = row.find(custom); at != std::string::npos; at = row.find(custom, at)) {
                row.replace(at, custom.size(), truth.custom);
                at += std::string(truth.custom).size();
            }
        }
        return rows;
    }

    // What a truthful user answers after `screen`: "nothing changed" where nothing did.
    Answer Show(int screen) {
        static std::map<int, std::vector<Sim::WriteOrWait>> steps;
        if (steps.count(screen) == 0) {
            steps[screen] = WiringScreens::Recorded(screen, MARK);
        }
        const std::vector<std::string> before = Rows();
        if (truth.fault < NOTHING_SHOWS) {
            board.Play(steps[screen]);
        }
        const std::vector<std::string> after = Rows();
        if (after == before) {
            return {Seen::UNCHANGED, ""};
        }
        const Seen seen =
            WiringDialogue::Classify(after[0], after[1], WiringScreens::Row0(screen, MARK));
        return {seen, seen == Seen::OTHER ? WiringDialogue::Typable(after[0]) : ""};
    }

  private:
    Truth truth;
    Sim::Board board;
};

// One slip: boxes, blank, characters and "nothing changed" taken for one another.
Answer Slipped(const Answer& answer) {
    const std::map<Seen, Seen> slip = {{Seen::OTHER, Seen::BOXES},
                                       {Seen::BOXES, Seen::BLANK},
                                       {Seen::BLANK, Seen::OTHER},
                                       {Seen::UNCHANGED, Seen::BLANK},
                                       {Seen::TEXT, Seen::TEXT}};
    return {slip.at(*answer.seen), ""};
}

// The dialogues as a tree: the dialogue after each run of answers is made once.
class Tree {
  public:
    Tree() { nodes.emplace("", Dialogue(MARK)).first->second.NextScreen(); }

    struct Outcome {
        Verdict verdict;
        int answers = 0;
    };

    Outcome Converse(const Truth& truth, int slipAt = -1) {
        Display display(truth);
        std::string key;
        for (;;) {
            Dialogue& dialogue = nodes.at(key);
            const std::optional<int> screen = dialogue.NextScreen();
            if (!screen) {
                return {dialogue.Result(), dialogue.Answers()};
            }
            Answer answer = display.Show(*screen);
            if (dialogue.Answers() == slipAt) {
                answer = Slipped(answer);
            }
            const std::string next =
                key + "|" + std::to_string(static_cast<int>(*answer.seen)) + answer.typed;
            if (nodes.count(next) == 0) {
                Dialogue after = dialogue;
                after.Give(answer);
                after.NextScreen();
                nodes.emplace(next, std::move(after));
            }
            key = next;
        }
    }

  private:
    std::map<std::string, Dialogue> nodes;
};

std::vector<Sim::ControllerChoices> EveryChoice() {
    std::vector<Sim::ControllerChoices> all;
    for (int bits = 0; bits < 1 << Sim::ControllerChoices::CORNER_COUNT; ++bits) {
        Sim::ControllerChoices choices;
        for (int corner = 0; corner < Sim::ControllerChoices::CORNER_COUNT; ++corner) {
            choices.Set(static_cast<Sim::ControllerChoices::Corner>(1 << corner),
                        (bits >> corner) & 1);
        }
        all.push_back(choices);
    }
    return all;
}

bool Lists(const Verdict& verdict, size_t fault) {
    return std::find(verdict.faults.begin(), verdict.faults.end(), fault) != verdict.faults.end();
}

// Every fault on a controller of every choice, after every past, with custom characters
// of every look; the display itself once.
std::vector<Truth> EveryTruth() {
    std::vector<Truth> all;
    for (size_t fault = 0; fault < NOTHING_SHOWS; ++fault) {
        for (const Sim::ControllerChoices& choices : EveryChoice()) {
            for (size_t history = 0; history < TruthHistories().size(); ++history) {
                for (const char* custom : {Sim::Board::CUSTOM, " ", Sim::Board::BOX}) {
                    all.push_back({fault, choices, history, custom});
                }
            }
        }
    }
    all.push_back({NOTHING_SHOWS, {}, 0});
    all.push_back({ALL_DARK, {}, 0});
    return all;
}

// Every truth, a truthful user and a user with one slip at each question.
TEST(WiringDialogueTable, NoUserIsToldAWrongFault) {
    Tree tree;
    std::vector<int> fromPowerOn;
    std::set<std::string> lookAlikes;
    for (const Truth& truth : EveryTruth()) {
        const Tree::Outcome truthful = tree.Converse(truth);
        const Verdict& verdict = truthful.verdict;
        const std::string what = Describe(truth) + ": " + verdict.text;
        if (truth.fault >= NOTHING_SHOWS) {
            EXPECT_EQ(verdict.kind, Verdict::Kind::DISPLAY) << what;
            continue;
        }
        const size_t truthClass = FaultCatalogue::ClassOf(truth.fault);
        if (verdict.kind == Verdict::Kind::NAMED) {
            EXPECT_EQ(FaultCatalogue::ClassOf(verdict.faults.front()), truthClass) << what;
        } else if (truth.history < HISTORIES_THAT_LIST_THE_TRUTH) {
            EXPECT_TRUE(Lists(verdict, truth.fault)) << what;
        }
        const bool powerOn = truth.history == 0 && truth.custom == Sim::Board::CUSTOM;
        if (powerOn && truth.choices == Sim::ControllerChoices{}) {
            fromPowerOn.push_back(truthful.answers);
            if (verdict.kind != Verdict::Kind::NAMED) {
                std::string names = verdict.kind == Verdict::Kind::DISPLAY ? "the display" : "";
                for (const size_t listed : verdict.faults) {
                    names += " " + FaultCatalogue::All()[listed].miswire;
                }
                lookAlikes.insert(names);
            }
        }
        for (int slipAt = 0; slipAt < truthful.answers && truth.history == 0; ++slipAt) {
            const Verdict slipped = tree.Converse(truth, slipAt).verdict;
            EXPECT_TRUE(slipped.kind != Verdict::Kind::NAMED ||
                        FaultCatalogue::ClassOf(slipped.faults.front()) == truthClass)
                << Describe(truth) << ", a slip at answer " << slipAt + 1 << ": " << slipped.text;
        }
    }
    std::sort(fromPowerOn.begin(), fromPowerOn.end());
    std::cout << "answers from power-on: median " << fromPowerOn[fromPowerOn.size() / 2]
              << ", largest " << fromPowerOn.back() << "\n";
    for (const std::string& group : lookAlikes) {
        std::cout << "look-alikes: " << group << "\n";
    }
    EXPECT_LE(fromPowerOn[fromPowerOn.size() / 2], 5);
}

// Two faults at once are none of the catalogue's: where the answers fit a single fault
// only with one misread, that fault is not named.
TEST(WiringDialogueTable, TwoFaultsAtOnceAreNotNamedAsAnother) {
    Tree tree;
    for (const char* miswire :
         {"D0:D1,D2:D6", "D0:D2,D6:RS", "D0:D3,D3=0", "D0:D6,D2=0", "D1:D2,D7=0", "D1:D6,D2:D6",
          "D2:RS,D3:D4", "D2:RS,D4=open", "D6:RS,D2=0"}) {
        std::string badItem;
        const Truth truth{0, {}, 0, Sim::Board::CUSTOM, Sim::Wiring::Parse(miswire, badItem)};
        const Verdict verdict = tree.Converse(truth).verdict;
        EXPECT_NE(verdict.kind, Verdict::Kind::NAMED) << miswire << ": " << verdict.text;
    }
}

// Who stops answering, or cannot tell any screen, is told no fault.
TEST(WiringDialogueTable, NoAnswerOrCantTellNamesNoFault) {
    for (const bool cantTell : {false, true}) {
        Dialogue dialogue(MARK);
        while (dialogue.NextScreen() && cantTell) {
            dialogue.Give({});
        }
        EXPECT_EQ(dialogue.Result().kind, Verdict::Kind::GENERIC) << cantTell;
    }
}

// What a person sees, from the rows as the model writes them.
TEST(WiringDialogueSeen, ClassifiesWhatAPersonSees) {
    const auto times = [](const std::string& cell, int count) {
        std::string row;
        for (int i = 0; i < count; ++i) {
            row += cell;
        }
        return row;
    };
    const std::string boxes = times(Sim::Board::BOX, 16);
    const std::string blank(16, ' ');
    // A custom character: any pattern.
    const std::string custom = Sim::Board::CUSTOM;
    struct Row {
        std::string row0;
        std::string row1;
        std::set<Seen> looks; // one: Classify's answer
    };
    const std::vector<Row> rows = {
        {"   D3:D4 482    ", "screen 4        ", {Seen::TEXT}},
        {"D3:D4 481       ", blank, {Seen::OTHER}},
        {boxes, blank, {Seen::BOXES}},
        {boxes, boxes, {Seen::BOXES}},
        {blank, blank, {Seen::BLANK}},
        {blank, "screen 4        ", {Seen::OTHER}},
        {"D3:D4" + std::string(Sim::Board::BOX) + "482      ", blank, {Seen::OTHER}},
        {"D3:D4" + custom + "482" + times(" ", 7), blank, {Seen::TEXT, Seen::OTHER}},
        {"D3:D4" + custom + "481" + times(" ", 7), blank, {Seen::OTHER}},
        {times(Sim::Board::BOX, 15) + custom, custom + times(" ", 15), {Seen::OTHER, Seen::BOXES}},
        {custom + times(" ", 15), blank, {Seen::OTHER, Seen::BLANK}},
        {"   D3:D4 482    ", custom + times(" ", 15), {Seen::TEXT}},
    };
    for (const Row& row : rows) {
        const std::string what = "\"" + row.row0 + "\" / \"" + row.row1 + "\"";
        EXPECT_EQ(WiringDialogue::Looks(row.row0, row.row1, "D3:D4 482"), row.looks) << what;
        if (row.looks.size() == 1) {
            EXPECT_EQ(WiringDialogue::Classify(row.row0, row.row1, "D3:D4 482"), *row.looks.begin())
                << what;
        }
    }
    EXPECT_EQ(WiringDialogue::Typable(" ｱｲD3" + std::string(Sim::Board::BOX) + " "), "??D3?");
}

// On a board wired right each step raises exactly the pin it names.
TEST(LineWalk, EachStepRaisesThePinItNames) {
    const std::vector<LineWalk::Step>& steps = LineWalk::Steps();
    ASSERT_EQ(steps.size(), 11u);
    for (size_t i = 0; i < steps.size(); ++i) {
        const LineWalk::Reading reading = LineWalk::Read(steps[i], Sim::Wiring());
        const int high =
            __builtin_popcount(reading.pins.data) + reading.pins.rs + reading.pins.e + reading.rw;
        EXPECT_EQ(high, i == 0 ? 0 : 1) << "step " << i;
        const std::string text = LineWalk::Describe(static_cast<int>(i));
        EXPECT_EQ(text.rfind("step " + std::to_string(i) + ": ", 0), 0u) << text;
        if (i > 0) {
            const Sim::Wiring::Line line = *steps[i].high;
            const bool up = line == Sim::Wiring::RS  ? reading.pins.rs
                            : line == Sim::Wiring::E ? reading.pins.e
                                                     : ((reading.pins.data >> line) & 1) != 0;
            EXPECT_TRUE(up) << "step " << i;
            const std::string pin = "pin " + std::to_string(LineWalk::PinNumber(line)) + " (" +
                                    Sim::Wiring::NameOf(line) + ")";
            EXPECT_NE(text.find(pin), std::string::npos) << text;
        }
    }
    EXPECT_EQ(LineWalk::PinNumber(Sim::Wiring::RS), 4);
    EXPECT_EQ(LineWalk::PinNumber(Sim::Wiring::E), 6);
    EXPECT_EQ(LineWalk::PinNumber(Sim::Wiring::D7), 14);
}

} // namespace

// The wiring dialogue over the catalogue of single faults, each on a simulated board: a
// user who answers from what the model's display shows is told the fault, or the faults
// that look the same on every screen written; a user who stops answering, or cannot tell,
// is told no fault.
#include "board.h"
#include "fault_catalogue.h"
#include "line_walk.h"
#include "wiring_dialogue.h"
#include "wiring_screens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <string>
#include <vector>

using FaultCatalogue::Fault;
using FaultCatalogue::Kind;
using WiringDialogue::Dialogue;
using WiringDialogue::Outcome;
using WiringDialogue::Verdict;

namespace {

constexpr uint32_t FAST_WRITE_COST_US = 10;

const std::vector<Sim::WriteOrWait> POWER_ON;

// What a board wired as `wiring` shows after `history` and then each of `screens`.
std::vector<Outcome> SeenThrough(const Sim::Wiring& wiring,
                                 const std::vector<Sim::WriteOrWait>& history,
                                 const std::vector<int>& screens) {
    Sim::Board board(FAST_WRITE_COST_US, wiring);
    board.Play(history);
    std::vector<Outcome> seen;
    for (const int screen : screens) {
        board.Play(WiringScreens::Recorded(screen));
        seen.push_back(WiringDialogue::Seen(board));
    }
    return seen;
}

struct Session {
    Verdict verdict;
    int answers = 0;
    std::vector<int> screens;
    std::vector<std::string> transcript;
};

// A user who reads the board, left by `history`, truthfully for `truthful` answers, then
// answers "can't tell" (`thenCantTell`) or no more (the end of input).
Session Converse(const Fault& truth, const std::vector<Sim::WriteOrWait>& history = POWER_ON,
                 int truthful = 1000, bool thenCantTell = false) {
    Dialogue dialogue;
    Sim::Board board(FAST_WRITE_COST_US, truth.wiring);
    board.Play(history);
    Session session;
    while (const auto screen = dialogue.NextScreen()) {
        const WiringDialogue::Question question = dialogue.CurrentQuestion();
        session.transcript.push_back(question.prompt + " (screen " + std::to_string(*screen) + ")");
        for (const auto& choice : question.choices) {
            session.transcript.push_back("  " + std::to_string(choice.number) + "  " + choice.text);
        }
        if (dialogue.Answers() >= truthful && !thenCantTell) {
            break;
        }
        board.Play(WiringScreens::Recorded(*screen));
        int answer = 0;
        if (dialogue.Answers() < truthful) {
            const Outcome seen = WiringDialogue::Seen(board);
            const auto match = std::find_if(question.choices.begin(), question.choices.end(),
                                            [&seen](const auto& c) { return c.outcome == seen; });
            EXPECT_TRUE(match != question.choices.end())
                << truth.miswire << ": no choice for row 0 \"" << board.RowText(0) << "\"";
            answer = match == question.choices.end() ? 0 : match->number;
        }
        session.transcript.push_back("answer: " + std::to_string(answer));
        EXPECT_TRUE(dialogue.Answer(answer));
    }
    session.verdict = dialogue.Result();
    session.answers = dialogue.Answers();
    session.screens = dialogue.ScreensShown();
    for (const std::string& line : session.verdict.details) {
        session.transcript.push_back(line);
    }
    session.transcript.push_back("verdict: " + session.verdict.text);
    return session;
}

bool MadeUpFor(const Fault& fault) {
    return fault.kind == Kind::CORRECT || fault.kind == Kind::EXCHANGE ||
           fault.kind == Kind::BUS_REVERSED;
}

std::string Names(const std::vector<size_t>& faults) {
    std::string names;
    for (const size_t fault : faults) {
        names += (names.empty() ? "" : " ") + FaultCatalogue::All()[fault].miswire;
    }
    return names;
}

// Whatever the display went through before, of what hid2check and KORVAN3.exe write.
TEST(WiringDialogueTable, EveryFaultIsNamedOrListedWithItsLookAlikesOnly) {
    const std::vector<Fault>& faults = FaultCatalogue::All();
    ASSERT_EQ(faults.size(), 91u);
    const auto& histories = WiringDialogue::Histories();
    ASSERT_EQ(histories.size(), 3u);
    std::vector<int> answers;
    std::map<std::string, size_t> groups;
    for (const auto& history : histories) {
        for (size_t i = 0; i < faults.size(); ++i) {
            const Fault& truth = faults[i];
            const Session session = Converse(truth, history);
            const Verdict& verdict = session.verdict;
            ASSERT_NE(verdict.kind, Verdict::Kind::GENERIC)
                << truth.miswire << ": " << verdict.text;
            EXPECT_NE(std::find(verdict.faults.begin(), verdict.faults.end(), i),
                      verdict.faults.end())
                << truth.miswire << ": " << Names(verdict.faults);
            const std::vector<Outcome> seen = SeenThrough(truth.wiring, history, session.screens);
            for (const size_t other : verdict.faults) {
                EXPECT_TRUE(std::any_of(histories.begin(), histories.end(),
                                        [&](const auto& before) {
                                            return SeenThrough(faults[other].wiring, before,
                                                               session.screens) == seen;
                                        }))
                    << truth.miswire << ": " << faults[other].miswire << " looks different";
            }
            if (MadeUpFor(truth)) {
                // Named alone, on the LCD: the last screen read its claim.
                EXPECT_EQ(verdict.faults, std::vector<size_t>{i}) << truth.miswire;
                const Outcome claim{Outcome::Kind::TEXT,
                                    truth.kind == Kind::CORRECT ? "WIRING OK" : truth.miswire};
                EXPECT_TRUE(seen.back() == claim)
                    << truth.miswire << ": \"" << seen.back().text << "\"";
            }
            if (verdict.kind == Verdict::Kind::NAMED) {
                for (const size_t other : verdict.faults) {
                    EXPECT_EQ(FaultCatalogue::EffectOf(faults[other]),
                              FaultCatalogue::EffectOf(truth))
                        << truth.miswire;
                }
            } else {
                EXPECT_EQ(verdict.text.find("steps  of"), std::string::npos) << verdict.text;
                groups[Names(verdict.faults)] = verdict.faults.size();
            }
            if (truth.kind == Kind::CORRECT) {
                EXPECT_EQ(session.answers, 1) << "a correct board";
            }
            answers.push_back(session.answers);
        }
    }
    ASSERT_EQ(answers.size(), histories.size() * faults.size());
    std::vector<int> sorted = answers;
    std::sort(sorted.begin(), sorted.end());
    // The fewest the screens allow today: a dialogue that asks what tells nothing apart,
    // or stops splitting well, asks more.
    EXPECT_LE(sorted.back(), 10);
    std::cout << "answers: correct 1, median " << sorted[sorted.size() / 2] << ", largest "
              << sorted.back() << "\n";
    for (const auto& group : groups) {
        std::cout << "look-alikes (" << group.second << "): " << group.first << "\n";
    }
}

// Who stops answering before the verdict, or cannot tell from the last question on, is
// told no fault; nor is who cannot tell any screen at all (the correct board's last
// question is its first).
TEST(WiringDialogueTable, NoAnswerOrCantTellNamesNoFault) {
    for (const Fault& truth : FaultCatalogue::All()) {
        const int needed = Converse(truth).answers;
        for (const bool cantTell : {false, true}) {
            const Session session = Converse(truth, POWER_ON, needed - 1, cantTell);
            EXPECT_EQ(session.verdict.kind, Verdict::Kind::GENERIC)
                << truth.miswire << (cantTell ? ", can't tell" : ", no answer") << " after "
                << needed - 1 << ": " << session.verdict.text;
            EXPECT_TRUE(session.verdict.faults.empty()) << truth.miswire;
        }
    }
}

TEST(WiringDialogueExample, AnOpenDataLine) {
    const std::vector<Fault>& faults = FaultCatalogue::All();
    const auto open = std::find_if(faults.begin(), faults.end(),
                                   [](const Fault& fault) { return fault.miswire == "D2=open"; });
    ASSERT_TRUE(open != faults.end());
    const Session session = Converse(*open);
    for (const std::string& line : session.transcript) {
        std::cout << line << "\n";
    }
    EXPECT_EQ(session.verdict.text, "D2 reads high all the time: its wire is open or touches +5 "
                                    "V; LCDSIM --miswire D2=open shows the same");
}

// What a person sees, from the rows as the model writes them.
TEST(WiringDialogueOutcome, ClassifiesWhatAPersonSees) {
    std::string boxes;
    for (int i = 0; i < 16; ++i) {
        boxes += Sim::Board::BOX;
    }
    const std::string blank(16, ' ');
    struct Row {
        std::string row0;
        std::string row1;
        Outcome expected;
    };
    const std::vector<Row> rows = {
        {"   D3:D4        ", "screen 4 of 57  ", {Outcome::Kind::TEXT, "D3:D4"}},
        {"WIRING OK       ", blank, {Outcome::Kind::TEXT, "WIRING OK"}},
        {boxes, blank, {Outcome::Kind::BOXES, ""}},
        {blank, blank, {Outcome::Kind::BLANK, ""}},
        {blank, "screen 4 of 57  ", {Outcome::Kind::OTHER, ""}},
        {"WIRING" + std::string(Sim::Board::BOX) + "OK       ", blank, {Outcome::Kind::OTHER, ""}},
        {"ｱｲ              ", blank, {Outcome::Kind::OTHER, ""}},
        {"D3:D4 ▒         ", blank, {Outcome::Kind::OTHER, ""}},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(WiringDialogue::Classify(row.row0, row.row1) == row.expected)
            << "\"" << row.row0 << "\" / \"" << row.row1 << "\"";
    }
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

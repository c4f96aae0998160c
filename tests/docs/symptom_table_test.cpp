// The guides' table from what the LCD shows to what to check gives, for each symptom, the
// faults that show it in the simulator. Each example, played KORVAN3.exe's start (bring-up
// and splash) through the board model wired so, must show that symptom; both guides give
// the same examples in the same rows.
#include "board.h"
#include "expected_screens.h"
#include "wiring.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Symptom = std::function<bool(const Sim::Board&)>;

bool Blank(const std::string& row) {
    return row.find_first_not_of(' ') == std::string::npos;
}

bool ShowsSplash(const Sim::Board& board) {
    for (int column = 0; column < Sim::Hd44780::VISIBLE_COLUMNS; ++column) {
        for (const auto& [row, text] :
             {std::pair{0, Expected::SPLASH_ROW0}, {1, Expected::SPLASH_ROW1}}) {
            if (board.Lcd().VisibleCode(row, column) !=
                static_cast<uint8_t>(text[static_cast<size_t>(column)])) {
                return false;
            }
        }
    }
    return true;
}

// Each row of the English table by its first cell, and what the model must show for it.
const std::vector<std::pair<std::string, Symptom>> SYMPTOMS = {
    {"no dark boxes at any contrast", nullptr},
    {"the boxes seen while setting the contrast vanish when hid2check or KORVAN3 starts, and "
     "nothing comes",
     [](const Sim::Board& b) { return b.Lcd().TwoLines() && !b.Lcd().DisplayOn(); }},
    {"a row of dark boxes in row 0, nothing else",
     [](const Sim::Board& b) {
         std::string boxes;
         for (int column = 0; column < Sim::Hd44780::VISIBLE_COLUMNS; ++column) {
             boxes += Sim::Board::BOX;
         }
         return b.RowText(0) == boxes && Blank(b.RowText(1));
     }},
    {"garbage, or characters in the wrong places",
     [](const Sim::Board& b) { return b.Lcd().DisplayOn() && !ShowsSplash(b); }},
    {"row 0 only",
     [](const Sim::Board& b) {
         return b.Lcd().DisplayOn() && !Blank(b.RowText(0)) && Blank(b.RowText(1));
     }},
    {"a blinking block or an underline (a cursor)",
     [](const Sim::Board& b) {
         return b.Lcd().DisplayOn() && (b.Lcd().CursorOn() || b.Lcd().BlinkOn());
     }},
};

struct Row {
    std::string symptom;
    std::vector<std::string> examples;
};

// The rows of the table that follows `heading`: the first cell, and the wirings in code
// spans in the last.
std::vector<Row> TableAfter(const std::string& readme, const std::string& heading) {
    std::ifstream file(std::string(README_DIR) + "/" + readme);
    std::stringstream read;
    read << file.rdbuf();
    const std::string text = read.str();
    std::vector<Row> rows;
    size_t at = text.find(heading);
    if (at == std::string::npos) {
        return rows;
    }
    at = text.find("\n|---", at);
    while (at != std::string::npos) {
        at = text.find('\n', at + 1);
        if (at == std::string::npos || text.compare(at + 1, 2, "| ") != 0) {
            break;
        }
        const std::string line = text.substr(at + 1, text.find('\n', at + 1) - at - 1);
        Row row;
        row.symptom = line.substr(2, line.find(" |") - 2);
        const std::string last = line.substr(line.rfind(" | ") + 3);
        size_t open = last.find('`');
        while (open != std::string::npos) {
            const size_t close = last.find('`', open + 1);
            if (close == std::string::npos) {
                break;
            }
            row.examples.push_back(last.substr(open + 1, close - open - 1));
            open = last.find('`', close + 1);
        }
        rows.push_back(row);
    }
    return rows;
}

Sim::Board StartedOn(const Sim::Wiring& wiring) {
    Sim::Board board(Sim::Board::DEFAULT_WRITE_COST_US, wiring);
    for (const Expected::PortWrite& write :
         Expected::Concat({Expected::BringUp(), Expected::Splash()})) {
        board.WritePort(write.port, write.value);
    }
    return board;
}

TEST(SymptomTable, EachExampleShowsItsSymptomInTheModel) {
    const std::vector<Row> rows =
        TableAfter("README.md", "### What the LCD shows, and what to check");
    ASSERT_EQ(rows.size(), SYMPTOMS.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].symptom, SYMPTOMS[i].first) << "row " << i;
        EXPECT_EQ(rows[i].examples.empty(), SYMPTOMS[i].second == nullptr) << rows[i].symptom;
        for (const std::string& example : rows[i].examples) {
            std::string badItem;
            const auto wiring = Sim::Wiring::Parse(example, badItem);
            ASSERT_TRUE(wiring.has_value()) << example << ": " << badItem;
            const Sim::Board board = StartedOn(*wiring);
            EXPECT_TRUE(SYMPTOMS[i].second(board))
                << rows[i].symptom << " under " << example << ":\n"
                << board.RowText(0) << "\n"
                << board.RowText(1);
        }
    }
    // Wired right, the board shows the splash and none of the symptoms.
    const Sim::Board right = StartedOn(Sim::Wiring());
    EXPECT_TRUE(ShowsSplash(right));
    for (const auto& [symptom, shows] : SYMPTOMS) {
        EXPECT_FALSE(shows != nullptr && shows(right)) << symptom;
    }
}

TEST(SymptomTable, TheJapaneseGuideGivesTheSameExamples) {
    const std::vector<Row> english =
        TableAfter("README.md", "### What the LCD shows, and what to check");
    const std::vector<Row> japanese = TableAfter("README.ja.md", "### 液晶の表示 → 確かめるところ");
    ASSERT_EQ(japanese.size(), english.size());
    for (size_t i = 0; i < english.size(); ++i) {
        EXPECT_EQ(japanese[i].examples, english[i].examples) << english[i].symptom;
    }
}

} // namespace

// What the user types: lines read a byte at a time, from a console, a file or a pipe alike.
#include "answers.h"

#include "console.h"
#include "texts.h"

#include <windows.h>

#include <algorithm>

namespace Answers {

std::optional<std::string> ReadLine() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string line;
    char byte = 0;
    DWORD read = 0;
    for (;;) {
        if (!ReadFile(input, &byte, 1, &read, nullptr) || read != 1) {
            return line.empty() ? std::nullopt : std::optional<std::string>(line);
        }
        if (byte == '\n') {
            return line;
        }
        if (byte != '\r') {
            line += byte;
        }
    }
}

std::optional<int> Choice(const std::vector<int>& numbers) {
    for (;;) {
        Console::Text(Hid2checkTexts::Say(Hid2checkTexts::Id::WIRING_ANSWER));
        const std::optional<std::string> line = ReadLine();
        if (!line) {
            Console::Line("");
            return std::nullopt;
        }
        const std::string typed = Hid2checkTexts::Trimmed(*line);
        for (const int number : numbers) {
            if (typed == std::to_string(number)) {
                return number;
            }
        }
        Console::Line(Hid2checkTexts::Say(Hid2checkTexts::Id::WIRING_ANSWER_AGAIN));
    }
}

void WaitForEnter() {
    // Keys pressed while the checks ran must not close the window before it is read.
    FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
    Console::Line("");
    Console::Line(Hid2checkTexts::Say(Hid2checkTexts::Id::PRESS_ENTER));
    ReadLine();
}

} // namespace Answers

// The wiring screen, the wiring questions and the line walk, at the console.
#include "console_dialogues.h"

#include "answers.h"
#include "console.h"
#include "exit_code.h"
#include "library_findings.h"
#include "line_walk.h"
#include "supervisor.h"
#include "texts.h"
#include "verdict.h"
#include "wiring_dialogue.h"

#include <windows.h>

#include <vector>

namespace ConsoleDialogues {
namespace {

using Hid2checkTexts::Id;
using Hid2checkTexts::Say;

// Puts one screen or step on the LCD from a checking process of its own; false, with
// hid2check's exit code in `code`, when the run went wrong (the report said why).
bool ShowOnTheLcd(const std::wstring& path, const Protocol::Run& run, const Report::Names& names,
                  int& code) {
    Report::Session session(run, names, Console::Line, LibraryFindings::SystemMessage);
    code = Supervisor::Run(path, run, session);
    return session.Wired();
}

int Verdict(const std::string& why) {
    return Verdict::Give(Console::Line, ExitCode::WILL_LOAD, why);
}

} // namespace

int ShowWiringScreen(const std::wstring& path, int screen, const Report::Names& names) {
    int code = 0;
    if (!ShowOnTheLcd(path, {Protocol::Task::WIRING, screen}, names, code)) {
        return code;
    }
    return Verdict(Say(Id::WIRING_DONE_ONE, {std::to_string(screen)}));
}

// A screen, a question about what the LCD shows, the next screen from the answers, until
// the fault can be named. The mark after each claim differs from run to run, so that what
// an earlier run left is not taken for this one's screen.
int AskAboutTheWiring(const std::wstring& path, const Report::Names& names) {
    const std::string mark = std::to_string(100 + GetTickCount() % 900);
    WiringDialogue::Dialogue dialogue(mark);
    bool repeat = false;
    while (const std::optional<int> screen = dialogue.NextScreen()) {
        int code = 0;
        if (!ShowOnTheLcd(path, {Protocol::Task::DIALOGUE, *screen, repeat, mark}, names, code)) {
            return code;
        }
        repeat = true;
        const WiringDialogue::Question question = dialogue.CurrentQuestion();
        Console::Line(question.prompt);
        std::vector<int> numbers;
        for (const WiringDialogue::Choice& choice : question.choices) {
            Console::Line("  " + std::to_string(choice.number) + "  " + choice.text);
            numbers.push_back(choice.number);
        }
        const std::optional<int> number = Answers::Choice(numbers);
        if (!number) {
            break;
        }
        WiringDialogue::Answer answer;
        for (const WiringDialogue::Choice& choice : question.choices) {
            answer.seen = choice.number == *number ? choice.seen : answer.seen;
        }
        if (answer.seen == WiringDialogue::Seen::OTHER) {
            Console::Text(Say(Id::WIRING_TYPE));
            answer.typed = Hid2checkTexts::Trimmed(Answers::ReadLine().value_or(""));
        }
        dialogue.Give(answer);
    }
    const WiringDialogue::Verdict verdict = dialogue.Result();
    for (const std::string& line : verdict.details) {
        Console::Line(line);
    }
    return Verdict(verdict.text);
}

// Every line low, then each one high alone, Enter between the steps; at the end the
// display is put back to a clean state.
int WalkTheLines(const std::wstring& path, const Report::Names& names) {
    const int steps = static_cast<int>(LineWalk::Steps().size());
    int code = 0;
    for (int step = 0; step < steps; ++step) {
        if (!ShowOnTheLcd(path, {Protocol::Task::LINES, step, step != 0}, names, code)) {
            return code;
        }
        Console::Line(LineWalk::Describe(step));
        if (step + 1 < steps) {
            Console::Line(Say(Id::LINES_NEXT));
            if (!Answers::ReadLine()) {
                break;
            }
        }
    }
    if (!ShowOnTheLcd(path, {Protocol::Task::LINES, steps, true}, names, code)) {
        return code;
    }
    return Verdict(Say(Id::LINES_DONE));
}

} // namespace ConsoleDialogues

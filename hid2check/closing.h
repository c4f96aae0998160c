// Whether hid2check asks for Enter before it ends. Started from Explorer (a double click),
// a console program gets a console window of its own, which closes the moment the program
// ends, and the findings with it. Started from a command prompt, it shares the prompt's
// console, which stays open: there it never waits.
#pragma once

namespace Closing {

// The console as hid2check finds it at start, before its checking process shares it.
struct ConsoleAtStart {
    // The processes attached to it, hid2check included; 0 when there is none.
    unsigned long processes;
    bool inputIsConsole;
    bool outputIsConsole;
};

// True when hid2check is alone on its console and both reads and writes it: with input
// or output redirected, no one reads the findings in that window, or no key can reach it.
bool WaitsForEnter(const ConsoleAtStart& console);

} // namespace Closing

// What hid2check checks, in the order it checks: where the library is, the file, its
// names, its calls (in a checking process of its own, child.h) and, when asked, the board
// and the wiring. Every finding goes to the console, the verdict last.
#pragma once

#include "closing.h"

#include <string>
#include <vector>

namespace Checks {

// Checks as the command line (without the program's name) asks; hid2check's exit code.
int Run(const std::vector<std::wstring>& arguments);

// Read at start: once the checking process runs, it shares the console too.
Closing::ConsoleAtStart ConsoleAtStart();
// Asks for Enter in the language of the findings, and waits for it.
void WaitForEnter();

} // namespace Checks

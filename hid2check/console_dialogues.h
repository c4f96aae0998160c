// The forms of hid2check that put something on the LCD and talk with the user about it:
// one wiring screen (--wiring N), the wiring questions (--wiring) and the line walk
// (--lines). Each screen or step comes from a checking process of its own.
#pragma once

#include "report.h"

#include <string>

namespace ConsoleDialogues {

// Each returns hid2check's exit code.
int ShowWiringScreen(const std::wstring& path, int screen, const Report::Names& names);
int AskAboutTheWiring(const std::wstring& path, const Report::Names& names);
int WalkTheLines(const std::wstring& path, const Report::Names& names);

} // namespace ConsoleDialogues

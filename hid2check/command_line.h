// hid2check's command line, read in one pass before anything is said, so that even a
// wrong one is answered in the language it asks for.
#pragma once

#include "language.h"

#include <string>
#include <vector>

namespace CommandLine {

constexpr int ALL_SCREENS = -1;

struct Options {
    bool live = false;
    // --wiring [N]: the wiring screens, all of them one by one, or screen N alone.
    bool wiring = false;
    int wiringScreen = ALL_SCREENS;
    // --lines: the line walk.
    bool lines = false;
    // --record: KORVAN3.exe run once through the stand-in, its calls recorded.
    bool record = false;
    bool help = false;
    std::wstring path;
    UiLanguage::Language language = UiLanguage::Language::ENGLISH;
    // The first argument not understood, when `wrong`.
    bool wrong = false;
    std::wstring unexpected;
};

// The arguments after the program's name; `language` until one is chosen.
Options Parse(const std::vector<std::wstring>& arguments, UiLanguage::Language language);

} // namespace CommandLine

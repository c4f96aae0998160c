// The fixed screens the window shows on the display.
#pragma once

#include <string_view>

namespace LcdScreens {

// Opens the board afresh and initialises the display, with the auxiliary line high.
void BringUp();
// The two-line greeting, written over the display left empty by BringUp.
void ShowSplash();
// The two texts from the window's boxes, one per row, sent whole.
void ShowUserText(std::string_view first, std::string_view second);
// Today's date on row 0 and the current time on row 1.
void ShowDateTime();
// The closing line, with the auxiliary line high again.
void ShowGoodbye();

} // namespace LcdScreens

// Runs the LCD screens through the real HID2.DLL import, so that the Wine test can
// check what reached the library: names, calling convention and argument values.
#include "lcd_screens.h"

int main() {
    LcdScreens::BringUp();
    LcdScreens::ShowSplash();
    LcdScreens::ShowUserText("A\xCA", "");
    LcdScreens::ShowDateTime();
    LcdScreens::ShowGoodbye();
    return 0;
}

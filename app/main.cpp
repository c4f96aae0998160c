// KORVAN3: start-up and message loop.
#include "main_window.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // All eight classic common-control classes.
    INITCOMMONCONTROLSEX commonControls = {sizeof commonControls, 0xFF};
    InitCommonControlsEx(&commonControls);

    MainWindow::CreateUiFont();
    MainWindow::RegisterWindowClass(instance, MainWindow::CreateBackgroundBrush());

    // The window shows itself through its visible style; creating it brings the
    // display up. Without a window nothing could ever end the loop below.
    if (MainWindow::Create(instance) == nullptr) {
        return 1;
    }

    // No dialog-style keyboard handling: Tab and Enter do nothing special.
    MSG message;
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0 || result == -1) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

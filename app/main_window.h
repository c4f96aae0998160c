// The main window "KORVAN3": two text boxes and two buttons whose clicks become LCD
// screens. It owns the font, the background brush and the icon, and releases them on
// its destruction.
#pragma once

#include <windows.h>

namespace MainWindow {

// The font of the four controls, and the background brush of the window class; both
// are created once before the class is registered.
void CreateUiFont();
HBRUSH CreateBackgroundBrush();

// Registers the class "NORMAL0" with the window procedure below.
void RegisterWindowClass(HINSTANCE instance, HBRUSH background);
// Creates the window; its creation builds the controls, brings the display up and
// starts the splash timer before returning. Returns nullptr if it could not be made.
HWND Create(HINSTANCE instance);

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace MainWindow

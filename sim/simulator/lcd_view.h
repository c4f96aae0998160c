// Draws the simulated board: the 16x2 display as a backlit dot-matrix LCD, the port lines
// of the USB-IO, the counters and the latest trace lines.
#pragma once

#include "board.h"

#include <windows.h>

namespace LcdView {

// Size of the client area the drawing fills.
SIZE ClientSize();

// Paints everything into `dc`, whose origin is the client area's. `blinkPhase` selects
// the half of the blink period in which a blinking cell shows all its dots.
void Paint(HDC dc, const Sim::Board& board, bool blinkPhase);

} // namespace LcdView

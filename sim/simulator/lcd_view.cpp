#include "lcd_view.h"

#include "charset.h"
#include "texts.h"
#include "utf8.h"

#include <cstdio>
#include <string>

namespace LcdView {
namespace {

constexpr COLORREF Colour(unsigned red, unsigned green, unsigned blue) {
    return red | (green << 8) | (blue << 16);
}

// Yellow-green backlight; unlit dots of the liquid crystal stay faintly visible.
constexpr COLORREF BACKLIGHT = Colour(0xA4, 0xC6, 0x2C);
constexpr COLORREF DOT_UNLIT = Colour(0x97, 0xB8, 0x26);
constexpr COLORREF DOT_LIT = Colour(0x1E, 0x2C, 0x0A);
// The unlit dots of a row of boxes (one-line mode at a contrast set for two lines): nearly
// as dark as lit ones, so that characters still show on them, faintly.
constexpr COLORREF DOT_BOX = Colour(0x3A, 0x4E, 0x14);
constexpr COLORREF BEZEL = Colour(0x18, 0x1A, 0x1C);
constexpr COLORREF BOARD = Colour(0x1F, 0x5C, 0x34);
constexpr COLORREF LABEL = Colour(0xE8, 0xEE, 0xE4);
constexpr COLORREF LAMP_ON = Colour(0xFF, 0x40, 0x30);
constexpr COLORREF LAMP_OFF = Colour(0x4A, 0x20, 0x1C);
constexpr COLORREF VIOLATION = Colour(0xFF, 0xB0, 0x40);

// Geometry in pixels: a dot is DOT square on a DOT_PITCH grid, a character cell is 5x8
// dots (5x11 with the 5x10 font), with CELL_GAP between cells and ROW_GAP between the two
// rows.
constexpr int DOT = 4;
constexpr int DOT_PITCH = 5;
constexpr int CELL_WIDTH = 5 * DOT_PITCH;
constexpr int CELL_HEIGHT = Sim::ROWS_5X8 * DOT_PITCH;
constexpr int CELL_GAP = 4;
constexpr int ROW_GAP = 7;
constexpr int COLUMNS = Sim::Hd44780::VISIBLE_COLUMNS;
constexpr int ROWS = Sim::Hd44780::ROWS;

constexpr int MARGIN = 16;
constexpr int BEZEL_WIDTH = 14;
constexpr int GLASS_PADDING = 14;
constexpr int GLASS_WIDTH = 2 * GLASS_PADDING + COLUMNS * CELL_WIDTH + (COLUMNS - 1) * CELL_GAP;
constexpr int GLASS_HEIGHT = 2 * GLASS_PADDING + ROWS * CELL_HEIGHT + (ROWS - 1) * ROW_GAP;
static_assert(Sim::ROWS_5X10 * DOT_PITCH <= ROWS * CELL_HEIGHT + (ROWS - 1) * ROW_GAP,
              "a 5x10 cell fits where the two rows of 5x8 cells stand");
constexpr int GLASS_LEFT = MARGIN + BEZEL_WIDTH;
constexpr int GLASS_TOP = MARGIN + BEZEL_WIDTH;
constexpr int LCD_BOTTOM = GLASS_TOP + GLASS_HEIGHT + BEZEL_WIDTH;

constexpr int LINE_HEIGHT = 18;
constexpr int LAMP = 12;
constexpr int LAMP_PITCH = 34;
constexpr int LAMPS_TOP = LCD_BOTTOM + 14;
constexpr int COUNTERS_TOP = LAMPS_TOP + LAMP + LINE_HEIGHT + 10;
constexpr int TRACE_TOP = COUNTERS_TOP + 2 * LINE_HEIGHT + 8;
constexpr int TRACE_LINES = 6;

constexpr int CLIENT_WIDTH = GLASS_LEFT + GLASS_WIDTH + BEZEL_WIDTH + MARGIN;
constexpr int CLIENT_HEIGHT = TRACE_TOP + TRACE_LINES * LINE_HEIGHT + MARGIN;

void Fill(HDC dc, int left, int top, int width, int height, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    const RECT area = {left, top, left + width, top + height};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Text(HDC dc, int left, int top, const std::wstring& text, COLORREF colour) {
    SetTextColor(dc, colour);
    TextOutW(dc, left, top, text.c_str(), static_cast<int>(text.size()));
}

void PaintLcd(HDC dc, const Sim::Hd44780& lcd, bool blinkPhase) {
    Fill(dc, MARGIN, MARGIN, GLASS_WIDTH + 2 * BEZEL_WIDTH, GLASS_HEIGHT + 2 * BEZEL_WIDTH, BEZEL);
    Fill(dc, GLASS_LEFT, GLASS_TOP, GLASS_WIDTH, GLASS_HEIGHT, BACKLIGHT);
    // With the 5x10 font there is one line, and its taller cells reach into the place of
    // the second row.
    const int rows = lcd.Font5x10() ? 1 : ROWS;
    const int dotRows = Sim::CellRows(lcd);
    for (int row = 0; row < rows; ++row) {
        const COLORREF unlit = row == 0 && lcd.RowOfBoxes() ? DOT_BOX : DOT_UNLIT;
        for (int column = 0; column < COLUMNS; ++column) {
            const Sim::Glyph dots = Sim::CellDots(lcd, row, column, blinkPhase);
            const int cellLeft = GLASS_LEFT + GLASS_PADDING + column * (CELL_WIDTH + CELL_GAP);
            const int cellTop = GLASS_TOP + GLASS_PADDING + row * (CELL_HEIGHT + ROW_GAP);
            for (int y = 0; y < dotRows; ++y) {
                for (int x = 0; x < 5; ++x) {
                    const bool lit = (dots[static_cast<size_t>(y)] & (0x10 >> x)) != 0;
                    Fill(dc, cellLeft + x * DOT_PITCH, cellTop + y * DOT_PITCH, DOT, DOT,
                         lit ? DOT_LIT : unlit);
                }
            }
        }
    }
}

void Lamp(HDC dc, int left, const wchar_t* label, bool on) {
    SetDCBrushColor(dc, on ? LAMP_ON : LAMP_OFF);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, left, LAMPS_TOP, left + LAMP + 1, LAMPS_TOP + LAMP + 1);
    Text(dc, left - 2, LAMPS_TOP + LAMP + 3, label, LABEL);
}

// D7 to D0 from left to right, as the bus value reads, then the control lines.
void PaintPorts(HDC dc, const Sim::Board& board) {
    static const wchar_t* const DATA_LABELS[] = {L"D7", L"D6", L"D5", L"D4",
                                                 L"D3", L"D2", L"D1", L"D0"};
    int left = MARGIN + 2;
    for (int bit = 7; bit >= 0; --bit) {
        Lamp(dc, left, DATA_LABELS[7 - bit], ((board.DataBus() >> bit) & 1) != 0);
        left += LAMP_PITCH;
    }
    wchar_t bus[8];
    std::swprintf(bus, 8, L"0x%02X", board.DataBus());
    Text(dc, left - 6, LAMPS_TOP - 2, bus, LABEL);
    left += LAMP_PITCH + 20;
    Lamp(dc, left, L"RS", board.Rs());
    left += LAMP_PITCH;
    Lamp(dc, left, L"AUX", board.Aux());
    left += LAMP_PITCH + 4;
    Lamp(dc, left, L"E", board.E());
}

void PaintCounters(HDC dc, const Sim::Board& board) {
    using LcdsimTexts::Id;
    const std::wstring counts = Utf8::ToWide(LcdsimTexts::Say(
        Id::COUNTS, {std::to_string(board.PortWrites()), std::to_string(board.Transfers())}));
    Text(dc, MARGIN, COUNTERS_TOP, counts, LABEL);
    SIZE extent;
    GetTextExtentPoint32W(dc, counts.c_str(), static_cast<int>(counts.size()), &extent);
    Text(dc, MARGIN + extent.cx, COUNTERS_TOP,
         Utf8::ToWide(LcdsimTexts::Say(Id::VIOLATIONS, {std::to_string(board.Violations())})),
         board.Violations() > 0 ? VIOLATION : LABEL);
    Text(dc, MARGIN, COUNTERS_TOP + LINE_HEIGHT,
         Utf8::ToWide(LcdsimTexts::Say(Id::TIMES, {std::to_string(board.NowMicroseconds()),
                                                   std::to_string(board.WriteCostMicroseconds())})),
         LABEL);
}

void PaintTrace(HDC dc, const Sim::Board& board) {
    const std::vector<std::string>& trace = board.Trace();
    const size_t shown = trace.size() < TRACE_LINES ? trace.size() : TRACE_LINES;
    for (size_t i = 0; i < shown; ++i) {
        const std::string& line = trace[trace.size() - shown + i];
        const bool violation = line.find("VIOLATION") != std::string::npos;
        Text(dc, MARGIN, TRACE_TOP + static_cast<int>(i) * LINE_HEIGHT, Utf8::ToWide(line),
             violation ? VIOLATION : LABEL);
    }
}

} // namespace

SIZE ClientSize() {
    return SIZE{CLIENT_WIDTH, CLIENT_HEIGHT};
}

void Paint(HDC dc, const Sim::Board& board, bool blinkPhase) {
    Fill(dc, 0, 0, CLIENT_WIDTH, CLIENT_HEIGHT, BOARD);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    PaintLcd(dc, board.Lcd(), blinkPhase);
    PaintPorts(dc, board);
    PaintCounters(dc, board);
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    PaintTrace(dc, board);
}

} // namespace LcdView

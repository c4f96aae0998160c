#include "expected_screens.h"

namespace Expected {

namespace {

// DDRAM addresses of column 0: row 0 starts at 0x00, row 1 at 0x40.
constexpr int SET_CURSOR_ROW0 = 0x80;
constexpr int SET_CURSOR_ROW1 = 0xC0;
constexpr int CLEAR_DISPLAY = 0x01;

// Both rows from column 0, each text sent whole.
Writes TwoRows(std::string_view first, std::string_view second) {
    return Concat({Cycle(SET_CURSOR_ROW0, INSTRUCTION), DataCycles(first, DATA),
                   Cycle(SET_CURSOR_ROW1, INSTRUCTION), DataCycles(second, DATA)});
}

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::vector<int> InitialisationWaits() {
    std::vector<int> waits;
    for (const InitialisationStep& step : INITIALISATION) {
        if (step.waitMilliseconds > 0) {
            waits.push_back(step.waitMilliseconds);
        }
    }
    return waits;
}

Writes Cycle(int code, int control) {
    return {{DATA_PORT, code},
            {CONTROL_PORT, control},
            {CONTROL_PORT, control + E},
            {CONTROL_PORT, control}};
}

Writes DataCycles(std::string_view bytes, int control) {
    Writes writes;
    for (const char byte : bytes) {
        const Writes cycle = Cycle(static_cast<unsigned char>(byte), control);
        writes.insert(writes.end(), cycle.begin(), cycle.end());
    }
    return writes;
}

Writes Concat(std::initializer_list<Writes> parts) {
    Writes all;
    for (const Writes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// The auxiliary line is high throughout the initialisation, then dropped with RS and E low.
Writes BringUp() {
    Writes writes;
    for (const InitialisationStep& step : INITIALISATION) {
        writes = Concat({writes, Cycle(step.code, INSTRUCTION + AUX)});
    }
    writes.push_back({CONTROL_PORT, 0});
    return writes;
}

// No clear: the display is still empty from the bring-up.
Writes Splash() {
    return TwoRows(SPLASH_ROW0, SPLASH_ROW1);
}

Writes UserText(std::string_view first, std::string_view second) {
    return Concat({Cycle(CLEAR_DISPLAY, INSTRUCTION), TwoRows(first, second)});
}

Writes DateTime(std::string_view date, std::string_view time) {
    return UserText(date, time);
}

// The auxiliary line goes high first, alone on the control port, and stays high; the
// text starts where the clear leaves the address counter, without a cursor move.
Writes Goodbye() {
    return Concat({{{CONTROL_PORT, AUX}},
                   Cycle(CLEAR_DISPLAY, INSTRUCTION + AUX),
                   DataCycles(GOODBYE_ROW0, DATA + AUX)});
}

int OpenAttemptsWithoutBoard(const Writes& writes) {
    int attempts = 0;
    for (const PortWrite& write : writes) {
        attempts += write.port == CONTROL_PORT ? 1 : 0;
    }
    return attempts;
}

std::string AsDisplayed(std::string_view codes) {
    // JIS X 0201 orders its katakana as Unicode's half-width forms, from U+FF61 on.
    constexpr char32_t HALF_WIDTH_KATAKANA = 0xFF61;
    constexpr char32_t NOT_SHOWN = 0xFFFD;
    std::string text;
    for (const char byte : codes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code >= 0x20 && code <= 0x7D && code != 0x5C) {
            AppendUtf8(text, code);
        } else if (code >= 0xA1 && code <= 0xDF) {
            AppendUtf8(text, HALF_WIDTH_KATAKANA + (code - 0xA1u));
        } else {
            AppendUtf8(text, NOT_SHOWN);
        }
    }
    return text;
}

} // namespace Expected

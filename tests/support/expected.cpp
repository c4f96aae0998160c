// The expected screens for the shell tests, which run under Wine and ask here rather than
// write the bytes out again:
//   expected writes STEP...   the port writes on an open link, "port,value " pairs on a line
//   expected count STEP...    how many port writes that is
//   expected opens STEP...    how many hidinit calls the steps make while no board answers
//   expected display SCREEN   the two rows the display shows once the screen is written,
//                             as `LCDSIM.exe --print` prints them (UTF-8)
// STEP: bringup | splash | text ROW0 ROW1 | datetime | goodbye, as screens_probe.exe takes
// them; in a text, \xHH stands for the byte HH. The date and time screen is the one of
// Expected::EXAMPLE_DATE and EXAMPLE_TIME: its count and opens hold at any moment.
// SCREEN: one step other than bringup; the splash on the display that bring-up cleared.
// Exits 2 on arguments it does not know.
#include "expected_screens.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t COLUMNS = 16;

struct Screen {
    Expected::Writes writes;
    // The rows' codes from column 0 after the screen; only a screen that starts with a
    // clear, or the splash, leaves both rows known.
    std::string rows[2];
};

std::string Unescaped(const char* text) {
    std::string bytes;
    for (const char* c = text; *c != '\0'; ++c) {
        if (c[0] == '\\' && c[1] == 'x' && std::strlen(c) >= 4) {
            const char hex[3] = {c[2], c[3], '\0'};
            bytes += static_cast<char>(std::strtol(hex, nullptr, 16));
            c += 3;
        } else {
            bytes += *c;
        }
    }
    return bytes;
}

// Reads one step at argv[i] and moves i past it; false if there is none it knows.
bool ReadStep(int argc, char** argv, int& i, Screen& screen) {
    const char* step = argv[i++];
    if (std::strcmp(step, "bringup") == 0) {
        screen = {Expected::BringUp(), {}};
    } else if (std::strcmp(step, "splash") == 0) {
        screen = {Expected::Splash(),
                  {std::string(Expected::SPLASH_ROW0), std::string(Expected::SPLASH_ROW1)}};
    } else if (std::strcmp(step, "text") == 0 && argc - i >= 2) {
        const std::string first = Unescaped(argv[i++]);
        const std::string second = Unescaped(argv[i++]);
        screen = {Expected::UserText(first, second), {first, second}};
    } else if (std::strcmp(step, "datetime") == 0) {
        screen = {Expected::DateTime(Expected::EXAMPLE_DATE, Expected::EXAMPLE_TIME),
                  {Expected::EXAMPLE_DATE, Expected::EXAMPLE_TIME}};
    } else if (std::strcmp(step, "goodbye") == 0) {
        screen = {Expected::Goodbye(), {std::string(Expected::GOODBYE_ROW0), ""}};
    } else {
        return false;
    }
    return true;
}

bool PrintDisplay(const Screen& screen) {
    for (const std::string& row : screen.rows) {
        if (row.size() > COLUMNS) {
            return false;
        }
    }
    for (const std::string& row : screen.rows) {
        std::printf("%s%s\n", Expected::AsDisplayed(row).c_str(),
                    std::string(COLUMNS - row.size(), ' ').c_str());
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The shell compares bytes: no CR before the line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 3) {
        return 2;
    }
    const std::string mode = argv[1];
    Expected::Writes writes;
    Screen screen;
    int steps = 0;
    for (int i = 2; i < argc; ++steps) {
        if (!ReadStep(argc, argv, i, screen)) {
            return 2;
        }
        writes = Expected::Concat({writes, screen.writes});
    }
    if (mode == "writes") {
        for (const Expected::PortWrite& write : writes) {
            std::printf("%d,%d ", write.port, write.value);
        }
        std::printf("\n");
    } else if (mode == "count") {
        std::printf("%zu\n", writes.size());
    } else if (mode == "opens") {
        std::printf("%d\n", Expected::OpenAttemptsWithoutBoard(writes));
    } else if (mode == "display" && steps == 1 && argv[2] != std::string("bringup")) {
        return PrintDisplay(screen) ? 0 : 2;
    } else {
        return 2;
    }
    return 0;
}

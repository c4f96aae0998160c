#include "window_report.h"

#include "check.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* file = std::fopen(path.c_str(), "r");
    char line[256];
    while (file != nullptr && std::fgets(line, sizeof line, file) != nullptr) {
        lines.emplace_back(line, std::strcspn(line, "\n"));
    }
    if (file != nullptr) {
        std::fclose(file);
    }
    return lines;
}

} // namespace

void CheckWindowReport(const std::string& path) {
    const std::vector<std::string> lines = ReadLines(path);
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    const char* expected[] = {
        "class_icon_is_stock_application 1",
        "class_small_icon_is_stock_winlogo 1",
        "class_cursor_is_stock_arrow 1",
        "large_icon 1 small_icon 0",
        "large_icon_pixels 32x32 transparent 408 black 76 yellow 540 other 0",
    };
    for (const char* line : expected) {
        Check(has(line), "window report lacks '%s'", line);
    }
    // Height -12, width, escapement, orientation 0, weight 400, not italic, underlined or
    // struck out, Shift_JIS, stroke precisions, draft quality, Swiss family, default pitch.
    const std::string font = " font -12 0 0 0 400 0 0 0 128 3 2 1 32 "
                             "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7"
                             "\xE3\x83\x83\xE3\x82\xAF";
    for (int id = 1000; id <= 1003; ++id) {
        Check(has("control " + std::to_string(id) + font), "control %d font not as created", id);
    }
    unsigned style = 99;
    unsigned long colour = 1;
    unsigned long buttonFace = 2;
    for (const std::string& line : lines) {
        std::sscanf(line.c_str(), "class_background style %u colour %lx button_face %lx", &style,
                    &colour, &buttonFace);
    }
    Check(style == BS_SOLID && colour == buttonFace,
          "class background: style %u colour %06lx, button face %06lx", style, colour, buttonFace);
}

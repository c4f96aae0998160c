#include "text_table.h"

namespace TextTable {

std::string Fill(const std::string& pattern, std::initializer_list<std::string> arguments) {
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '{' && i + 2 < pattern.size() &&
                                 pattern[i + 2] == '}' && pattern[i + 1] >= '0' &&
                                 static_cast<size_t>(pattern[i + 1] - '0') < arguments.size();
        if (placeholder) {
            text += arguments.begin()[pattern[i + 1] - '0'];
            i += 2;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace TextTable

#include "command_line.h"

namespace CommandLine {

Options Parse(const std::vector<std::wstring>& arguments, UiLanguage::Language language) {
    Options options;
    options.language = language;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            options.help = true;
        } else if (argument == L"--live") {
            options.live = true;
        } else if (argument == L"--lang" && i + 1 < arguments.size() &&
                   UiLanguage::FromOption(arguments[i + 1], options.language)) {
            ++i;
        } else if (argument.empty() || argument[0] == L'-' || !options.path.empty()) {
            if (!options.wrong) {
                options.wrong = true;
                options.unexpected = argument;
            }
        } else {
            options.path = argument;
        }
    }
    return options;
}

} // namespace CommandLine

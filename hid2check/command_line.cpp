// hid2check's command line, read into its options.
#include "command_line.h"

#include <cwchar>

namespace CommandLine {
namespace {

// A screen's number: decimal digits only, and not so many that they overflow.
bool ScreenNumber(const std::wstring& text, int& number) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of(L"0123456789") != std::wstring::npos) {
        return false;
    }
    number = static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
    return true;
}

} // namespace

Options Parse(const std::vector<std::wstring>& arguments, UiLanguage::Language language) {
    Options options;
    options.language = language;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            options.help = true;
        } else if (argument == L"--live") {
            options.live = true;
        } else if (argument == L"--lines") {
            options.lines = true;
        } else if (argument == L"--record") {
            options.record = true;
        } else if (argument == L"--wiring") {
            options.wiring = true;
            if (i + 1 < arguments.size() && ScreenNumber(arguments[i + 1], options.wiringScreen)) {
                ++i;
            }
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

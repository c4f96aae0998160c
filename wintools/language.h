// The language the tools speak: Japanese where Windows shows Japanese, English
// everywhere else, unless `--lang en|ja` chooses.
#pragma once

#include <string>

namespace UiLanguage {

enum class Language { ENGLISH, JAPANESE };

// The language of the Windows display (its user interface), as the tools speak it.
Language OfWindows();

// The language an `--lang` argument names ("en" or "ja"); false for anything else.
inline bool FromOption(const std::wstring& name, Language& language) {
    if (name != L"en" && name != L"ja") {
        return false;
    }
    language = name == L"ja" ? Language::JAPANESE : Language::ENGLISH;
    return true;
}

} // namespace UiLanguage

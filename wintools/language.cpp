#include "language.h"

#include <windows.h>

namespace UiLanguage {

Language OfWindows() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::JAPANESE
                                                                      : Language::ENGLISH;
}

} // namespace UiLanguage

#include "program_texts.h"
#include "texts.h"

namespace ProgramTexts {

std::vector<std::string> Hid2check(UiLanguage::Language language) {
    std::vector<std::string> texts;
    for (int i = 0; i < static_cast<int>(Texts::Id::COUNT); ++i) {
        texts.push_back(Texts::Template(language, static_cast<Texts::Id>(i)));
    }
    return texts;
}

} // namespace ProgramTexts

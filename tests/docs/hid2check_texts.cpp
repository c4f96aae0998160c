#include "program_texts.h"
#include "texts.h"

namespace ProgramTexts {

std::vector<std::string> Hid2check(UiLanguage::Language language) {
    std::vector<std::string> texts;
    for (int i = 0; i < static_cast<int>(Hid2checkTexts::Id::COUNT); ++i) {
        texts.push_back(Hid2checkTexts::Template(language, static_cast<Hid2checkTexts::Id>(i)));
    }
    return texts;
}

} // namespace ProgramTexts

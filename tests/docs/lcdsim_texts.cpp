#include "program_texts.h"
#include "texts.h"

namespace ProgramTexts {

std::vector<std::string> Lcdsim(UiLanguage::Language language) {
    std::vector<std::string> texts;
    Texts::Use(language);
    for (int i = 0; i < static_cast<int>(Texts::Id::COUNT); ++i) {
        // Without arguments every {n} stays as written.
        texts.push_back(Texts::Say(static_cast<Texts::Id>(i)));
    }
    for (int i = 0; i <= static_cast<int>(Sim::LineProblem::HIDREAD_NUMBERS); ++i) {
        texts.push_back(Texts::Describe(static_cast<Sim::LineProblem>(i)));
    }
    Texts::Use(UiLanguage::Language::ENGLISH);
    return texts;
}

} // namespace ProgramTexts

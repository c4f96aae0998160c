#include "program_texts.h"
#include "texts.h"

namespace ProgramTexts {

std::vector<std::string> Lcdsim(UiLanguage::Language language) {
    std::vector<std::string> texts;
    LcdsimTexts::Use(language);
    for (int i = 0; i < static_cast<int>(LcdsimTexts::Id::COUNT); ++i) {
        // Without arguments every {n} stays as written.
        texts.push_back(LcdsimTexts::Say(static_cast<LcdsimTexts::Id>(i)));
    }
    // Every problem a log line can have; NONE is none, and has no text.
    for (int i = 1; i <= static_cast<int>(Sim::LineProblem::HIDREAD_NUMBERS); ++i) {
        texts.push_back(LcdsimTexts::Describe(static_cast<Sim::LineProblem>(i)));
    }
    LcdsimTexts::Use(UiLanguage::Language::ENGLISH);
    return texts;
}

} // namespace ProgramTexts

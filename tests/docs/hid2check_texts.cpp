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

std::vector<std::string> Hid2checkNested(UiLanguage::Language language) {
    using Hid2checkTexts::Id;
    using Hid2checkTexts::Say;
    Hid2checkTexts::Use(language);
    const std::string startup = Say(Id::STARTUP_CODE);
    const std::string crash = Say(Id::ACCESS_VIOLATION);
    std::vector<std::string> texts = {
        Say(Id::CRASHED, {startup, crash, "C0000005"}), Say(Id::DID_NOT_RETURN, {startup, "10"}),
        Say(Id::WOULD_CRASH, {startup, crash}), Say(Id::WOULD_FREEZE, {startup})};
    Hid2checkTexts::Use(UiLanguage::Language::ENGLISH);
    return texts;
}

} // namespace ProgramTexts

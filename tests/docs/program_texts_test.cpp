// hid2check's and LCDSIM's texts, every one in both languages: the same placeholders in
// each, and the Japanese set as the guide sets it.
#include "placeholders.h"
#include "program_texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using UiLanguage::Language;

// Full-width brackets and punctuation take no space beside them (a run of spaces that
// indents a line or aligns a column is layout), a bracket inside a bracket reads as a slip,
// round brackets are full width, and a range takes ～ (U+FF5E), as the guide does: code
// page 932 gives 〜 (U+301C) back as ～.
std::string JapaneseTypeSlip(const std::string& text) {
    const std::string OPENING[] = {"（", "「"};
    const std::string CLOSING[] = {"）", "」"};
    const std::string ALL[] = {"（", "「", "）", "」", "、", "。"};
    if (text.find_first_of("()") != std::string::npos) {
        return "a half-width bracket";
    }
    if (text.find("〜") != std::string::npos) {
        return "a wave dash 〜 where ～ belongs";
    }
    int depth = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        for (const std::string& mark : ALL) {
            if (text.compare(at, mark.size(), mark) != 0) {
                continue;
            }
            const size_t end = at + mark.size();
            // A single space: a run of them is layout.
            const bool spaceBefore = at > 0 && text[at - 1] == ' ' &&
                                     (at == 1 || (text[at - 2] != ' ' && text[at - 2] != '\n'));
            const bool spaceAfter = end < text.size() && text[end] == ' ' &&
                                    (end + 1 == text.size() || text[end + 1] != ' ');
            if (spaceBefore || spaceAfter) {
                return "a space beside " + mark;
            }
        }
        for (const std::string& mark : OPENING) {
            if (text.compare(at, mark.size(), mark) == 0 && ++depth > 1) {
                return "a bracket inside a bracket";
            }
        }
        for (const std::string& mark : CLOSING) {
            if (text.compare(at, mark.size(), mark) == 0 && --depth < 0) {
                return "a closing bracket without its opening one";
            }
        }
    }
    return depth == 0 ? "" : "a bracket left open";
}

struct Program {
    const char* name;
    std::function<std::vector<std::string>(Language)> texts;
};

const Program PROGRAMS[] = {
    {"hid2check", ProgramTexts::Hid2check},
    {"hid2check, a text filled into another", ProgramTexts::Hid2checkNested},
    {"LCDSIM", ProgramTexts::Lcdsim},
};

TEST(ProgramTexts, EveryTextIsInBothLanguagesWithTheSamePlaceholders) {
    for (const Program& program : PROGRAMS) {
        const std::vector<std::string> english = program.texts(Language::ENGLISH);
        const std::vector<std::string> japanese = program.texts(Language::JAPANESE);
        ASSERT_EQ(english.size(), japanese.size()) << program.name;
        for (size_t i = 0; i < english.size(); ++i) {
            EXPECT_FALSE(english[i].empty()) << program.name << " text " << i;
            EXPECT_NE(english[i], japanese[i])
                << program.name << " text " << i << " is not translated";
            EXPECT_EQ(Placeholders(english[i]), Placeholders(japanese[i]))
                << program.name << " text " << i;
            EXPECT_EQ(JapaneseTypeSlip(japanese[i]), "")
                << program.name << " text " << i << ": " << japanese[i];
        }
    }
}

} // namespace

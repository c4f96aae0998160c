// What LCDSIM's window and messages say, in both languages: every figure beside the
// words that name it. That every text is in both is checked with hid2check's, in
// tests/docs.
#include "texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using LcdsimTexts::Id;
using LcdsimTexts::Language;

struct Case {
    Language language;
    Id id;
    std::vector<std::string> figures;
    std::vector<std::string> expected; // in this order
};

const Case CASES[] = {
    {Language::ENGLISH, Id::COUNTS, {"812", "203"}, {"port writes 812", "transfers 203"}},
    {Language::JAPANESE, Id::COUNTS, {"812", "203"}, {"ポート書き込み 812 回", "転送 203 回"}},
    {Language::ENGLISH, Id::VIOLATIONS, {"7"}, {"timing violations 7"}},
    {Language::JAPANESE, Id::VIOLATIONS, {"7"}, {"タイミング違反 7 回"}},
    {Language::ENGLISH,
     Id::TIMES,
     {"5400", "1000"},
     {"virtual time 5400 us", "write cost 1000 us"}},
    {Language::JAPANESE,
     Id::TIMES,
     {"5400", "1000"},
     {"仮想時間 5400 μs", "書き込み 1 回の時間 1000 μs"}},
    {Language::ENGLISH, Id::BAD_LINE, {"run.log", "42", "no call"}, {"run.log line 42: no call"}},
    {Language::JAPANESE,
     Id::BAD_LINE,
     {"run.log", "42", "no call"},
     {"run.log の 42 行目: no call"}},
};

TEST(LcdsimTexts, PutsEachFigureInItsPlace) {
    for (const Case& c : CASES) {
        LcdsimTexts::Use(c.language);
        const auto& f = c.figures;
        const std::string text = f.size() == 1   ? LcdsimTexts::Say(c.id, {f[0]})
                                 : f.size() == 2 ? LcdsimTexts::Say(c.id, {f[0], f[1]})
                                                 : LcdsimTexts::Say(c.id, {f[0], f[1], f[2]});
        size_t at = 0;
        for (const std::string& part : c.expected) {
            const size_t found = text.find(part, at);
            EXPECT_NE(found, std::string::npos) << "no '" << part << "' in order in " << text;
            at = found == std::string::npos ? at : found + part.size();
        }
    }
    LcdsimTexts::Use(Language::ENGLISH);
}

} // namespace

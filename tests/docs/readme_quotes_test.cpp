// What the READMEs quote as hid2check's and LCDSIM's output is a part of what their text
// tables say, so that a changed text cannot leave a guide quoting words the programs no
// longer print. How a quote is recognised: readme_quotes.h.
#include "program_texts.h"
#include "readme_quotes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using ReadmeQuotes::Rule;
using UiLanguage::Language;

const std::vector<std::string> TEMPLATES = {
    "verdict: {0}",
    "KORVAN3.exe will not start: {0}",
    "there is no file there; put it beside KORVAN3.exe",
    "{0} crashed: {1} (0x{2})",
    "access violation",
    ", ",
    "it needs {0} under exactly those names",
    "判定: {0}",
    "これは {0}用です",
    "64 ビット",
    "、",
    "{0} がこのとおりの名前で必要です",
    "ポート書き込み {0} 回　転送 {1} 回　",
};

struct PartCase {
    const char* quote;
    bool part;
    bool opening = false;
};

const PartCase PART_CASES[] = {
    // A message in a message in a message, a changed word, text left out.
    {"verdict: KORVAN3.exe will not start: there is no file there; put it beside KORVAN3.exe",
     true},
    {"verdict: KORVAN3.exe will not start: there is no file here", false},
    {"verdict: KORVAN3.exe will not start: ...", true},
    {"... no file there; ...", true},
    {"there is no file there; put it beside KORVAN3.exe, please", false},
    // In a {n}: words, messages, and runs of both; never text that is neither.
    {"hidinit crashed: access violation (0xC0000005)", true},
    {"hidinit crashed: access fault (0xC0000005)", false},
    {"it needs hidinit, Hidwrite, Hidread under exactly those names", true},
    {"verdict: it all works", false},
    {"判定: これは 64 ビット用です", true},
    {"判定: これは 32 ビット用です", false},
    {"判定: hidinit、Hidwrite がこのとおりの名前で必要です", true},
    // A label, a word of a window, a figure named.
    {"verdict:", true},
    {"start:", true},
    {"start:", false, true},
    {"転送", true},
    {"書き込みコスト", false},
    {"ポート書き込み N 回", true},
    {"", false},
};

TEST(ReadmeQuotes, TellsAPartOfAMessageFromAnythingElse) {
    for (const PartCase& c : PART_CASES) {
        EXPECT_EQ(ReadmeQuotes::IsPartOfMessage(c.quote, TEMPLATES, c.opening), c.part)
            << c.quote << (c.opening ? ", opening a message" : "");
    }
}

const char* const SAMPLE = R"(## Findings

- 「転送」「仮想時間」: the counters
- 「すべて展開」を選びます: a step
- `--live`: an option

The line 「判定: ok」 and 「ライブラリ:」 beside 「LCD表示」, "verdict" without a colon, `RS:AUX`,
「ベータ: ワールドワイド言語サポートで Unicode UTF-8 を使用」 and 「a long label of words: no」.
Shown as 「`hidinit が戻りません`」, "`Press Enter to close`" too, but not `code` alone;
a wrapped `verdict: yes,
no` is one quote.

| 判定の行 | 終了コード |
|---|---|
| 「ファイルを開けません」 | 1, 「not this」 |
| `--live` を付けたとき | 0 |

| オプション | 説明 |
|---|---|
| 「終了コード」 | none |

    「判定: in a code block」
)";

TEST(ReadmeQuotes, RecognisesTheQuotesOfTheProgramsOutput) {
    const std::vector<ReadmeQuotes::Quote> quotes = ReadmeQuotes::Quotes(SAMPLE);
    const std::vector<std::pair<Rule, std::string>> expected = {
        {Rule::WINDOW_WORDS, "転送"},
        {Rule::WINDOW_WORDS, "仮想時間"},
        {Rule::LABELLED, "判定: ok"},
        {Rule::LABELLED, "ライブラリ:"},
        {Rule::CODE_IN_QUOTES, "hidinit が戻りません"},
        {Rule::CODE_IN_QUOTES, "Press Enter to close"},
        {Rule::LABELLED, "verdict: yes, no"},
        {Rule::TABLE, "ファイルを開けません"},
        {Rule::TABLE, "--live"},
    };
    std::vector<std::pair<Rule, std::string>> found;
    for (const ReadmeQuotes::Quote& quote : quotes) {
        found.push_back({quote.rule, quote.text});
    }
    EXPECT_EQ(found, expected);
    ASSERT_EQ(quotes.size(), expected.size());
    EXPECT_EQ(quotes[6].line, 7) << "a wrapped quote stands where its paragraph begins";
}

struct Readme {
    const char* file;
    Language language;
    std::vector<Rule> rules; // each recognises at least one quote there
};

const Readme READMES[] = {
    {"README.ja.md",
     Language::JAPANESE,
     {Rule::LABELLED, Rule::TABLE, Rule::CODE_IN_QUOTES, Rule::WINDOW_WORDS}},
    {"README.md", Language::ENGLISH, {Rule::LABELLED, Rule::TABLE, Rule::CODE_IN_QUOTES}},
};

TEST(ReadmeQuotes, EveryQuoteOfTheProgramsIsWhatTheyPrint) {
    for (const Readme& readme : READMES) {
        std::ifstream file(std::string(README_DIR) + "/" + readme.file, std::ios::binary);
        ASSERT_TRUE(file) << readme.file;
        std::ostringstream markdown;
        markdown << file.rdbuf();
        std::vector<std::string> templates = ProgramTexts::Hid2check(readme.language);
        const std::vector<std::string> lcdsim = ProgramTexts::Lcdsim(readme.language);
        templates.insert(templates.end(), lcdsim.begin(), lcdsim.end());

        const std::vector<ReadmeQuotes::Quote> quotes = ReadmeQuotes::Quotes(markdown.str());
        for (const ReadmeQuotes::Quote& quote : quotes) {
            EXPECT_TRUE(
                ReadmeQuotes::IsPartOfMessage(quote.text, templates, quote.rule == Rule::LABELLED))
                << readme.file << ":" << quote.line
                << ": the programs print no such text: " << quote.text;
        }
        for (const Rule rule : readme.rules) {
            EXPECT_TRUE(std::any_of(quotes.begin(), quotes.end(),
                                    [rule](const auto& quote) { return quote.rule == rule; }))
                << readme.file << ": no quote by rule " << static_cast<int>(rule);
        }
    }
}

} // namespace

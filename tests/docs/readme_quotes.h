// The messages a README quotes as what hid2check and LCDSIM print, and whether each is
// still a part of a message their text tables can make.
//
// A quote is text in 「」, in "" or in backticks, outside code blocks. It counts as the
// programs' output when
//   LABELLED        it opens with a label: one or two words of letters and a colon
//                   ("判定:", "also found: ..."), unless it is one of Windows' own texts
//                   that look alike (readme_quotes.cpp);
//   TABLE           it stands in the first column of a table headed 判定の行, 理由,
//                   verdict line or finding;
//   CODE_IN_QUOTES  it is a code span, and nothing else, inside 「」 or "": a line as it
//                   stands on the screen (「`hidinit が 10 秒たっても戻りません`」);
//   WINDOW_WORDS    quotes open a list item, a colon right after them: the words of the
//                   simulator's window that the item explains (「転送」: ...).
// In a quote, … or ... stands for text left out, and a word such as N for a figure.
#pragma once

#include <string>
#include <vector>

namespace ReadmeQuotes {

enum class Rule { LABELLED, TABLE, CODE_IN_QUOTES, WINDOW_WORDS };

struct Quote {
    std::string text;
    int line;
    Rule rule;
};

// The quotes of `markdown` that count as the programs' output, in the order they stand.
std::vector<Quote> Quotes(const std::string& markdown);

// True when `quote` is a part of one message that `templates` make: a text whose {n}
// holds a word (ASCII, no space), another such message, or a list of words ("hidinit、
// Hidwrite" joins two with "、"). If `opening`, as for a labelled quote, the part opens
// the message with the message's own words, not with a {n}.
bool IsPartOfMessage(const std::string& quote, const std::vector<std::string>& templates,
                     bool opening = false);

} // namespace ReadmeQuotes

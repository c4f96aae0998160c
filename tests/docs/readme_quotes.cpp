#include "readme_quotes.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

namespace ReadmeQuotes {
namespace {

constexpr size_t LONGEST_LABEL = 24; // bytes: 見つかった場所 takes 21
constexpr int MOST_WORDS_IN_A_LABEL = 2;
// Windows' own words, which look like a labelled line.
const std::string NOT_THE_PROGRAMS[] = {
    "Beta: Use Unicode UTF-8 for worldwide language support",
    "ベータ: ワールドワイド言語サポートで Unicode UTF-8 を使用",
};
const std::string ELLIPSES[] = {"…", "..."};
const std::string QUOTING_TABLES[] = {"判定の行", "理由", "verdict line", "finding"};
// A message within a message within a message: a verdict, its reason, the names in it.
constexpr int NESTING = 3;

// ---- Markdown

enum class Kind { CODE, CORNER, DOUBLE };

struct Span {
    Kind kind;
    std::string text;
    size_t begin; // the opening mark
    size_t end;   // past the closing mark
};

const std::string CORNER_OPEN = "「";
const std::string CORNER_CLOSE = "」";

std::vector<Span> SpansOf(const std::string& line) {
    std::vector<Span> spans;
    size_t at = 0;
    while (at < line.size()) {
        std::optional<Span> span;
        if (line[at] == '`' || line[at] == '"') {
            const size_t close = line.find(line[at], at + 1);
            if (close != std::string::npos) {
                span = Span{line[at] == '`' ? Kind::CODE : Kind::DOUBLE,
                            line.substr(at + 1, close - at - 1), at, close + 1};
            }
        } else if (line.compare(at, CORNER_OPEN.size(), CORNER_OPEN) == 0) {
            const size_t close = line.find(CORNER_CLOSE, at);
            if (close != std::string::npos) {
                const size_t from = at + CORNER_OPEN.size();
                span = Span{Kind::CORNER, line.substr(from, close - from), at,
                            close + CORNER_CLOSE.size()};
            }
        }
        if (span) {
            spans.push_back(*span);
            at = span->end;
        } else {
            ++at;
        }
    }
    return spans;
}

// A code span and nothing else inside quotation marks.
bool IsCodeInQuotes(const Span& span) {
    return span.kind != Kind::CODE && span.text.size() > 2 && span.text.front() == '`' &&
           span.text.find('`', 1) == span.text.size() - 1;
}

std::string Unquoted(const Span& span) {
    std::string text;
    for (const char c : span.text) {
        if (c != '`' || span.kind == Kind::CODE) {
            text += c;
        }
    }
    return text;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// Where a table row's first cell ends: at its second bar outside code.
size_t FirstCellEnd(const std::string& row) {
    bool inCode = false;
    for (size_t at = 1; at < row.size(); ++at) {
        inCode = row[at] == '`' ? !inCode : inCode;
        if (row[at] == '|' && !inCode) {
            return at;
        }
    }
    return row.size();
}

// The length of a list item's mark and the spaces after it ("- ", "1. "); 0 for none.
size_t ListMarkLength(const std::string& line) {
    size_t at = line.find_first_not_of(' ');
    if (at == std::string::npos) {
        return 0;
    }
    if (line[at] == '-' || line[at] == '*' || line[at] == '+') {
        ++at;
    } else {
        const size_t digits = line.find_first_not_of("0123456789", at);
        if (digits == at || digits == std::string::npos ||
            (line[digits] != '.' && line[digits] != ')')) {
            return 0;
        }
        at = digits + 1;
    }
    const size_t text = line.find_first_not_of(' ', at);
    return text == at ? 0 : (text == std::string::npos ? line.size() : text);
}

// A heading, a table row or a picture: a line of its own.
bool IsBlock(const std::string& line) {
    const std::string text = line.substr(std::min(line.size(), line.find_first_not_of(' ')));
    return text.rfind("#", 0) == 0 || text.rfind("|", 0) == 0 || text.rfind("![", 0) == 0;
}

struct LogicalLine {
    std::string text;
    int number;
};

// The lines outside code, a paragraph or a list item joined into one line as Markdown
// reads it, so that a quote wrapped onto the next line stays whole; a blank line as an
// empty one.
std::vector<LogicalLine> LogicalLines(const std::string& markdown) {
    std::vector<LogicalLine> lines;
    bool inFence = false;
    bool inCode = false;
    bool previousText = false;
    bool previousBlank = true;
    size_t from = 0;
    for (int number = 1; from <= markdown.size(); ++number) {
        size_t to = markdown.find('\n', from);
        to = to == std::string::npos ? markdown.size() : to;
        std::string line = markdown.substr(from, to - from);
        from = to + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (Trimmed(line).rfind("```", 0) == 0) {
            inFence = !inFence;
            previousText = previousBlank = false;
            continue;
        }
        const bool blank = Trimmed(line).empty();
        inCode = !blank && (inCode || previousBlank) && line.rfind("    ", 0) == 0;
        const bool block = IsBlock(line);
        const bool text = !(inFence || blank || inCode || block);
        if (text && previousText && ListMarkLength(line) == 0) {
            lines.back().text.append(1, ' ').append(Trimmed(line));
        } else if (text || block || blank) {
            // A blank line stays, to end a table.
            lines.push_back({text || block ? line : "", number});
        }
        previousText = text;
        previousBlank = blank;
    }
    return lines;
}

// One or two words of letters, a colon, then a space or nothing: "判定:", "also found: x".
bool OpensWithLabel(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > LONGEST_LABEL ||
        (colon + 1 < text.size() && text[colon + 1] != ' ')) {
        return false;
    }
    const std::string label = text.substr(0, colon);
    const bool letters = std::all_of(label.begin(), label.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || std::isalpha(byte) || c == ' ';
    });
    return letters && label == Trimmed(label) &&
           std::count(label.begin(), label.end(), ' ') < MOST_WORDS_IN_A_LABEL &&
           std::find(std::begin(NOT_THE_PROGRAMS), std::end(NOT_THE_PROGRAMS), text) ==
               std::end(NOT_THE_PROGRAMS);
}

// ---- Messages

struct Element {
    bool placeholder;
    char byte;
};

std::vector<Element> ElementsOf(const std::string& text) {
    std::vector<Element> elements;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '{' && at + 2 < text.size() && text[at + 1] >= '0' && text[at + 1] <= '9' &&
            text[at + 2] == '}') {
            elements.push_back({true, 0});
            at += 2;
        } else {
            elements.push_back({false, text[at]});
        }
    }
    return elements;
}

bool IsWordByte(char c) {
    return c > ' ' && c <= '~';
}

// A text that joins the items of a list: one mark, spaces aside (", " and "、").
bool IsSeparator(const std::string& text) {
    std::string mark;
    std::copy_if(text.begin(), text.end(), std::back_inserter(mark),
                 [](char c) { return c != ' '; });
    const auto characters = std::count_if(mark.begin(), mark.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return characters == 1 && !std::isalnum(static_cast<unsigned char>(mark[0]));
}

// Reads the quote against the templates: from a place in a template, the places in the
// quote where that template's message would end, noting when the quote runs out first.
class Reading {
  public:
    Reading(const std::string& quote, const std::vector<std::string>& templates) : quote_(quote) {
        for (const std::string& text : templates) {
            patterns_.push_back(ElementsOf(text));
            if (IsSeparator(text)) {
                separators_.push_back(text);
            }
        }
    }

    bool Matches(bool opening) {
        for (size_t t = 0; t < patterns_.size() && !allRead_; ++t) {
            // A quote begins where its message does, or with that message's own words
            // (a word of a {n} may be anything); an ellipsis first stands for any beginning.
            const std::vector<Element>& pattern = patterns_[t];
            const size_t starts =
                opening || EllipsisAt(0) > 0 ? std::min<size_t>(1, pattern.size()) : pattern.size();
            for (size_t p = 0; p < starts && !allRead_; ++p) {
                if (!pattern[p].placeholder || (p == 0 && !opening)) {
                    Run(t, p, 0, NESTING);
                }
            }
        }
        return allRead_;
    }

  private:
    using Ends = std::set<size_t>;

    size_t EllipsisAt(size_t at) const {
        for (const std::string& ellipsis : ELLIPSES) {
            if (quote_.compare(at, ellipsis.size(), ellipsis) == 0) {
                return ellipsis.size();
            }
        }
        return 0;
    }

    // Template t read from its element p0 against the quote from i0 on: where its message
    // ends in the quote. An ellipsis may stand for any run of elements, a {n} for an
    // argument nested at most `depth` deep.
    Ends Run(size_t t, size_t p0, size_t i0, int depth) {
        const std::vector<Element>& pattern = patterns_[t];
        std::set<std::pair<size_t, size_t>> seen;
        std::vector<std::pair<size_t, size_t>> todo{{p0, i0}};
        Ends ends;
        while (!todo.empty()) {
            const auto [p, i] = todo.back();
            todo.pop_back();
            if (!seen.insert({p, i}).second) {
                continue;
            }
            if (i == quote_.size()) {
                allRead_ = true;
                continue;
            }
            if (p == pattern.size()) {
                ends.insert(i);
                continue;
            }
            if (const size_t ellipsis = EllipsisAt(i)) {
                for (size_t skipped = p; skipped <= pattern.size(); ++skipped) {
                    todo.push_back({skipped, i + ellipsis});
                }
            }
            if (pattern[p].placeholder) {
                for (const size_t end : Argument(i, depth - 1)) {
                    todo.push_back({p + 1, end});
                }
            } else if (quote_[i] == pattern[p].byte) {
                todo.push_back({p + 1, i + 1});
            }
        }
        return ends;
    }

    // What a {n} may hold from `i` on: a message, a word, or a list of words.
    const Ends& Argument(size_t i, int depth) {
        const auto known = arguments_.find({i, depth});
        if (known != arguments_.end()) {
            return known->second;
        }
        Ends ends;
        for (size_t t = 0; depth >= 0 && t < patterns_.size(); ++t) {
            const Ends& message = Whole(t, i, depth);
            ends.insert(message.begin(), message.end());
        }
        std::vector<size_t> words{i};
        std::set<size_t> seen;
        while (!words.empty()) {
            const size_t from = words.back();
            words.pop_back();
            if (!seen.insert(from).second) {
                continue;
            }
            allRead_ = allRead_ || from == quote_.size();
            for (size_t end = from; end < quote_.size() && IsWordByte(quote_[end]); ++end) {
                ends.insert(end + 1);
                for (const std::string& separator : separators_) {
                    if (quote_.compare(end + 1, separator.size(), separator) == 0) {
                        words.push_back(end + 1 + separator.size());
                    }
                }
            }
        }
        return arguments_.emplace(std::make_pair(i, depth), std::move(ends)).first->second;
    }

    const Ends& Whole(size_t t, size_t i, int depth) {
        const auto key = std::make_tuple(t, i, depth);
        const auto known = wholes_.find(key);
        if (known != wholes_.end()) {
            return known->second;
        }
        Ends ends = Run(t, 0, i, depth);
        return wholes_.emplace(key, std::move(ends)).first->second;
    }

    const std::string& quote_;
    std::vector<std::vector<Element>> patterns_;
    std::vector<std::string> separators_;
    std::map<std::pair<size_t, int>, Ends> arguments_;
    std::map<std::tuple<size_t, size_t, int>, Ends> wholes_;
    bool allRead_ = false;
};

} // namespace

std::vector<Quote> Quotes(const std::string& markdown) {
    std::vector<Quote> quotes;
    bool inQuotingTable = false;
    bool previousRow = false;
    for (const LogicalLine& line : LogicalLines(markdown)) {
        const bool row = line.text.rfind("|", 0) == 0;
        if (row && !previousRow) {
            const std::string heading = Trimmed(line.text.substr(1, FirstCellEnd(line.text) - 1));
            inQuotingTable = std::find(std::begin(QUOTING_TABLES), std::end(QUOTING_TABLES),
                                       heading) != std::end(QUOTING_TABLES);
        }
        const bool tableBody = row && previousRow && inQuotingTable;
        previousRow = row;
        size_t windowWordsEnd = 0;
        const std::vector<Span> spans = SpansOf(line.text);
        if (const size_t mark = ListMarkLength(line.text)) {
            size_t at = mark;
            for (const Span& span : spans) {
                if (span.begin == at && span.kind != Kind::CODE) {
                    at = span.end;
                }
            }
            windowWordsEnd = at < line.text.size() && line.text[at] == ':' ? at : 0;
        }
        for (const Span& span : spans) {
            const std::string text = Unquoted(span);
            std::optional<Rule> rule;
            if (tableBody && span.end <= FirstCellEnd(line.text)) {
                rule = Rule::TABLE;
            } else if (IsCodeInQuotes(span)) {
                rule = Rule::CODE_IN_QUOTES;
            } else if (span.end <= windowWordsEnd) {
                rule = Rule::WINDOW_WORDS;
            } else if (OpensWithLabel(text)) {
                rule = Rule::LABELLED;
            }
            if (rule) {
                quotes.push_back({text, line.number, *rule});
            }
        }
    }
    return quotes;
}

bool IsPartOfMessage(const std::string& quote, const std::vector<std::string>& templates,
                     bool opening) {
    return !quote.empty() && Reading(quote, templates).Matches(opening);
}

} // namespace ReadmeQuotes

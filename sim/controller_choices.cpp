#include "controller_choices.h"

#include <array>
#include <cctype>

namespace Sim {
namespace {

struct Corner {
    std::string_view name;
    // The default first, in the order of the corner's enum.
    std::array<std::string_view, 2> words;
};

constexpr std::array<Corner, 4> CORNERS = {{
    {"nibble", {"paired", "restart"}},
    {"edge", {"before", "after"}},
    {"late-function-set", {"executed", "ignored"}},
    {"busy", {"executed", "lost"}},
}};

using Words = std::array<uint8_t, CORNERS.size()>;

Words WordsOf(const ControllerChoices& choices) {
    return {static_cast<uint8_t>(choices.nibble), static_cast<uint8_t>(choices.edge),
            static_cast<uint8_t>(choices.lateFunctionSet), static_cast<uint8_t>(choices.busy)};
}

ControllerChoices ChoicesOf(const Words& words) {
    ControllerChoices choices;
    choices.nibble = static_cast<ControllerChoices::Nibble>(words[0]);
    choices.edge = static_cast<ControllerChoices::Edge>(words[1]);
    choices.lateFunctionSet = static_cast<ControllerChoices::LateFunctionSet>(words[2]);
    choices.busy = static_cast<ControllerChoices::Busy>(words[3]);
    return choices;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// Sets the word `item` names; false when it names no corner or no word of it.
bool Apply(std::string_view item, Words& words) {
    const std::string lower = Lower(item);
    const size_t equals = lower.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    const std::string_view name = std::string_view(lower).substr(0, equals);
    const std::string_view word = std::string_view(lower).substr(equals + 1);
    for (size_t corner = 0; corner < CORNERS.size(); ++corner) {
        if (CORNERS[corner].name != name) {
            continue;
        }
        for (size_t index = 0; index < CORNERS[corner].words.size(); ++index) {
            if (CORNERS[corner].words[index] == word) {
                words[corner] = static_cast<uint8_t>(index);
                return true;
            }
        }
    }
    return false;
}

} // namespace

std::optional<ControllerChoices> ControllerChoices::Parse(std::string_view text,
                                                          std::string& badItem) {
    Words words = WordsOf(ControllerChoices());
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string_view item =
            text.substr(start, comma == std::string_view::npos ? comma : comma - start);
        if (!Apply(item, words)) {
            badItem = std::string(item);
            return std::nullopt;
        }
        if (comma == std::string_view::npos) {
            return ChoicesOf(words);
        }
        start = comma + 1;
    }
}

std::string ControllerChoices::Describe() const {
    const Words words = WordsOf(*this);
    std::string described;
    for (size_t corner = 0; corner < CORNERS.size(); ++corner) {
        if (words[corner] != 0) {
            described += std::string(described.empty() ? "" : ",") +
                         std::string(CORNERS[corner].name) + "=" +
                         std::string(CORNERS[corner].words[words[corner]]);
        }
    }
    return described;
}

int ControllerChoices::At(Corner corner) const {
    switch (corner) {
    case NIBBLE:
        return static_cast<int>(nibble);
    case EDGE:
        return static_cast<int>(edge);
    case LATE_FUNCTION_SET:
        return static_cast<int>(lateFunctionSet);
    case BUSY:
        break;
    }
    return static_cast<int>(busy);
}

void ControllerChoices::Set(Corner corner, int choice) {
    const auto value = static_cast<uint8_t>(choice);
    switch (corner) {
    case NIBBLE:
        nibble = static_cast<Nibble>(value);
        break;
    case EDGE:
        edge = static_cast<Edge>(value);
        break;
    case LATE_FUNCTION_SET:
        lateFunctionSet = static_cast<LateFunctionSet>(value);
        break;
    case BUSY:
        busy = static_cast<Busy>(value);
        break;
    }
}

} // namespace Sim

// The placeholders ({0}, {1} ...) a text of the tools' text tables holds: a translation
// must hold the same ones.
#pragma once

#include <set>
#include <string>

inline std::set<std::string> Placeholders(const std::string& text) {
    std::set<std::string> found;
    for (size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1)) {
        found.insert(text.substr(at, 3));
    }
    return found;
}

// The tools' texts, each in English and in Japanese, as tables of UTF-8 rows indexed by an
// enumeration. In a text, {0}, {1} ... stand for the arguments, which are passed through
// unchanged (names, paths, numbers).
#pragma once

#include "language.h"

#include <cstddef>
#include <initializer_list>
#include <string>

namespace TextTable {

template <typename Id> struct Row {
    Id id;
    const char* english;
    const char* japanese;
};

// True when every row stands at the index of its Id, so that a text is found by its Id.
template <typename Id, size_t N> constexpr bool InOrderOfId(const Row<Id> (&rows)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (static_cast<size_t>(rows[i].id) != i) {
            return false;
        }
    }
    return true;
}

template <typename Id, size_t N>
const char* Text(const Row<Id> (&rows)[N], Id id, UiLanguage::Language language) {
    const Row<Id>& row = rows[static_cast<size_t>(id)];
    return language == UiLanguage::Language::JAPANESE ? row.japanese : row.english;
}

// `pattern` with each {n} replaced by the n-th argument; a {n} without one stays as written.
std::string Fill(const std::string& pattern, std::initializer_list<std::string> arguments);

} // namespace TextTable

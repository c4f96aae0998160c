// hid2check's and LCDSIM's texts as their tables hold them, each {n} as written.
#pragma once

#include "language.h"

#include <string>
#include <vector>

namespace ProgramTexts {

std::vector<std::string> Hid2check(UiLanguage::Language language);
// hid2check's texts as they stand filled into others: the start-up code named inside a
// finding and inside the verdict's bracket.
std::vector<std::string> Hid2checkNested(UiLanguage::Language language);
std::vector<std::string> Lcdsim(UiLanguage::Language language);

} // namespace ProgramTexts

// UTF-8 and UTF-16: the tools keep their texts in UTF-8, Windows names files and draws
// text in UTF-16.
#pragma once

#include <string>

namespace Utf8 {

std::string FromWide(const std::wstring& text);
std::wstring ToWide(const std::string& utf8);

} // namespace Utf8

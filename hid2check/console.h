// hid2check's output: UTF-16 to a console, so that any code page shows Japanese and
// Japanese folder names right; UTF-8 with Windows line ends to a file or a pipe.
#pragma once

#include <string>

namespace Console {

void Line(const std::string& utf8);
void ErrorLine(const std::string& utf8);
// Text that holds its own line breaks.
void Text(const std::string& utf8);

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

} // namespace Console

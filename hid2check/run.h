// A run of hid2check as its command line asks: where the library is, the file, its names,
// then its calls in a checking process (protocol.h), or the board and the wiring when
// asked. Every finding goes to the console, the verdict last.
#pragma once

#include <string>
#include <vector>

namespace Hid2check {

// The arguments without the program's name; hid2check's exit code.
int Run(const std::vector<std::wstring>& arguments);

} // namespace Hid2check

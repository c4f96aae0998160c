// What the tools print: UTF-16 to a console, so that any code page shows Japanese and
// Japanese folder names right; UTF-8 to a file or a pipe.
#pragma once

#include <string>

namespace Console {

enum class Stream { OUTPUT, ERRORS };

// How a line end reaches a file or a pipe: as Windows text (CR LF) for what people read,
// or as written for output that scripts read.
enum class LineEnds { WINDOWS, AS_WRITTEN };

void Write(Stream stream, const std::string& utf8, LineEnds ends = LineEnds::WINDOWS);

// A line of Windows text on the standard output, or on the standard error.
void Line(const std::string& utf8);
void ErrorLine(const std::string& utf8);
// Text that holds its own line breaks.
void Text(const std::string& utf8);

// A window program has no console of its own: from now on, where it was given no
// standard handle, it borrows the console of the program that started it.
void BorrowParentConsole();

} // namespace Console

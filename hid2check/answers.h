// What the user types at the console, the console, a file or a pipe alike: a line up to
// Enter, the number of a choice, and the Enter that closes a console of hid2check's own.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Answers {

// The line without its end; nothing once the input has ended.
std::optional<std::string> ReadLine();

// One of `numbers`, asked for and asked again until it is one; nothing once
// the input has ended.
std::optional<int> Choice(const std::vector<int>& numbers);

// Asks for Enter in the language of the findings, and waits for it.
void WaitForEnter();

} // namespace Answers

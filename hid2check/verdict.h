// The verdict: the last line of every run, and hid2check's exit code with it.
#pragma once

#include <functional>
#include <string>

namespace Verdict {

// Prints "verdict: <why>" and returns `code`.
int Give(const std::function<void(const std::string&)>& print, int code, const std::string& why);

} // namespace Verdict

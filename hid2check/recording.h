// hid2check --record: the KORVAN3.exe beside hid2check.exe run once from a folder of its
// own, with the simulator's stand-in between it and the board maker's library, every
// call passed on and recorded in a new log; then what the log's replay shows.
#pragma once

#include "report.h"

#include <string>

namespace Recording {

// `library` is the maker's library, its file already found fit; `names` its export names.
// Nothing in the user's folders changes but the new log, and the temporary folder goes
// once KORVAN3.exe has closed. hid2check's exit code.
int Record(const std::wstring& library, const Report::Names& names);

} // namespace Recording

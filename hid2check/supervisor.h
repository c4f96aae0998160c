// Starts the checking process (protocol.h) and hands what it says to the report, with
// the time limits of time_limits.h: a call that does not return, or a checking process that
// dies, is reported here, where nothing of the library runs.
#pragma once

#include "protocol.h"
#include "report.h"

#include <string>

namespace Supervisor {

// Checks `path` in a checking process; hid2check's exit code.
int Run(const std::wstring& path, const Protocol::Run& run, Report::Session& session);

} // namespace Supervisor

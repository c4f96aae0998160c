// The system's performance counter in microseconds: the time base of the stand-in's log,
// which the end-to-end driver compares with its own readings, a replay keeps pace with
// and hid2check times the library's calls with.
#pragma once

namespace Clock {

long long NowMicroseconds();

} // namespace Clock

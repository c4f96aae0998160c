// hid2check's exit codes, as its help lists them.
#pragma once

namespace ExitCode {

constexpr int WILL_LOAD = 0;
constexpr int WILL_NOT_LOAD = 1;
constexpr int USAGE = 2;
constexpr int NO_BOARD = 3;
constexpr int NOT_RECORDED = 4;

} // namespace ExitCode

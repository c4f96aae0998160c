// How long the library may take: no call longer than CALL_LIMIT_SECONDS, and all of them
// together no longer than TOTAL_LIMIT_SECONDS; the supervisor stops the checking process
// beyond either, and the report names the limit.
#pragma once

namespace TimeLimits {

constexpr int CALL_LIMIT_SECONDS = 10;
constexpr int TOTAL_LIMIT_SECONDS = 35;

} // namespace TimeLimits

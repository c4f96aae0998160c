// The calling convention of the library's Hidwrite, told from how far one call of three
// arguments moved the stack pointer by its return: what the checking process finds, the
// report names and the test screen shows.
#pragma once

namespace Convention {

// stdcall, cdecl, and the one convention of 64-bit Windows.
enum class Kind { CALLEE_CLEANS, CALLER_CLEANS, X64, UNKNOWN };

constexpr bool SIXTY_FOUR_BIT = sizeof(void*) == 8;

Kind Of(int stackLeft, bool sixtyFourBit = SIXTY_FOUR_BIT);
// "stdcall", "cdecl" or "x64": the test screen's second row.
const char* ShortName(Kind kind);
// The convention a working board's library has in this build: what the test screen that
// hid2check --live leaves shows.
constexpr Kind OF_A_WORKING_LIBRARY = SIXTY_FOUR_BIT ? Kind::X64 : Kind::CALLEE_CLEANS;

} // namespace Convention

// The calling convention of Hidwrite, from how far a call moved the stack.
#include "convention.h"

namespace Convention {

Kind Of(int stackLeft, bool sixtyFourBit) {
    if (sixtyFourBit) {
        return Kind::X64;
    }
    if (stackLeft == 0) {
        return Kind::CALLEE_CLEANS;
    }
    // The three int arguments, left on the stack for the caller to remove.
    if (stackLeft == -12) {
        return Kind::CALLER_CLEANS;
    }
    return Kind::UNKNOWN;
}

const char* ShortName(Kind kind) {
    switch (kind) {
    case Kind::CALLEE_CLEANS:
        return "stdcall";
    case Kind::CALLER_CLEANS:
        return "cdecl";
    case Kind::X64:
        return "x64";
    case Kind::UNKNOWN:
        break;
    }
    return "";
}

} // namespace Convention

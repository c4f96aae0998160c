// One call into a HID2.DLL entry point, whichever calling convention the library was
// built with. Used by the link, and by the tools that check or wrap a user's library.
#pragma once

#include "hid2.h"

namespace Hid2Call {

// Any entry point, to be called with the right number of int arguments.
using Entry = void (*)();

struct Outcome {
    int value;
    // How far the library moved the stack pointer by its return: 0 when it removed its
    // arguments itself (stdcall), minus their size when it left them (cdecl).
    int stackLeft;
};

// Calls `entry` with `count` (0 to 3) int arguments and returns with the stack pointer
// as it was before the call.
inline Outcome Call(Entry entry, const int* arguments, int count) {
#if defined(__i386__) && defined(__GNUC__)
    // The library's convention is unknown: a stdcall library pops its arguments, a cdecl
    // one leaves them. So the stack pointer is kept in ESI, which both preserve, and put
    // back after the call. The arguments are read through a register, as every push moves
    // the stack pointer that a stack-relative operand would depend on; in-out operands
    // never share a register, and none of them is in ESI, or EDX, which the call overwrites.
    int value = 0;
    int stackLeft = 0;
    int remaining = count;
    const int* next = arguments;
    Entry target = entry;
    __asm__ volatile("movl %%esp, %%esi\n\t"
                     "testl %%ecx, %%ecx\n\t"
                     "jz 2f\n"
                     "1:\n\t"
                     "pushl -4(%[next],%%ecx,4)\n\t"
                     "decl %%ecx\n\t"
                     "jnz 1b\n"
                     "2:\n\t"
                     "call *%[target]\n\t"
                     "movl %%esp, %%edx\n\t"
                     "subl %%esi, %%edx\n\t"
                     "movl %%esi, %%esp"
                     : "=a"(value), "=d"(stackLeft),
                       "+c"(remaining), [next] "+r"(next), [target] "+r"(target)
                     :
                     : "esi", "memory", "cc");
    return {value, stackLeft};
#else
    // One convention only: a plain call through the right type.
    switch (count) {
    case 0:
        return {reinterpret_cast<int(HID2_CALL*)()>(entry)(), 0};
    case 1:
        return {reinterpret_cast<int(HID2_CALL*)(int)>(entry)(arguments[0]), 0};
    case 2:
        return {reinterpret_cast<int(HID2_CALL*)(int, int)>(entry)(arguments[0], arguments[1]), 0};
    default:
        return {reinterpret_cast<int(HID2_CALL*)(int, int, int)>(entry)(arguments[0], arguments[1],
                                                                        arguments[2]),
                0};
    }
#endif
}

} // namespace Hid2Call

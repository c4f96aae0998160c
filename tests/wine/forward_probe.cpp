// Passes one write on, through the stand-in's forwarding code linked in here, to the
// library HID2_FORWARD names, and prints it with the library's answer:
//   Hidwrite <handle> <port> <value> -> <result>
// Were fewer arguments passed on than Hidwrite takes, the library would read the third
// from wherever it lies, so nothing there may hold VALUE by chance. On x86-64 that is a
// register: the write is the first forwarded call, and loading the library on the way
// overwrites it. On i686 it is the stack: the call is made from a frame of its own, over
// a stack filled with a pattern, with no register keeping VALUE for later.
#include "forward_link.h"

#include <cstdio>

namespace {

constexpr int HANDLE = -32768;
constexpr int PORT = 1;
constexpr int VALUE = 0xC3;
constexpr int PATTERN = 0x5A5A5A5A;
constexpr int PATTERN_WORDS = 1024;

// Leaves the pattern in the stack below this frame, where the next call's frames lie.
__attribute__((noinline)) void FillStack() {
    volatile int words[PATTERN_WORDS];
    for (volatile int& word : words) {
        word = PATTERN;
    }
}

__attribute__((noinline)) int WriteOverFilledStack() {
    FillStack();
    return ForwardLink::Write(HANDLE, PORT, VALUE);
}

} // namespace

int main() {
    const int result = WriteOverFilledStack();
    std::printf("Hidwrite %d %d %d -> %d\n", HANDLE, PORT, VALUE, result);
    return 0;
}

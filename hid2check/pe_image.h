// What a file is as a Windows program image: read from its bytes alone, so that a
// library of the wrong kind, which Windows would refuse to load, can still be described.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace PeImage {

constexpr uint16_t MACHINE_I386 = 0x014C;
constexpr uint16_t MACHINE_AMD64 = 0x8664;

struct Description {
    bool isImage = false;   // MZ and PE headers in place
    bool isLibrary = false; // a DLL, not a program
    uint16_t machine = 0;
    std::vector<std::string> exportNames; // as the export table spells them
};

// Every offset is checked against the file's size: a damaged or foreign file gives an
// image that is not one, or fewer names, never a read outside the bytes.
Description Describe(const std::vector<uint8_t>& bytes);

// Exports that a program asking for `wanted` would miss only by decoration or letter
// case: "_hidinit@0", "hidinit@0", "HIDINIT" for "hidinit".
std::vector<std::string> NearNames(const std::vector<std::string>& exports,
                                   const std::string& wanted);

// True when `name` carries a compiler's decoration: a leading underscore or a trailing
// @<argument bytes>.
bool Decorated(const std::string& name);

} // namespace PeImage

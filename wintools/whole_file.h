// The whole of a file, read at once: the library hid2check checks, a replay file LCDSIM
// plays, the stand-in's log the end-to-end tests read.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace WholeFile {

struct Options {
    // A file of this many bytes or more is refused unread.
    uint64_t limit = std::numeric_limits<uint64_t>::max();
    // Whether the file may be read while another handle writes it, as the C library's
    // fopen reads it (a log being appended to is read as far as it has come). Otherwise a
    // file open for writing elsewhere is not opened, and none can open it for writing
    // during the read.
    bool othersMayWrite = true;
};

// Reads the file at `path` to its end into `bytes`. False when it cannot be opened, is too
// large or cannot be read to its end; `bytes` then holds what was read before the failure,
// and GetLastError tells why (ERROR_FILE_TOO_LARGE for a file past the limit).
bool Read(const std::wstring& path, std::string& bytes, const Options& options = {});
bool Read(const std::wstring& path, std::vector<uint8_t>& bytes, const Options& options = {});

} // namespace WholeFile

#include "whole_file.h"

#include <windows.h>

#include <algorithm>

namespace WholeFile {
namespace {

// A file that others write may have grown since its size was taken: it is read further
// this much at a time.
constexpr size_t GROWTH = 65536;
// The most one ReadFile is asked for.
constexpr size_t LARGEST_READ = size_t{1} << 26;

template <typename Bytes>
bool ReadInto(const std::wstring& path, Bytes& bytes, const Options& options) {
    bytes.clear();
    const DWORD sharing = FILE_SHARE_READ | (options.othersMayWrite ? FILE_SHARE_WRITE : 0);
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) != 0;
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    if (ok && static_cast<uint64_t>(size.QuadPart) >= options.limit) {
        ok = false;
        error = ERROR_FILE_TOO_LARGE;
    }
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t filled = 0;
        for (;;) {
            if (filled == bytes.size()) {
                bytes.resize(filled + GROWTH);
            }
            const auto wanted = static_cast<DWORD>(std::min(bytes.size() - filled, LARGEST_READ));
            DWORD read = 0;
            if (ReadFile(file, bytes.data() + filled, wanted, &read, nullptr) == 0) {
                ok = false;
                error = GetLastError();
                break;
            }
            if (read == 0) {
                break;
            }
            filled += read;
            if (filled >= options.limit) {
                ok = false;
                error = ERROR_FILE_TOO_LARGE;
                break;
            }
        }
        bytes.resize(filled);
    }
    CloseHandle(file);
    SetLastError(error);
    return ok;
}

} // namespace

bool Read(const std::wstring& path, std::string& bytes, const Options& options) {
    return ReadInto(path, bytes, options);
}

bool Read(const std::wstring& path, std::vector<uint8_t>& bytes, const Options& options) {
    return ReadInto(path, bytes, options);
}

} // namespace WholeFile

#include "viewer/win/file_chunks.h"

#include <windows.h>

#include "base/win/handle.h"

namespace {
FileHandle openForReading(const std::string& path) {
    return FileHandle(CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}
}  // namespace

bool FileChunks::readable() const { return static_cast<bool>(openForReading(path_)); }

std::size_t FileChunks::readAt(std::uint64_t offset, char* out, std::size_t size) {
    FileHandle file = openForReading(path_);
    if (!file) return 0;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return 0;
    std::size_t total = 0;
    while (total < size) {
        DWORD got = 0;
        if (!ReadFile(file.get(), out + total, static_cast<DWORD>(size - total), &got, nullptr) ||
            got == 0)
            break;
        total += got;
    }
    return total;
}

#include "panes/file_drop_block.h"

#include <cstdint>

namespace {

// Little-endian whatever the host, as the platform stores the header.
void putU32(std::vector<unsigned char>& out, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

uint32_t getU32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool listable(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

std::vector<std::string> narrowPaths(const unsigned char* p, std::size_t begin, std::size_t end) {
    std::vector<std::string> paths;
    std::size_t i = begin;
    while (i < end && p[i] != 0) {
        std::size_t j = i;
        while (j < end && p[j] != 0) ++j;
        if (j == end) break;  // unterminated: possibly cut short
        paths.emplace_back(reinterpret_cast<const char*>(p + i), j - i);
        i = j + 1;
    }
    return paths;
}

std::vector<std::string> widePaths(const unsigned char* p, std::size_t begin, std::size_t end,
                                   const WidePathToNarrow& toNarrow) {
    std::vector<std::string> paths;
    // An odd last byte is half a code unit and is not read.
    const std::size_t units = (end - begin) / 2;
    auto unit = [&](std::size_t k) {
        const unsigned char* q = p + begin + 2 * k;
        return char16_t(q[0] | q[1] << 8);
    };
    std::size_t i = 0;
    while (i < units && unit(i) != 0) {
        std::u16string path;
        std::size_t j = i;
        while (j < units && unit(j) != 0) path += unit(j++);
        if (j == units) break;
        std::string narrow = toNarrow(path);
        if (!narrow.empty()) paths.push_back(std::move(narrow));
        i = j + 1;
    }
    return paths;
}

}  // namespace

std::vector<unsigned char> buildFileDropBlock(const std::vector<std::string>& paths) {
    std::size_t size = FileDropHeaderSize + 1;
    for (const std::string& path : paths)
        if (listable(path)) size += path.size() + 1;
    std::vector<unsigned char> block(size, 0);
    putU32(block, 0, FileDropHeaderSize);  // point, non-client and wide flag stay 0
    std::size_t at = FileDropHeaderSize;
    for (const std::string& path : paths) {
        if (!listable(path)) continue;
        path.copy(reinterpret_cast<char*>(block.data() + at), path.size());
        at += path.size() + 1;
    }
    return block;
}

std::vector<std::string> parseFileDropBlock(const void* block, std::size_t size,
                                            const WidePathToNarrow& toNarrow) {
    if (!block || size < FileDropHeaderSize) return {};
    const auto* p = static_cast<const unsigned char*>(block);
    const uint32_t list = getU32(p);
    // A list inside the header would read the header as names.
    if (list < FileDropHeaderSize || list >= size) return {};
    const bool wide = getU32(p + 16) != 0;
    if (!wide) return narrowPaths(p, list, size);
    if (!toNarrow) return {};
    return widePaths(p, list, size, toNarrow);
}

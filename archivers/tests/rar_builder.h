#pragma once
// Small RAR 4 and RAR 5 files written from the published format
// descriptions: stored members, and members marked compressed whose bytes
// are only noise (no RAR compressor is at hand, nor needed).
#include <cstdint>
#include <string>
#include <vector>

namespace arctest {

struct RarEntry {
    std::string name;      // RAR 4: Shift-JIS with "\"; RAR 5: UTF-8 with "/"
    std::string data;      // stored bytes, or the packed bytes of a compressed member
    std::uint32_t originalSize = 0;
    std::uint32_t crc = 0;
    bool compressed = false;
    bool directory = false;
};

RarEntry rarStored(const std::string& name, const std::string& data);
RarEntry rarCompressed(const std::string& name, std::size_t originalSize);
RarEntry rarDirectory(const std::string& name);

std::string rar4(const std::vector<RarEntry>& entries);
std::string rar5(const std::vector<RarEntry>& entries);

}  // namespace arctest

#include "archivers/tests/rar_builder.h"

#include <zlib.h>

#include "archivers/core/le_bytes.h"

namespace arctest {
namespace {

using arc::put16;
using arc::put32;

std::uint32_t crcOf(const std::string& s) {
    return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
}

std::string block4(unsigned char type, std::uint16_t flags, const std::string& body) {
    std::string h;
    h += static_cast<char>(type);
    put16(h, flags);
    put16(h, static_cast<std::uint32_t>(body.size() + 7));
    h += body;
    std::string out;
    put16(out, crcOf(h) & 0xFFFF);
    return out + h;
}

std::string vint(std::uint64_t v) {
    std::string out;
    do {
        unsigned char b = v & 0x7F;
        v >>= 7;
        if (v) b |= 0x80;
        out += static_cast<char>(b);
    } while (v);
    return out;
}

std::string block5(std::uint64_t type, std::uint64_t flags, const std::string& rest) {
    std::string body = vint(type) + vint(flags) + rest;
    std::string sized = vint(body.size()) + body;
    std::string out;
    put32(out, crcOf(sized));
    return out + sized;
}

}  // namespace

RarEntry rarStored(const std::string& name, const std::string& data) {
    return {name, data, static_cast<std::uint32_t>(data.size()), crcOf(data), false, false};
}

RarEntry rarCompressed(const std::string& name, std::size_t originalSize) {
    std::string noise;
    std::uint32_t x = 77;
    for (std::size_t i = 0; i < originalSize / 3 + 1; ++i) {
        x = x * 1103515245u + 12345u;
        noise += static_cast<char>(x >> 24);
    }
    return {name, noise, static_cast<std::uint32_t>(originalSize), 0x12345678, true, false};
}

RarEntry rarDirectory(const std::string& name) { return {name, "", 0, 0, false, true}; }

std::string rar4(const std::vector<RarEntry>& entries) {
    std::string out("Rar!\x1A\x07\x00", 7);
    out += block4(0x73, 0, std::string(6, '\0'));
    for (const auto& e : entries) {
        std::string b;
        put32(b, static_cast<std::uint32_t>(e.data.size()));
        put32(b, e.originalSize);
        b += '\x02';  // Windows
        put32(b, e.crc);
        put32(b, 0x58850000u | 0x6000);  // 2024-04-05 12:00:00
        b += static_cast<char>(29);
        b += static_cast<char>(e.compressed ? 0x33 : 0x30);
        put16(b, static_cast<std::uint32_t>(e.name.size()));
        put32(b, e.directory ? 0x10 : 0x20);
        b += e.name;
        std::uint16_t flags = 0x8000 | (e.directory ? 0xE0 : 0);
        out += block4(0x74, flags, b) + e.data;
    }
    out += block4(0x7B, 0x4000, "");
    return out;
}

std::string rar5(const std::vector<RarEntry>& entries) {
    std::string out("Rar!\x1A\x07\x01\x00", 8);
    out += block5(1, 0, vint(0));
    for (const auto& e : entries) {
        std::string f = vint(e.directory ? 1 : 4);  // directory, or a CRC follows
        f += vint(e.originalSize);
        f += vint(e.directory ? 0x10 : 0x20);
        if (!e.directory) put32(f, e.crc);
        f += vint(e.compressed ? (3u << 7) : 0);
        f += vint(0);  // Windows
        f += vint(e.name.size());
        f += e.name;
        out += block5(2, 2, vint(e.data.size()) + f) + e.data;
    }
    out += block5(5, 0, vint(0));
    return out;
}

}  // namespace arctest

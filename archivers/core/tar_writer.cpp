#include "archivers/core/tar_writer.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "archivers/core/disk.h"
#include "archivers/core/error_code.h"

namespace arc {
namespace {

void octal(unsigned char* p, std::size_t n, std::uint64_t v) {
    std::snprintf(reinterpret_cast<char*>(p), n, "%0*llo", static_cast<int>(n - 1), static_cast<unsigned long long>(v));
}

void sizeField(unsigned char* p, std::uint64_t v) {
    if (v < 077777777777ull) {
        octal(p, 12, v);
        return;
    }
    p[0] = 0x80;  // base-256 beyond 8 GB
    for (int i = 11; i >= 1; --i, v >>= 8) p[i] = static_cast<unsigned char>(v & 0xFF);
}

void checksum(unsigned char* h) {
    std::memset(h + 148, ' ', 8);
    unsigned sum = 0;
    for (int i = 0; i < 512; ++i) sum += h[i];
    std::snprintf(reinterpret_cast<char*>(h + 148), 8, "%06o", sum);
    h[155] = ' ';
}

bool plainAscii(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

bool TarWriter::emit(const void* p, std::size_t n) { return out_.write(p, n); }

int TarWriter::header(const Member& m, char type, std::uint64_t size) {
    std::string name = m.name;
    if (type == '5' && (name.empty() || name.back() != '/')) name += '/';
    std::int64_t mtime = unixFromDos(m.dosDate, m.dosTime);
    if (name.size() > 100 || !plainAscii(name)) {
        std::string utf8 = codec_.sjisToUtf8(name);
        if (utf8.empty()) utf8 = name;
        std::string body = " path=" + utf8 + "\n";
        // The length prefix counts its own digits.
        std::size_t len = body.size() + 1;
        while (std::to_string(len).size() + body.size() != len) ++len;
        std::string record = std::to_string(len) + body;
        Member pax;
        pax.name = "PaxHeader";
        pax.dosDate = m.dosDate;
        pax.dosTime = m.dosTime;
        unsigned char h[512] = {};
        std::memcpy(h, "././@PaxHeader", 14);
        octal(h + 100, 8, 0644);
        octal(h + 108, 8, 0);
        octal(h + 116, 8, 0);
        sizeField(h + 124, record.size());
        octal(h + 136, 12, static_cast<std::uint64_t>(mtime));
        h[156] = 'x';
        std::memcpy(h + 257, "ustar", 6);
        std::memcpy(h + 263, "00", 2);
        checksum(h);
        std::vector<unsigned char> padded((record.size() + 511) & ~std::size_t{511}, 0);
        std::memcpy(padded.data(), record.data(), record.size());
        if (!emit(h, 512) || !emit(padded.data(), padded.size())) return kErrorCannotWrite;
    }
    unsigned char h[512] = {};
    std::memcpy(h, name.data(), std::min<std::size_t>(name.size(), 100));
    octal(h + 100, 8, type == '5' ? 0755 : 0644);
    octal(h + 108, 8, 0);
    octal(h + 116, 8, 0);
    sizeField(h + 124, size);
    octal(h + 136, 12, static_cast<std::uint64_t>(mtime));
    h[156] = static_cast<unsigned char>(type);
    std::memcpy(h + 257, "ustar", 6);
    std::memcpy(h + 263, "00", 2);
    checksum(h);
    return emit(h, 512) ? kOk : kErrorCannotWrite;
}

int TarWriter::addDirectory(const Member& m) { return header(m, '5', 0); }

int TarWriter::addFile(const Member& m, Stream& data) {
    // The size goes in front, so the file must hold what it held when stat'ed.
    if (int code = header(m, '0', m.originalSize); code != kOk) return code;
    std::vector<unsigned char> buf(64 * 1024);
    std::uint64_t left = m.originalSize;
    while (left > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, buf.size()));
        if (!data.readFull(buf.data(), want)) return kErrorCannotRead;  // the file shrank: the archive is spoilt
        if (!emit(buf.data(), want)) return kErrorCannotWrite;
        left -= want;
    }
    std::size_t pad = static_cast<std::size_t>((512 - m.originalSize % 512) % 512);
    std::vector<unsigned char> zeros(pad, 0);
    return (pad == 0 || emit(zeros.data(), pad)) ? kOk : kErrorCannotWrite;
}

int TarWriter::finish() {
    std::vector<unsigned char> zeros(1024, 0);
    return emit(zeros.data(), zeros.size()) ? kOk : kErrorCannotWrite;
}

}  // namespace arc

#include "archivers/core/lzh_writer.h"

#include "archivers/core/crc16.h"
#include "archivers/core/disk.h"
#include "archivers/core/error_code.h"
#include "archivers/core/le_bytes.h"
#include "archivers/core/lzh_encoder.h"

namespace arc {
namespace {

void ext(std::string& h, unsigned char type, const std::string& data) {
    put16(h, static_cast<std::uint32_t>(data.size() + 3));
    h += static_cast<char>(type);
    h += data;
}

void putLe32At(std::string& h, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) h[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putLe16At(std::string& h, std::size_t at, std::uint16_t v) {
    h[at] = static_cast<char>(v & 0xFF);
    h[at + 1] = static_cast<char>(v >> 8);
}

void sealHeader(std::string& h, std::size_t crcAt) {
    putLe16At(h, crcAt, 0);
    putLe16At(h, crcAt, crc16Update(0, h.data(), h.size()));
}

}  // namespace

bool LzhWriter::emit(const std::string& bytes) {
    if (!out_.write(bytes.data(), bytes.size())) return false;
    written_ += bytes.size();
    return true;
}

std::string LzhWriter::header(const Member& m, const std::string& method, std::size_t& crcAt) {
    std::string name = m.name, directory;
    while (!name.empty() && name.back() == '/') name.pop_back();
    if (m.isDirectory) {
        directory = name + "/";
        name.clear();
    } else if (auto slash = name.rfind('/'); slash != std::string::npos) {
        directory = name.substr(0, slash + 1);
        name = name.substr(slash + 1);
    }
    for (char& c : directory)
        if (c == '/') c = static_cast<char>(0xFF);
    std::string h;
    put16(h, 0);  // total size, set below
    h += method;
    put32(h, 0);
    put32(h, 0);
    put32(h, static_cast<std::uint32_t>(unixFromDos(m.dosDate, m.dosTime)));
    h += '\x20';
    h += '\x02';
    put16(h, 0);  // data CRC
    h += 'M';
    std::string exts;
    ext(exts, 0x00, std::string(2, '\0'));
    ext(exts, 0x01, name);
    if (!directory.empty()) ext(exts, 0x02, directory);
    std::string attr;
    put16(attr, m.isDirectory ? 0x10 : (m.attributes & 0x27));
    ext(exts, 0x40, attr);
    put16(exts, 0);
    h += exts;
    crcAt = 24 + 3;
    // A size whose low byte is zero would read as the end mark: one pad byte.
    if ((h.size() & 0xFF) == 0) h += '\0';
    putLe16At(h, 0, static_cast<std::uint16_t>(h.size()));
    return h;
}

int LzhWriter::addDirectory(const Member& m) {
    std::size_t crcAt;
    std::string h = header(m, "-lhd-", crcAt);
    sealHeader(h, crcAt);
    return emit(h) ? kOk : kErrorCannotWrite;
}

int LzhWriter::addFile(const Member& m, Stream& data) {
    if (m.name.size() > 60000) return kErrorNotSupport;
    std::size_t crcAt;
    const char* method = bits_ == 16 ? "-lh7-" : bits_ == 15 ? "-lh6-" : "-lh5-";
    std::string h = header(m, method, crcAt);
    std::uint64_t at = written_;
    if (!emit(h)) return kErrorCannotWrite;
    LzhEncoded e = lzhEncode(data, out_, bits_);
    if (e.code != kOk) return e.code;
    written_ += e.packedSize;
    if (e.originalSize > 0xFFFFFFFFu || e.packedSize > 0xFFFFFFFFu) return kErrorNotSupport;
    putLe32At(h, 7, static_cast<std::uint32_t>(e.packedSize));
    putLe32At(h, 11, static_cast<std::uint32_t>(e.originalSize));
    putLe16At(h, 21, e.crc);
    sealHeader(h, crcAt);
    return out_.patch(at, h.data(), h.size()) ? kOk : kErrorCannotWrite;
}

int LzhWriter::finish() { return emit(std::string(1, '\0')) ? kOk : kErrorCannotWrite; }

}  // namespace arc

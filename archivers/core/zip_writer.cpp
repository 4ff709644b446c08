#include "archivers/core/zip_writer.h"

#include <zlib.h>

#include <vector>

#include "archivers/core/error_code.h"
#include "archivers/core/le_bytes.h"

namespace arc {
namespace {

constexpr std::uint64_t kLimit = 0xFFFFFFFFu;

class Deflater {
public:
    Deflater() { ok_ = deflateInit2(&z_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK; }
    ~Deflater() {
        if (ok_) deflateEnd(&z_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    z_stream z_ {};
    bool ok_ = false;
};

std::string localHeader(const Member& m, std::uint16_t method, std::uint16_t flags) {
    std::string h;
    put32(h, 0x04034b50);
    put16(h, 20);
    put16(h, flags);
    put16(h, method);
    put16(h, m.dosTime);
    put16(h, m.dosDate);
    put32(h, 0);
    put32(h, 0);
    put32(h, 0);
    put16(h, static_cast<std::uint32_t>(m.name.size()));
    put16(h, 0);
    return h + m.name;
}

}  // namespace

bool ZipWriter::emit(const std::string& bytes) {
    if (failed_ || !out_.write(bytes.data(), bytes.size())) {
        failed_ = true;
        return false;
    }
    written_ += bytes.size();
    return true;
}

void ZipWriter::central(const Member& m, std::uint16_t method, std::uint16_t flags, std::uint32_t crc,
                        std::uint32_t packed, std::uint32_t size, std::uint32_t offset) {
    std::string& c = directory_;
    put32(c, 0x02014b50);
    // Made by NTFS: DOS attribute bits, and names the reader takes as the
    // system code page (FAT would make Info-ZIP translate them as OEM text).
    put16(c, (11 << 8) | 20);
    put16(c, 20);
    put16(c, flags);
    put16(c, method);
    put16(c, m.dosTime);
    put16(c, m.dosDate);
    put32(c, crc);
    put32(c, packed);
    put32(c, size);
    put16(c, static_cast<std::uint32_t>(m.name.size()));
    put16(c, 0);
    put16(c, 0);
    put16(c, 0);
    put16(c, 0);
    put32(c, m.isDirectory ? 0x10 : (m.attributes & 0x27));
    put32(c, offset);
    c += m.name;
    ++count_;
}

int ZipWriter::addDirectory(const Member& m) {
    if (m.name.size() > 0xFFFF || written_ > kLimit) return kErrorNotSupport;
    Member d = m;
    if (d.name.empty() || d.name.back() != '/') d.name += '/';
    std::uint32_t offset = static_cast<std::uint32_t>(written_);
    if (!emit(localHeader(d, 0, 0))) return kErrorCannotWrite;
    central(d, 0, 0, 0, 0, 0, offset);
    return kOk;
}

int ZipWriter::addFile(const Member& m, Stream& data) {
    if (m.name.size() > 0xFFFF || written_ > kLimit) return kErrorNotSupport;
    const std::uint16_t flags = 0x0008;  // sizes and CRC follow the data
    std::uint32_t offset = static_cast<std::uint32_t>(written_);
    if (!emit(localHeader(m, 8, flags))) return kErrorCannotWrite;
    Deflater d;
    if (!d.ok_) return kErrorEnoughMemory;
    std::vector<unsigned char> in(64 * 1024), out(64 * 1024);
    uLong crc = crc32(0, nullptr, 0);
    std::uint64_t size = 0, packed = 0;
    bool end = false;
    while (true) {
        if (d.z_.avail_in == 0 && !end) {
            std::size_t got = data.read(in.data(), in.size());
            if (data.failed()) return kErrorCannotRead;
            end = got == 0;
            crc = crc32(crc, in.data(), static_cast<uInt>(got));
            size += got;
            d.z_.next_in = in.data();
            d.z_.avail_in = static_cast<uInt>(got);
        }
        d.z_.next_out = out.data();
        d.z_.avail_out = static_cast<uInt>(out.size());
        int zr = deflate(&d.z_, end ? Z_FINISH : Z_NO_FLUSH);
        if (zr == Z_STREAM_ERROR) return kErrorBrokenData;
        std::size_t n = out.size() - d.z_.avail_out;
        packed += n;
        if (n && !emit(std::string(reinterpret_cast<char*>(out.data()), n))) return kErrorCannotWrite;
        if (zr == Z_STREAM_END) break;
    }
    if (size > kLimit || packed > kLimit) return kErrorNotSupport;  // would need ZIP64 records
    std::string desc;
    put32(desc, 0x08074b50);
    put32(desc, static_cast<std::uint32_t>(crc));
    put32(desc, static_cast<std::uint32_t>(packed));
    put32(desc, static_cast<std::uint32_t>(size));
    if (!emit(desc)) return kErrorCannotWrite;
    central(m, 8, flags, static_cast<std::uint32_t>(crc), static_cast<std::uint32_t>(packed),
            static_cast<std::uint32_t>(size), offset);
    return kOk;
}

int ZipWriter::finish() {
    if (count_ > 0xFFFF || written_ > kLimit) return kErrorNotSupport;
    std::uint32_t cdOffset = static_cast<std::uint32_t>(written_);
    std::string end;
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, count_);
    put16(end, count_);
    put32(end, static_cast<std::uint32_t>(directory_.size()));
    put32(end, cdOffset);
    put16(end, 0);
    if (!emit(directory_) || !emit(end)) return kErrorCannotWrite;
    return kOk;
}

}  // namespace arc

#include "archivers/core/inflate_copy.h"

#include <zlib.h>

#include <vector>

#include "archivers/core/error_code.h"

namespace arc {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

class Inflater {
public:
    Inflater() { ok_ = inflateInit2(&z_, -15) == Z_OK; }
    ~Inflater() {
        if (ok_) inflateEnd(&z_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    z_stream z_ {};
    bool ok_ = false;
};

}  // namespace

int inflateCopy(Stream& in, Sink& out, std::uint64_t expectedSize, std::uint32_t expectedCrc) {
    Inflater inf;
    if (!inf.ok_) return kErrorEnoughMemory;
    std::vector<unsigned char> inBuf(kChunk), outBuf(kChunk);
    std::uint64_t produced = 0;
    uLong crc = crc32(0, nullptr, 0);
    int zr = Z_OK;
    while (zr != Z_STREAM_END) {
        if (inf.z_.avail_in == 0) {
            std::size_t got = in.read(inBuf.data(), inBuf.size());
            if (got == 0) return kErrorBrokenData;  // cut before the end of the deflate stream
            inf.z_.next_in = inBuf.data();
            inf.z_.avail_in = static_cast<uInt>(got);
        }
        inf.z_.next_out = outBuf.data();
        inf.z_.avail_out = static_cast<uInt>(outBuf.size());
        zr = inflate(&inf.z_, Z_NO_FLUSH);
        if (zr != Z_OK && zr != Z_STREAM_END && zr != Z_BUF_ERROR) return kErrorBrokenData;
        std::size_t n = outBuf.size() - inf.z_.avail_out;
        produced += n;
        if (produced > expectedSize) return kErrorBrokenData;  // more than the header promised
        crc = crc32(crc, outBuf.data(), static_cast<uInt>(n));
        if (n && !out.write(outBuf.data(), n)) return kErrorCannotWrite;
        if (zr == Z_BUF_ERROR && n == 0 && inf.z_.avail_in != 0) return kErrorBrokenData;
    }
    if (produced != expectedSize) return kErrorBrokenData;
    if (static_cast<std::uint32_t>(crc) != expectedCrc) return kErrorFileCrc;
    return kOk;
}

int storedCopy(Stream& in, Sink& out, std::uint64_t size, std::uint32_t expectedCrc, bool checkCrc) {
    std::vector<unsigned char> buf(kChunk);
    uLong crc = crc32(0, nullptr, 0);
    while (size > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, buf.size()));
        if (!in.readFull(buf.data(), want)) return kErrorBrokenData;
        crc = crc32(crc, buf.data(), static_cast<uInt>(want));
        if (!out.write(buf.data(), want)) return kErrorCannotWrite;
        size -= want;
    }
    if (checkCrc && static_cast<std::uint32_t>(crc) != expectedCrc) return kErrorFileCrc;
    return kOk;
}

}  // namespace arc

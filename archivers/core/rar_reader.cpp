#include "archivers/core/rar_reader.h"

#include <zlib.h>

#include <cstring>
#include <vector>

#include "archivers/core/disk.h"
#include "archivers/core/error_code.h"
#include "archivers/core/inflate_copy.h"
#include "archivers/core/le_bytes.h"
#include "archivers/core/member_path.h"

namespace arc {
namespace {

const unsigned char kSig4[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
const unsigned char kSig5[8] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00};
constexpr std::size_t kMaxHeader = 2 * 1024 * 1024;

std::uint32_t crcOf(const unsigned char* p, std::size_t n) {
    return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), p, static_cast<uInt>(n)));
}

// RAR 5 variable-length integer; false when it runs past `end` or beyond 64 bits.
bool vint(const unsigned char*& p, const unsigned char* end, std::uint64_t& v) {
    v = 0;
    for (int shift = 0; shift < 70; shift += 7) {
        if (p >= end) return false;
        unsigned char b = *p++;
        if (shift == 63 && (b & 0x7E)) return false;
        v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return true;
    }
    return false;
}

std::string rar4Method(unsigned char m) {
    static const char* names[] = {"Stored", "Fastest", "Fast", "Normal", "Good", "Best"};
    return (m >= 0x30 && m <= 0x35) ? names[m - 0x30] : "Method" + std::to_string(m);
}

}  // namespace

bool RarReader::start() {
    unsigned char sig[8] = {};
    std::size_t got = source_.readAt(0, sig, 8);
    if (got >= 8 && std::memcmp(sig, kSig5, 8) == 0) {
        version_ = 5;
        position_ = 8;
    } else if (got >= 7 && std::memcmp(sig, kSig4, 7) == 0) {
        version_ = 4;
        position_ = 7;
    } else {
        error_ = kErrorNotArcFile;
        return false;
    }
    return true;
}

bool RarReader::next(Member& m) {
    haveCurrent_ = false;
    if (error_ || ended_) return false;
    if (version_ == 0 && !start()) return false;
    bool found = version_ == 4 ? next4(current_) : next5(current_);
    if (!found) return false;
    haveCurrent_ = true;
    m = current_;
    return true;
}

bool RarReader::next4(Member& m) {
    while (true) {
        unsigned char h[7];
        if (source_.readAt(position_, h, 7) < 7) {
            ended_ = true;  // no end block: older writers stop here
            return false;
        }
        std::uint16_t headCrc = le16(h), flags = le16(h + 3), size = le16(h + 5);
        unsigned char type = h[2];
        if (size < 7) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        std::vector<unsigned char> b(size);
        if (!source_.readExact(position_, b.data(), size)) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        if ((crcOf(&b[2], size - 2) & 0xFFFF) != headCrc && type != 0x73) {
            error_ = kErrorHeaderCrc;
            return false;
        }
        std::uint64_t addSize = 0;
        if ((flags & 0x8000) || type == 0x74 || type == 0x7A) {
            if (size < 11) {
                error_ = kErrorHeaderBroken;
                return false;
            }
            addSize = le32(&b[7]);
        }
        std::uint64_t blockStart = position_;
        if (type == 0x7B) {
            ended_ = true;
            return false;
        }
        if (type != 0x74) {
            if (addSize > source_.size()) {
                error_ = kErrorBrokenData;
                return false;
            }
            position_ += size + addSize;
            continue;
        }
        if (size < 32) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        Member out;
        std::uint64_t packed = le32(&b[7]);
        out.originalSize = le32(&b[11]);
        out.osType = b[15];
        out.crc = le32(&b[16]);
        out.dosTime = le16(&b[20]);
        out.dosDate = le16(&b[22]);
        unsigned char method = b[25];
        std::size_t nameLen = le16(&b[26]);
        std::uint32_t attributes = le32(&b[28]);
        std::size_t at = 32;
        if (flags & 0x100) {
            if (size < 40) {
                error_ = kErrorHeaderBroken;
                return false;
            }
            packed |= static_cast<std::uint64_t>(le32(&b[32])) << 32;
            out.originalSize |= static_cast<std::uint64_t>(le32(&b[36])) << 32;
            at = 40;
        }
        if (at + nameLen > size) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        std::string name(reinterpret_cast<const char*>(&b[at]), nameLen);
        if (flags & 0x200) {
            // Unicode flag: the plain name ends at a zero byte; without one the name is UTF-8.
            std::size_t zero = name.find('\0');
            name = zero != std::string::npos ? name.substr(0, zero) : codec_.utf8ToSjis(name);
        }
        out.name = name;
        out.name = forwardSlashes(out.name);
        out.packedSize = packed;
        out.method = rar4Method(method);
        out.encrypted = flags & 0x04;
        out.isDirectory = (flags & 0xE0) == 0xE0;
        out.attributes = (out.osType == 3) ? ((attributes & 0040000) ? 0x10 : 0x20) : (attributes & 0x37);
        if (out.osType == 3 && (attributes & 0170000) == 0120000) out.isLink = true;
        if (out.isDirectory) out.attributes |= 0x10;
        stored_ = method == 0x30;
        split_ = flags & 0x03;
        crcKnown_ = true;
        std::uint64_t dataStart = blockStart + size;
        if (packed > source_.size() || dataStart > source_.size() - std::min(packed, source_.size())) {
            error_ = kErrorBrokenData;
            return false;
        }
        dataOffset_ = dataStart;
        position_ = dataStart + packed;
        m = out;
        return true;
    }
}

bool RarReader::next5(Member& m) {
    while (true) {
        unsigned char head[16];
        std::size_t got = source_.readAt(position_, head, sizeof head);
        if (got == 0) {
            ended_ = true;
            return false;
        }
        if (got < 6) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        const unsigned char* p = head + 4;
        std::uint64_t headerSize;
        if (!vint(p, head + got, headerSize) || headerSize == 0 || headerSize > kMaxHeader) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        std::size_t sizeBytes = static_cast<std::size_t>(p - (head + 4));
        std::size_t total = 4 + sizeBytes + static_cast<std::size_t>(headerSize);
        std::vector<unsigned char> b(total);
        if (!source_.readExact(position_, b.data(), total)) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        if (crcOf(&b[4], total - 4) != le32(b.data())) {
            error_ = kErrorHeaderCrc;
            return false;
        }
        const unsigned char* end = b.data() + total;
        p = b.data() + 4 + sizeBytes;
        std::uint64_t type, flags, extraSize = 0, dataSize = 0;
        bool ok = vint(p, end, type) && vint(p, end, flags);
        if (ok && (flags & 1)) ok = vint(p, end, extraSize);
        if (ok && (flags & 2)) ok = vint(p, end, dataSize);
        if (!ok || extraSize > static_cast<std::uint64_t>(end - p)) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        std::uint64_t blockStart = position_;
        if (dataSize > source_.size() || blockStart + total > source_.size() - dataSize) {
            error_ = kErrorBrokenData;
            return false;
        }
        position_ = blockStart + total + dataSize;
        if (type == 5) {
            ended_ = true;
            return false;
        }
        if (type == 4) {
            error_ = kErrorPasswordFile;  // encrypted headers: nothing can be listed without the password
            return false;
        }
        if (type != 2) continue;  // main archive header, service headers (comments, quick open)
        const unsigned char* bodyEnd = end - extraSize;
        std::uint64_t fileFlags = 0, unpacked = 0, attributes = 0, compression = 0, hostOs = 0, nameLen = 0;
        ok = vint(p, bodyEnd, fileFlags) && vint(p, bodyEnd, unpacked) && vint(p, bodyEnd, attributes);
        Member out;
        if (ok && (fileFlags & 2)) {
            if (bodyEnd - p < 4) ok = false;
            else {
                dosFromUnix(le32(p), out.dosDate, out.dosTime);
                p += 4;
            }
        }
        if (ok && (fileFlags & 4)) {
            if (bodyEnd - p < 4) ok = false;
            else {
                out.crc = le32(p);
                p += 4;
            }
        }
        ok = ok && vint(p, bodyEnd, compression) && vint(p, bodyEnd, hostOs) && vint(p, bodyEnd, nameLen) &&
             nameLen <= static_cast<std::uint64_t>(bodyEnd - p);
        if (!ok) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        out.name = codec_.utf8ToSjis(std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(nameLen)));
        out.name = forwardSlashes(out.name);
        // Extra records: an encryption record marks the member as locked.
        const unsigned char* x = end - extraSize;
        while (x < end) {
            std::uint64_t recSize, recType;
            const unsigned char* rec = x;
            if (!vint(rec, end, recSize) || recSize == 0 || recSize > static_cast<std::uint64_t>(end - rec)) break;
            const unsigned char* recEnd = rec + recSize;
            if (vint(rec, recEnd, recType) && recType == 1) out.encrypted = true;
            x = recEnd;
        }
        out.originalSize = (fileFlags & 8) ? 0 : unpacked;
        out.packedSize = dataSize;
        out.osType = static_cast<std::uint32_t>(hostOs);
        unsigned method = static_cast<unsigned>((compression >> 7) & 7);
        out.method = method == 0 ? "Stored" : "Method" + std::to_string(method);
        out.isDirectory = fileFlags & 1;
        if (hostOs == 0) {
            out.attributes = static_cast<std::uint32_t>(attributes & 0x37);
        } else {
            out.attributes = (attributes & 0040000) ? 0x10 : 0x20;
            if ((attributes & 0170000) == 0120000) out.isLink = true;
        }
        if (out.isDirectory) out.attributes |= 0x10;
        stored_ = method == 0 && !(fileFlags & 8);
        split_ = flags & (0x08 | 0x10);
        crcKnown_ = fileFlags & 4;
        dataOffset_ = blockStart + total;
        m = out;
        return true;
    }
}

int RarReader::extract(Sink& out) {
    if (!haveCurrent_) return kErrorHarcIsNotOpened;
    if (current_.isDirectory) return kOk;
    if (current_.encrypted) return kErrorPasswordFile;
    if (!stored_ || split_) return kErrorMethod;
    if (current_.packedSize != current_.originalSize) return kErrorBrokenData;
    SourceStream in(source_, dataOffset_, current_.packedSize);
    return storedCopy(in, out, current_.originalSize, current_.crc, crcKnown_);
}

}  // namespace arc

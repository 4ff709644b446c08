#include "archivers/core/lzh_reader.h"

#include <cstring>
#include <vector>

#include "archivers/core/crc16.h"
#include "archivers/core/disk.h"
#include "archivers/core/error_code.h"
#include "archivers/core/le_bytes.h"
#include "archivers/core/lzh_decoder.h"

namespace arc {
namespace {

bool looksLikeMethod(const unsigned char* p) {
    return p[0] == '-' && p[1] == 'l' && (p[2] == 'h' || p[2] == 'z') && p[4] == '-';
}

// Separators inside LZH names: 0xFF (level 1 and 2 directory records) and
// "\" outside double-byte characters become "/".
std::string lzhPath(const std::string& raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        auto c = static_cast<unsigned char>(raw[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < raw.size()) {
            out += raw[i];
            out += raw[++i];
        } else {
            out += (c == 0xFF || c == '\\') ? '/' : raw[i];
        }
    }
    return out;
}

}  // namespace

bool LzhReader::findStart() {
    // Self-extracting archives put a program in front: look for the first header.
    std::vector<unsigned char> buf(static_cast<std::size_t>(std::min<std::uint64_t>(source_.size(), 64 * 1024)));
    std::size_t got = source_.readAt(0, buf.data(), buf.size());
    for (std::size_t i = 0; i + 22 <= got; ++i) {
        if (looksLikeMethod(&buf[i + 2]) && buf[i + 20] <= 2) {
            position_ = i;
            return true;
        }
    }
    error_ = kErrorNotArcFile;
    return false;
}

bool LzhReader::readHeader(Member& m) {
    unsigned char h[26];
    std::size_t got = source_.readAt(position_, h, sizeof h);
    if (got >= 1 && h[0] == 0) {
        ended_ = true;  // the end mark
        return false;
    }
    if (got == 0) {
        ended_ = true;  // no end mark: tolerated, many writers omit it
        return false;
    }
    if (got < 22 || !looksLikeMethod(h + 2)) {
        error_ = kErrorHeaderBroken;
        return false;
    }
    Member out;
    out.method.assign(reinterpret_cast<const char*>(h + 2), 5);
    std::uint64_t packed = le32(h + 7);
    out.originalSize = le32(h + 11);
    int level = h[20];
    std::string name, directory;
    std::uint64_t extStart = 0, headerEnd = 0;
    std::uint16_t nextExt = 0;
    bool haveCrc = false;
    if (level == 0 || level == 1) {
        std::size_t size = static_cast<std::size_t>(h[0]) + 2;
        std::vector<unsigned char> b(size);
        if (size < 24 || !source_.readExact(position_, b.data(), size)) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        unsigned char sum = 0;
        for (std::size_t i = 2; i < size; ++i) sum = static_cast<unsigned char>(sum + b[i]);
        if (sum != b[1]) {
            error_ = kErrorHeaderCrc;
            return false;
        }
        std::size_t nameLen = b[21];
        if (22 + nameLen > size) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        name.assign(reinterpret_cast<const char*>(&b[22]), nameLen);
        out.dosTime = le16(&b[15]);
        out.dosDate = le16(&b[17]);
        out.attributes = b[19];
        if (22 + nameLen + 2 <= size) {
            out.crc = le16(&b[22 + nameLen]);
            haveCrc = true;
        }
        if (level == 1) {
            if (22 + nameLen + 5 > size) {
                error_ = kErrorHeaderBroken;
                return false;
            }
            out.osType = b[24 + nameLen];
            nextExt = le16(&b[size - 2]);
        }
        extStart = position_ + size;
        headerEnd = extStart;
    } else if (level == 2) {
        std::size_t size = le16(h);
        std::vector<unsigned char> b(size);
        if (size < 26 || !source_.readExact(position_, b.data(), size)) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        dosFromUnix(static_cast<std::int64_t>(le32(&b[15])), out.dosDate, out.dosTime);
        out.crc = le16(&b[21]);
        haveCrc = true;
        out.osType = b[23];
        // Extended records live inside the counted size; a header CRC record covers them all.
        std::size_t at = 24;
        std::size_t crcField = 0;
        while (at + 2 <= size) {
            std::size_t ext = le16(&b[at]);
            if (ext == 0) break;
            at += 2;
            if (ext < 3 || at + ext - 2 > size) {
                error_ = kErrorHeaderBroken;
                return false;
            }
            unsigned char type = b[at];
            std::string data(reinterpret_cast<const char*>(&b[at + 1]), ext - 3);
            if (type == 0x00 && data.size() >= 2) crcField = at + 1;
            if (type == 0x01) name = data;
            if (type == 0x02) directory = data;
            if (type == 0x40 && data.size() >= 2) out.attributes = le16(reinterpret_cast<const unsigned char*>(data.data()));
            at += ext - 2;
        }
        if (crcField) {
            std::uint16_t stored = le16(&b[crcField]);
            b[crcField] = b[crcField + 1] = 0;
            if (crc16Update(0, b.data(), b.size()) != stored) {
                error_ = kErrorHeaderCrc;
                return false;
            }
        }
        headerEnd = extStart = position_ + size;
        nextExt = 0;
    } else {
        error_ = kErrorHeaderBroken;
        return false;
    }
    // Level 1 extended records follow the base header and count in the packed size.
    std::uint64_t extBytes = 0;
    while (nextExt != 0) {
        std::size_t ext = nextExt;
        std::vector<unsigned char> b(ext);
        if (ext < 3 || !source_.readExact(headerEnd, b.data(), ext)) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        std::string data(reinterpret_cast<const char*>(&b[1]), ext - 3);
        if (b[0] == 0x01) name = data;
        if (b[0] == 0x02) directory = data;
        if (b[0] == 0x40 && data.size() >= 2) out.attributes = le16(&b[1]);
        if (b[0] == 0x54 && data.size() >= 4) dosFromUnix(le32(&b[1]), out.dosDate, out.dosTime);
        headerEnd += ext;
        extBytes += ext;
        nextExt = le16(&b[ext - 2]);
    }
    if (level == 1) {
        if (extBytes > packed) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        packed -= extBytes;
    }
    (void)haveCrc;
    (void)extStart;
    std::string path = lzhPath(directory);
    if (!path.empty() && path.back() != '/' && !name.empty()) path += '/';
    path += lzhPath(name);
    out.name = path;
    out.packedSize = packed;
    out.isDirectory = out.method == "-lhd-";
    if (out.isDirectory) out.attributes |= 0x10;
    if (headerEnd > source_.size() || packed > source_.size() - headerEnd) {
        error_ = kErrorBrokenData;  // the data the header claims is not there
        return false;
    }
    dataOffset_ = headerEnd;
    position_ = headerEnd + packed;
    m = out;
    return true;
}

bool LzhReader::next(Member& m) {
    haveCurrent_ = false;
    if (error_ || ended_) return false;
    if (!started_) {
        started_ = true;
        if (!findStart()) return false;
    }
    if (!readHeader(current_)) return false;
    haveCurrent_ = true;
    m = current_;
    return true;
}

int LzhReader::extract(Sink& out) {
    if (!haveCurrent_) return kErrorHarcIsNotOpened;
    int bits = lzhDictionaryBits(current_.method);
    if (bits < 0) return kErrorMethod;
    if (current_.isDirectory) return kOk;
    SourceStream in(source_, dataOffset_, current_.packedSize);
    return lzhDecode(in, out, bits, current_.originalSize, static_cast<std::uint16_t>(current_.crc));
}

}  // namespace arc

#include "archivers/core/zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "archivers/core/error_code.h"
#include "archivers/core/inflate_copy.h"
#include "archivers/core/le_bytes.h"
#include "archivers/core/member_path.h"

namespace arc {
namespace {

constexpr std::uint32_t kCentralSig = 0x02014b50;
constexpr std::uint32_t kLocalSig = 0x04034b50;
constexpr std::uint32_t kEndSig = 0x06054b50;
constexpr std::uint32_t kEnd64Sig = 0x06064b50;
constexpr std::uint32_t kLocator64Sig = 0x07064b50;

std::string methodName(std::uint16_t method) {
    switch (method) {
    case 0: return "Stored";
    case 8: return "Deflate";
    case 9: return "Deflate64";
    case 12: return "BZip2";
    case 14: return "LZMA";
    default: return "Method" + std::to_string(method);
    }
}

}  // namespace

ZipReader::ZipReader(Source& source, const TextCodec& codec) : source_(source), codec_(codec) {}

bool ZipReader::locate() {
    std::uint64_t size = source_.size();
    if (size < 22) {
        error_ = kErrorNotArcFile;
        return false;
    }
    std::size_t tail = static_cast<std::size_t>(std::min<std::uint64_t>(size, 65535 + 22));
    std::vector<unsigned char> buf(tail);
    std::uint64_t base = size - tail;
    if (!source_.readExact(base, buf.data(), tail)) {
        error_ = kErrorCannotRead;
        return false;
    }
    std::size_t at = std::string::npos;
    for (std::size_t i = tail - 22 + 1; i-- > 0;) {
        if (le32(&buf[i]) == kEndSig && i + 22 + le16(&buf[i + 20]) <= tail) {
            at = i;
            break;
        }
    }
    if (at == std::string::npos) {
        error_ = kErrorNotArcFile;
        return false;
    }
    const unsigned char* e = &buf[at];
    std::uint64_t endPos = base + at;
    std::uint64_t entries = le16(e + 10);
    std::uint64_t cdSize = le32(e + 12);
    std::uint64_t cdOffset = le32(e + 16);
    bool zip64 = entries == 0xFFFF || cdSize == 0xFFFFFFFF || cdOffset == 0xFFFFFFFF;
    std::uint64_t recordEnd = endPos;  // where the central directory must end
    if (endPos >= 20) {
        unsigned char loc[20];
        if (source_.readExact(endPos - 20, loc, 20) && le32(loc) == kLocator64Sig) {
            std::uint64_t e64Pos = le64(loc + 8);
            unsigned char e64[56];
            if (e64Pos < endPos && source_.readExact(e64Pos, e64, 56) && le32(e64) == kEnd64Sig) {
                entries = le64(e64 + 32);
                cdSize = le64(e64 + 40);
                cdOffset = le64(e64 + 48);
                recordEnd = e64Pos;
                zip64 = false;
            }
        }
    }
    if (zip64) {
        error_ = kErrorHeaderBroken;  // the end record points to a ZIP64 record that is not there
        return false;
    }
    if (cdSize > recordEnd || cdOffset > recordEnd - cdSize) {
        error_ = kErrorHeaderBroken;
        return false;
    }
    shift_ = recordEnd - cdSize - cdOffset;
    position_ = cdOffset + shift_;
    end_ = position_ + cdSize;
    remaining_ = entries;
    return true;
}

bool ZipReader::next(Member& m) {
    haveCurrent_ = false;
    if (error_) return false;
    if (!located_) {
        located_ = true;
        if (!locate()) return false;
    }
    if (remaining_ == 0 || position_ >= end_) return false;
    unsigned char h[46];
    if (end_ - position_ < 46 || !source_.readExact(position_, h, 46) || le32(h) != kCentralSig) {
        error_ = kErrorHeaderBroken;
        return false;
    }
    std::size_t nameLen = le16(h + 28), extraLen = le16(h + 30), commentLen = le16(h + 32);
    std::uint64_t recordLen = 46 + nameLen + extraLen + commentLen;
    if (end_ - position_ < recordLen) {
        error_ = kErrorHeaderBroken;
        return false;
    }
    std::string name(nameLen, '\0');
    std::vector<unsigned char> extra(extraLen);
    if (!source_.readExact(position_ + 46, name.data(), nameLen) ||
        !source_.readExact(position_ + 46 + nameLen, extra.data(), extraLen)) {
        error_ = kErrorCannotRead;
        return false;
    }
    position_ += recordLen;
    --remaining_;

    Member out;
    flags_ = le16(h + 8);
    method_ = le16(h + 10);
    out.dosTime = le16(h + 12);
    out.dosDate = le16(h + 14);
    out.crc = le32(h + 16);
    out.packedSize = le32(h + 20);
    out.originalSize = le32(h + 24);
    localOffset_ = le32(h + 42);
    std::uint32_t external = le32(h + 38);
    unsigned madeBy = h[5];
    std::string unicodeName;
    for (std::size_t i = 0; i + 4 <= extra.size();) {
        std::uint16_t id = le16(&extra[i]), len = le16(&extra[i + 2]);
        std::size_t body = i + 4;
        if (body + len > extra.size()) break;
        if (id == 0x0001) {
            std::size_t k = body, stop = body + len;
            auto take = [&](std::uint64_t& field, std::uint64_t marker) {
                if (field == marker && k + 8 <= stop) {
                    field = le64(&extra[k]);
                    k += 8;
                }
            };
            take(out.originalSize, 0xFFFFFFFF);
            take(out.packedSize, 0xFFFFFFFF);
            take(localOffset_, 0xFFFFFFFF);
        } else if (id == 0x7075 && len >= 5 && extra[body] == 1) {
            // A UTF-8 copy of the name, valid only while the plain name is unchanged.
            std::uint32_t nameCrc = static_cast<std::uint32_t>(
                crc32(0, reinterpret_cast<const Bytef*>(name.data()), static_cast<uInt>(name.size())));
            if (le32(&extra[body + 1]) == nameCrc)
                unicodeName.assign(reinterpret_cast<const char*>(&extra[body + 5]), len - 5);
        }
        i = body + len;
    }
    if (flags_ & 0x0800) {
        out.name = codec_.utf8ToSjis(name);
    } else if (!unicodeName.empty()) {
        out.name = codec_.utf8ToSjis(unicodeName);
    } else if (madeBy == 3 && isWideUtf8(name)) {
        out.name = codec_.utf8ToSjis(name);  // a UTF-8 system that did not set the flag
    } else {
        out.name = name;
    }
    out.name = forwardSlashes(out.name);  // some writers on the platform store backslashes
    out.isDirectory = !name.empty() && (name.back() == '/' || name.back() == '\\');
    if (madeBy == 0 || madeBy == 10 || madeBy == 11 || madeBy == 14) {
        out.attributes = external & 0x3F;
        if (external & 0x10) out.isDirectory = true;
    } else if (madeBy == 3) {
        unsigned mode = external >> 16;
        if ((mode & 0170000) == 0120000) {
            out.isLink = true;
        } else if ((mode & 0170000) == 0040000) {
            out.isDirectory = true;
        }
        out.attributes = (external & 0x3F) | 0x20;
    }
    if (out.isDirectory) out.attributes |= 0x10;
    out.encrypted = flags_ & 1;
    out.method = methodName(method_);
    out.osType = madeBy;
    current_ = out;
    haveCurrent_ = true;
    m = out;
    return true;
}

int ZipReader::extract(Sink& out) {
    if (!haveCurrent_) return kErrorHarcIsNotOpened;
    if (current_.encrypted) return kErrorPasswordFile;
    if (method_ != 0 && method_ != 8) return kErrorMethod;
    unsigned char h[30];
    std::uint64_t at = localOffset_ + shift_;
    if (at < localOffset_ || !source_.readExact(at, h, 30) || le32(h) != kLocalSig) return kErrorHeaderBroken;
    std::uint64_t data = at + 30 + le16(h + 26) + le16(h + 28);
    if (data > source_.size() || current_.packedSize > source_.size() - data) return kErrorBrokenData;
    SourceStream in(source_, data, current_.packedSize);
    if (method_ == 0) {
        if (current_.packedSize != current_.originalSize) return kErrorBrokenData;
        return storedCopy(in, out, current_.originalSize, current_.crc);
    }
    return inflateCopy(in, out, current_.originalSize, current_.crc);
}

}  // namespace arc

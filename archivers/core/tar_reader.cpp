#include "archivers/core/tar_reader.h"

#include <cstring>
#include <vector>

#include "archivers/core/bzip2_stream.h"
#include "archivers/core/disk.h"
#include "archivers/core/error_code.h"
#include "archivers/core/gzip_stream.h"
#include "archivers/core/inflate_copy.h"

namespace arc {
namespace {

constexpr std::uint64_t kMaxText = 1 << 20;  // long names and pax records larger than this are hostile

// Octal, or GNU base-256 when the top bit of the first byte is set.
bool number(const unsigned char* p, std::size_t n, std::uint64_t& out) {
    out = 0;
    if (p[0] & 0x80) {
        if (p[0] & 0x40) return false;  // negative
        std::uint64_t v = p[0] & 0x3F;
        for (std::size_t i = 1; i < n; ++i) {
            if (v >> 55) return false;
            v = (v << 8) | p[i];
        }
        out = v;
        return true;
    }
    std::size_t i = 0;
    while (i < n && (p[i] == ' ' || p[i] == 0)) ++i;
    for (; i < n && p[i] >= '0' && p[i] <= '7'; ++i) {
        if (out >> 60) return false;
        out = out * 8 + (p[i] - '0');
    }
    for (; i < n; ++i)
        if (p[i] != ' ' && p[i] != 0) return false;
    return true;
}

std::string field(const unsigned char* p, std::size_t n) {
    std::size_t len = 0;
    while (len < n && p[len]) ++len;
    return std::string(reinterpret_cast<const char*>(p), len);
}

bool checksumOk(const unsigned char* h) {
    std::uint64_t stored;
    if (!number(h + 148, 8, stored)) return false;
    std::uint64_t unsignedSum = 0;
    std::int64_t signedSum = 0;
    for (int i = 0; i < 512; ++i) {
        unsigned char c = (i >= 148 && i < 156) ? ' ' : h[i];
        unsignedSum += c;
        signedSum += static_cast<signed char>(c);
    }
    return stored == unsignedSum || static_cast<std::int64_t>(stored) == signedSum;
}

}  // namespace

TarReader::TarReader(Source& source, const TextCodec& codec) : source_(source), codec_(codec) {}
TarReader::~TarReader() = default;

bool TarReader::open() {
    opened_ = true;
    unsigned char magic[4] = {};
    source_.readAt(0, magic, 4);
    raw_ = std::make_unique<SourceStream>(source_, 0, source_.size());
    if (magic[0] == 0x1F && magic[1] == 0x8B) {
        decoded_ = std::make_unique<GzipStream>(*raw_);
        compression_ = "gzip";
    } else if (looksLikeBzip2(magic, 4)) {
        decoded_ = std::make_unique<Bzip2Stream>(*raw_);
        compression_ = "bzip2";
    }
    in_ = decoded_ ? decoded_.get() : raw_.get();
    return true;
}

bool TarReader::readBlock(unsigned char* block) {
    if (!in_->readFull(block, 512)) {
        error_ = in_->failed() ? kErrorBrokenData : kErrorHeaderBroken;
        return false;
    }
    return true;
}

bool TarReader::skipData() {
    std::vector<unsigned char> buf(64 * 1024);
    while (dataLeft_ > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(dataLeft_, buf.size()));
        if (!in_->readFull(buf.data(), want)) {
            error_ = kErrorBrokenData;
            return false;
        }
        dataLeft_ -= want;
    }
    return true;
}

bool TarReader::readText(std::uint64_t size, std::string& text) {
    if (size > kMaxText) {
        error_ = kErrorHeaderBroken;
        return false;
    }
    std::uint64_t padded = (size + 511) & ~std::uint64_t{511};
    std::string data(static_cast<std::size_t>(padded), '\0');
    if (!in_->readFull(data.data(), data.size())) {
        error_ = kErrorBrokenData;
        return false;
    }
    text = data.substr(0, static_cast<std::size_t>(size));
    return true;
}

bool TarReader::next(Member& m) {
    haveCurrent_ = false;
    if (!opened_) open();
    if (error_ || ended_) return false;
    if (!skipData()) return false;
    std::string longName, longLink, paxPath, paxLink;
    bool paxSize = false;
    std::uint64_t paxSizeValue = 0;
    unsigned char h[512];
    while (true) {
        if (!readBlock(h)) {
            // A tar cut right at a header boundary has simply no end blocks.
            if (!in_->failed() && error_ == kErrorHeaderBroken && sawHeader_) {
                error_ = 0;
                ended_ = true;
            }
            return false;
        }
        bool zero = true;
        for (unsigned char c : h) zero = zero && c == 0;
        if (zero) {
            sawHeader_ = true;
            ended_ = true;
            return false;
        }
        if (!checksumOk(h)) {
            error_ = sawHeader_ ? kErrorHeaderCrc : kErrorNotArcFile;
            return false;
        }
        sawHeader_ = true;
        std::uint64_t size;
        if (!number(h + 124, 12, size)) {
            error_ = kErrorHeaderBroken;
            return false;
        }
        char type = static_cast<char>(h[156]);
        if (type == 'L' || type == 'K' || type == 'x' || type == 'g') {
            std::string text;
            if (!readText(size, text)) return false;
            if (type == 'L') longName = field(reinterpret_cast<const unsigned char*>(text.data()), text.size());
            if (type == 'K') longLink = field(reinterpret_cast<const unsigned char*>(text.data()), text.size());
            if (type == 'x') {
                // Records "<length> <key>=<value>\n".
                std::size_t pos = 0;
                while (pos < text.size()) {
                    std::size_t space = text.find(' ', pos);
                    if (space == std::string::npos) break;
                    std::size_t len = 0;
                    for (std::size_t i = pos; i < space; ++i) {
                        if (text[i] < '0' || text[i] > '9' || len > text.size()) {
                            len = 0;
                            break;
                        }
                        len = len * 10 + (text[i] - '0');
                    }
                    if (len <= space - pos || pos + len > text.size()) break;
                    std::string record = text.substr(space + 1, pos + len - space - 2);
                    std::size_t eq = record.find('=');
                    if (eq != std::string::npos) {
                        std::string key = record.substr(0, eq), value = record.substr(eq + 1);
                        if (key == "path") paxPath = value;
                        if (key == "linkpath") paxLink = value;
                        if (key == "size") {
                            std::uint64_t v = 0;
                            bool ok = !value.empty();
                            for (char c : value) {
                                if (c < '0' || c > '9' || v > (~std::uint64_t{0}) / 16) ok = false;
                                else v = v * 10 + (c - '0');
                            }
                            if (ok) {
                                paxSize = true;
                                paxSizeValue = v;
                            }
                        }
                    }
                    pos += len;
                }
            }
            continue;
        }
        if (paxSize) size = paxSizeValue;
        Member out;
        std::string name = field(h, 100);
        if (std::memcmp(h + 257, "ustar", 5) == 0 && h[345]) {
            name = field(h + 345, 155) + "/" + name;
        }
        if (!longName.empty()) name = longName;
        if (!paxPath.empty()) {
            name = codec_.utf8ToSjis(paxPath);
        } else if (isWideUtf8(name)) {
            name = codec_.utf8ToSjis(name);  // written on a UTF-8 system
        }
        std::uint64_t mode = 0, mtime = 0;
        number(h + 100, 8, mode);
        number(h + 136, 12, mtime);
        out.name = name;
        out.originalSize = size;
        out.packedSize = size;
        out.method = compression_[0] ? compression_ : "tar";
        dosFromUnix(static_cast<std::int64_t>(mtime), out.dosDate, out.dosTime);
        out.attributes = (mode & 0200) ? 0x20 : 0x21;
        out.osType = 3;
        switch (type) {
        case '5':
            out.isDirectory = true;
            out.attributes = 0x10;
            break;
        case '0': case '\0': case '7':
            break;
        case '1': case '2':
            out.isLink = true;
            out.linkTarget = !paxLink.empty() ? paxLink : !longLink.empty() ? longLink : field(h + 157, 100);
            break;
        default:
            out.isLink = true;  // devices, fifos, sparse and unknown kinds are never written as files
            break;
        }
        if (!out.isDirectory && !name.empty() && name.back() == '/') out.isDirectory = true;
        // Links and directories carry no data in practice; their size field still decides the skip.
        dataSize_ = (type == '1' || type == '2' || type == '5') ? 0 : size;
        dataLeft_ = (dataSize_ + 511) & ~std::uint64_t{511};
        if (dataSize_ > dataLeft_) {  // the rounding wrapped: no real archive holds this
            error_ = kErrorHeaderBroken;
            return false;
        }
        if (dataSize_ != size) out.originalSize = out.packedSize = 0;
        haveCurrent_ = true;
        m = out;
        return true;
    }
}

int TarReader::extract(Sink& out) {
    if (!haveCurrent_) return kErrorHarcIsNotOpened;
    haveCurrent_ = false;
    int code = storedCopy(*in_, out, dataSize_, 0, false);
    if (code != kOk) {
        error_ = kErrorBrokenData;
        dataLeft_ = 0;
        return code;
    }
    dataLeft_ -= dataSize_;
    return kOk;
}

}  // namespace arc

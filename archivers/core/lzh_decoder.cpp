#include "archivers/core/lzh_decoder.h"

#include <array>
#include <string>
#include <vector>

#include "archivers/core/crc16.h"
#include "archivers/core/error_code.h"
#include "archivers/core/huffman_decoder.h"
#include "archivers/core/msb_bit_reader.h"

namespace arc {
namespace {

constexpr int kNC = 510;  // 256 literals + lengths 3 to 256
constexpr int kNT = 19;
constexpr int kTBit = 5;
constexpr int kCBit = 9;
constexpr int kMaxLength = 16;

// A Huffman table, or the one symbol a block uses (sent without bits).
class Table {
public:
    void single(int symbol) { single_ = symbol; }
    bool build(const std::uint8_t* lengths, int n) {
        single_ = -1;
        return decoder_.build(lengths, n);
    }
    int decode(MsbBitReader& bits) const { return single_ >= 0 ? single_ : decoder_.decode(bits); }

private:
    HuffmanDecoder decoder_;
    int single_ = -1;
};

class Decoder {
public:
    Decoder(Stream& in, int dictionaryBits) : bits_(in), np_(dictionaryBits + 1), pbit_(dictionaryBits <= 13 ? 4 : 5) {}

    bool readPtLengths(Table& table, int nn, int nbit, int special) {
        long n = bits_.bits(nbit);
        if (n < 0) return false;
        if (n == 0) {
            long c = bits_.bits(nbit);
            if (c < 0 || c >= nn) return false;
            table.single(static_cast<int>(c));
            return true;
        }
        if (n > nn) return false;
        std::array<std::uint8_t, kNT + 8> lengths {};
        int i = 0;
        while (i < n) {
            long c = bits_.bits(3);
            if (c < 0) return false;
            if (c == 7) {
                while (true) {
                    int b = bits_.bit();
                    if (b < 0) return false;
                    if (b == 0) break;
                    if (++c > kMaxLength) return false;
                }
            }
            lengths[i++] = static_cast<std::uint8_t>(c);
            if (i == special) {
                long zeros = bits_.bits(2);
                if (zeros < 0) return false;
                while (zeros-- > 0 && i < nn) lengths[i++] = 0;
            }
        }
        return table.build(lengths.data(), nn);
    }

    bool readCLengths() {
        long n = bits_.bits(kCBit);
        if (n < 0) return false;
        if (n == 0) {
            long c = bits_.bits(kCBit);
            if (c < 0 || c >= kNC) return false;
            c_.single(static_cast<int>(c));
            return true;
        }
        if (n > kNC) return false;
        std::array<std::uint8_t, kNC> lengths {};
        int i = 0;
        while (i < n) {
            int c = t_.decode(bits_);
            if (c < 0) return false;
            if (c <= 2) {
                long count = c == 0 ? 1 : c == 1 ? bits_.bits(4) + 3 : bits_.bits(kCBit) + 20;
                if (count < 1) return false;
                while (count-- > 0 && i < kNC) lengths[i++] = 0;
            } else {
                lengths[i++] = static_cast<std::uint8_t>(c - 2);
            }
        }
        return c_.build(lengths.data(), kNC);
    }

    // Next code: 0..255 a byte, 256.. a match; -1 on damage.
    int nextCode() {
        if (blockLeft_ == 0) {
            long size = bits_.bits(16);
            if (size < 0) return -1;
            if (!readPtLengths(t_, kNT, kTBit, 3) || !readCLengths() || !readPtLengths(p_, np_, pbit_, -1)) return -1;
            blockLeft_ = size;
            if (blockLeft_ == 0) return nextCode();
        }
        --blockLeft_;
        return c_.decode(bits_);
    }

    long nextDistance() {
        int j = p_.decode(bits_);
        if (j < 0 || j >= np_) return -1;
        if (j <= 1) return j + 1;
        long extra = bits_.bits(j - 1);
        if (extra < 0) return -1;
        return (1L << (j - 1)) + extra + 1;
    }

private:
    MsbBitReader bits_;
    Table t_, c_, p_;
    long blockLeft_ = 0;
    int np_;
    int pbit_;
};

}  // namespace

int lzhDictionaryBits(const std::string& method) {
    if (method == "-lh0-" || method == "-lhd-" || method == "-lz4-") return 0;
    if (method == "-lh4-") return 12;
    if (method == "-lh5-") return 13;
    if (method == "-lh6-") return 15;
    if (method == "-lh7-") return 16;
    return -1;
}

int lzhDecode(Stream& in, Sink& out, int dictionaryBits, std::uint64_t originalSize, std::uint16_t crc) {
    std::vector<unsigned char> buffer(64 * 1024);
    std::uint16_t actual = 0;
    if (dictionaryBits == 0) {
        std::uint64_t left = originalSize;
        while (left > 0) {
            std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
            if (!in.readFull(buffer.data(), want)) return kErrorBrokenData;
            actual = crc16Update(actual, buffer.data(), want);
            if (!out.write(buffer.data(), want)) return kErrorCannotWrite;
            left -= want;
        }
        return actual == crc ? kOk : kErrorFileCrc;
    }
    if (dictionaryBits < 12 || dictionaryBits > 16) return kErrorMethod;
    const std::size_t size = std::size_t{1} << dictionaryBits;
    const std::size_t mask = size - 1;
    std::vector<unsigned char> window(size, ' ');  // what the format's dictionary starts as
    Decoder decoder(in, dictionaryBits);
    std::uint64_t produced = 0;
    std::size_t pos = 0, filled = 0;
    auto put = [&](unsigned char b) -> bool {
        window[pos] = b;
        pos = (pos + 1) & mask;
        buffer[filled++] = b;
        ++produced;
        if (filled == buffer.size()) {
            actual = crc16Update(actual, buffer.data(), filled);
            if (!out.write(buffer.data(), filled)) return false;
            filled = 0;
        }
        return true;
    };
    while (produced < originalSize) {
        int c = decoder.nextCode();
        if (c < 0) return kErrorBrokenData;
        if (c < 256) {
            if (!put(static_cast<unsigned char>(c))) return kErrorCannotWrite;
            continue;
        }
        long distance = decoder.nextDistance();
        if (distance < 0 || static_cast<std::size_t>(distance) > size) return kErrorBrokenData;
        int length = c - 256 + 3;
        std::size_t from = (pos - static_cast<std::size_t>(distance)) & mask;
        for (int k = 0; k < length && produced < originalSize; ++k) {
            if (!put(window[from])) return kErrorCannotWrite;
            from = (from + 1) & mask;
        }
    }
    actual = crc16Update(actual, buffer.data(), filled);
    if (filled && !out.write(buffer.data(), filled)) return kErrorCannotWrite;
    return actual == crc ? kOk : kErrorFileCrc;
}

}  // namespace arc

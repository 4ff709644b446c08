#include "archivers/core/bzip2_stream.h"

#include <array>
#include <cstring>

#include "archivers/core/huffman_decoder.h"

namespace arc {
namespace {

constexpr int kMaxGroups = 6;
constexpr int kMaxAlpha = 258;
constexpr int kGroupSize = 50;
constexpr int kMaxSelectors = 18002;

std::uint32_t crcTable(int i) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n << 24;
            for (int k = 0; k < 8; ++k) c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
            t[n] = c;
        }
        return t;
    }();
    return table[i];
}

std::uint32_t crcUpdate(std::uint32_t crc, std::uint8_t byte) { return (crc << 8) ^ crcTable((crc >> 24) ^ byte); }

}  // namespace

bool looksLikeBzip2(const unsigned char* p, std::size_t n) {
    return n >= 4 && p[0] == 'B' && p[1] == 'Z' && p[2] == 'h' && p[3] >= '1' && p[3] <= '9';
}

bool Bzip2Stream::startStream() {
    long b = bits_.bits(8);
    if (b < 0) {
        finished_ = true;  // nothing after the previous stream: the end
        return false;
    }
    if (b != 'B' || bits_.bits(8) != 'Z' || bits_.bits(8) != 'h') return fail();
    long level = bits_.bits(8);
    if (level < '1' || level > '9') return fail();
    blockMax_ = static_cast<std::uint32_t>(level - '0') * 100000;
    combinedCrc_ = 0;
    inStream_ = true;
    return true;
}

bool Bzip2Stream::nextBlock() {
    while (true) {
        if (failed_ || finished_) return false;
        if (!inStream_ && !startStream()) return false;
        long hi = bits_.bits(24), lo = bits_.bits(24);
        if (hi < 0 || lo < 0) return fail();
        std::uint64_t magic = (static_cast<std::uint64_t>(hi) << 24) | static_cast<std::uint64_t>(lo);
        if (magic == 0x177245385090ull) {
            long c1 = bits_.bits(16), c2 = bits_.bits(16);
            if (c1 < 0 || c2 < 0) return fail();
            streamCrc_ = static_cast<std::uint32_t>((c1 << 16) | c2);
            if (streamCrc_ != combinedCrc_) return fail();
            bits_.alignToByte();
            inStream_ = false;
            continue;  // another stream may follow (pbzip2 and friends concatenate)
        }
        if (magic != 0x314159265359ull) return fail();
        return decodeBlock();
    }
}

bool Bzip2Stream::decodeBlock() {
    long c1 = bits_.bits(16), c2 = bits_.bits(16);
    if (c1 < 0 || c2 < 0) return fail();
    blockCrc_ = static_cast<std::uint32_t>((c1 << 16) | c2);
    if (bits_.bit() != 0) return fail();  // randomised blocks: only from a 1990s writer
    long origPtr = bits_.bits(24);
    if (origPtr < 0) return fail();

    long used = bits_.bits(16);
    if (used < 0) return fail();
    std::array<std::uint8_t, 256> seqToUnseq {};
    int inUse = 0;
    for (int i = 0; i < 16; ++i) {
        if (!(used & (0x8000 >> i))) continue;
        long bitsUsed = bits_.bits(16);
        if (bitsUsed < 0) return fail();
        for (int j = 0; j < 16; ++j)
            if (bitsUsed & (0x8000 >> j)) seqToUnseq[inUse++] = static_cast<std::uint8_t>(i * 16 + j);
    }
    if (inUse == 0) return fail();
    int alphaSize = inUse + 2;
    long groups = bits_.bits(3);
    if (groups < 2 || groups > kMaxGroups) return fail();
    long selectorCount = bits_.bits(15);
    if (selectorCount < 1) return fail();
    std::array<std::uint8_t, kMaxGroups> mtfGroups {};
    for (int i = 0; i < groups; ++i) mtfGroups[i] = static_cast<std::uint8_t>(i);
    std::vector<std::uint8_t> selectors;
    selectors.reserve(std::min<long>(selectorCount, kMaxSelectors));
    for (long i = 0; i < selectorCount; ++i) {
        int j = 0;
        while (true) {
            int b = bits_.bit();
            if (b < 0) return fail();
            if (b == 0) break;
            if (++j >= groups) return fail();
        }
        std::uint8_t v = mtfGroups[j];
        for (; j > 0; --j) mtfGroups[j] = mtfGroups[j - 1];
        mtfGroups[0] = v;
        if (i < kMaxSelectors) selectors.push_back(v);  // extra selectors are ignored, as the reference does
    }
    std::array<HuffmanDecoder, kMaxGroups> tables;
    for (int t = 0; t < groups; ++t) {
        std::array<std::uint8_t, kMaxAlpha> lengths {};
        long curr = bits_.bits(5);
        for (int s = 0; s < alphaSize; ++s) {
            while (true) {
                if (curr < 1 || curr > 20) return fail();
                int b = bits_.bit();
                if (b < 0) return fail();
                if (b == 0) break;
                b = bits_.bit();
                if (b < 0) return fail();
                curr += b ? -1 : 1;
            }
            lengths[s] = static_cast<std::uint8_t>(curr);
        }
        if (!tables[t].build(lengths.data(), alphaSize)) return fail();
    }

    tt_.resize(blockMax_);
    std::array<std::uint32_t, 256> counts {};
    std::array<std::uint8_t, 256> mtf {};
    for (int i = 0; i < 256; ++i) mtf[i] = static_cast<std::uint8_t>(i);
    std::uint32_t length = 0;
    std::size_t selectorIndex = 0;
    int groupLeft = 0;
    const HuffmanDecoder* table = nullptr;
    std::uint32_t run = 0, runWeight = 1;
    const int endOfBlock = inUse + 1;
    auto flushRun = [&]() -> bool {
        if (run == 0) return true;
        std::uint8_t byte = seqToUnseq[mtf[0]];
        if (run > blockMax_ - length) return false;
        counts[byte] += run;
        for (std::uint32_t k = 0; k < run; ++k) tt_[length++] = byte;
        run = 0;
        runWeight = 1;
        return true;
    };
    while (true) {
        if (groupLeft == 0) {
            if (selectorIndex >= selectors.size()) return fail();
            table = &tables[selectors[selectorIndex++]];
            groupLeft = kGroupSize;
        }
        --groupLeft;
        int sym = table->decode(bits_);
        if (sym < 0 || sym > endOfBlock) return fail();
        if (sym <= 1) {  // RUNA, RUNB: bijective base-2 run length
            if (runWeight > (1u << 21)) return fail();
            run += runWeight << sym;
            runWeight <<= 1;
            continue;
        }
        if (!flushRun()) return fail();
        if (sym == endOfBlock) break;
        int pos = sym - 1;
        if (pos >= inUse) return fail();
        std::uint8_t v = mtf[pos];
        std::memmove(&mtf[1], &mtf[0], pos);
        mtf[0] = v;
        std::uint8_t byte = seqToUnseq[v];
        if (length >= blockMax_) return fail();
        ++counts[byte];
        tt_[length++] = byte;
    }
    if (static_cast<std::uint32_t>(origPtr) >= length) return fail();
    std::array<std::uint32_t, 256> start {};
    std::uint32_t sum = 0;
    for (int i = 0; i < 256; ++i) {
        start[i] = sum;
        sum += counts[i];
    }
    for (std::uint32_t i = 0; i < length; ++i) {
        std::uint8_t byte = static_cast<std::uint8_t>(tt_[i] & 0xFF);
        tt_[start[byte]++] |= i << 8;
    }
    tPos_ = tt_[origPtr] >> 8;
    blockLength_ = length;
    emitted_ = 0;
    runningCrc_ = 0xFFFFFFFFu;
    lastByte_ = -1;
    sameCount_ = 0;
    repeatLeft_ = 0;
    blockActive_ = true;
    return true;
}

std::size_t Bzip2Stream::read(void* buffer, std::size_t n) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        if (!blockActive_) {
            if (!nextBlock()) break;
        }
        if (repeatLeft_ > 0) {
            out[done++] = static_cast<std::uint8_t>(lastByte_);
            runningCrc_ = crcUpdate(runningCrc_, static_cast<std::uint8_t>(lastByte_));
            --repeatLeft_;
            continue;
        }
        if (emitted_ == blockLength_) {
            blockActive_ = false;
            std::uint32_t crc = ~runningCrc_;
            if (crc != blockCrc_) {
                failed_ = true;
                break;
            }
            combinedCrc_ = ((combinedCrc_ << 1) | (combinedCrc_ >> 31)) ^ crc;
            continue;
        }
        std::uint32_t entry = tt_[tPos_];
        std::uint8_t byte = static_cast<std::uint8_t>(entry & 0xFF);
        tPos_ = entry >> 8;
        if (tPos_ >= blockLength_) {
            failed_ = true;
            break;
        }
        ++emitted_;
        if (sameCount_ == 4) {
            // The byte after four equal ones counts further repeats.
            repeatLeft_ = byte;
            sameCount_ = 0;
            continue;
        }
        if (byte == lastByte_) {
            ++sameCount_;
        } else {
            sameCount_ = 1;
            lastByte_ = byte;
        }
        out[done++] = byte;
        runningCrc_ = crcUpdate(runningCrc_, byte);
    }
    return done;
}

}  // namespace arc

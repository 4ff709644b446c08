#include "archivers/core/lzh_encoder.h"

#include <algorithm>
#include <array>
#include <queue>
#include <vector>

#include "archivers/core/crc16.h"
#include "archivers/core/error_code.h"

namespace arc {
namespace {

constexpr int kNC = 510;
constexpr int kNT = 19;
constexpr int kTBit = 5;
constexpr int kCBit = 9;
constexpr int kMaxMatch = 256;
constexpr int kThreshold = 3;
constexpr int kMaxCodeBits = 16;
constexpr std::size_t kBlockCodes = 16 * 1024;
constexpr int kHashBits = 15;
constexpr int kChain = 48;

class BitWriter {
public:
    explicit BitWriter(Sink& out) : out_(out) {}
    void put(int n, std::uint32_t v) {
        for (int i = n - 1; i >= 0; --i) {
            current_ = static_cast<std::uint8_t>((current_ << 1) | ((v >> i) & 1));
            if (++count_ == 8) {
                buffer_.push_back(current_);
                count_ = 0;
                current_ = 0;
                if (buffer_.size() >= 64 * 1024) flushBytes();
            }
        }
    }
    bool finish() {
        if (count_) put(8 - count_, 0);
        flushBytes();
        return ok_;
    }
    std::uint64_t written() const { return written_ + buffer_.size(); }

private:
    void flushBytes() {
        if (!buffer_.empty() && !out_.write(buffer_.data(), buffer_.size())) ok_ = false;
        written_ += buffer_.size();
        buffer_.clear();
    }
    Sink& out_;
    std::vector<std::uint8_t> buffer_;
    std::uint8_t current_ = 0;
    int count_ = 0;
    bool ok_ = true;
    std::uint64_t written_ = 0;
};

// Code lengths of at most kMaxCodeBits from frequencies; fewer than two used
// symbols are the caller's special case.
void huffmanLengths(const std::vector<std::uint32_t>& freqIn, std::vector<std::uint8_t>& lengths) {
    std::vector<std::uint32_t> freq = freqIn;
    const int n = static_cast<int>(freq.size());
    while (true) {
        lengths.assign(n, 0);
        struct Node {
            std::uint64_t weight;
            int index;
        };
        auto cmp = [](const Node& a, const Node& b) { return a.weight > b.weight || (a.weight == b.weight && a.index > b.index); };
        std::priority_queue<Node, std::vector<Node>, decltype(cmp)> heap(cmp);
        std::vector<int> parent(2 * n, -1);
        for (int i = 0; i < n; ++i)
            if (freq[i]) heap.push({freq[i], i});
        int next = n;
        while (heap.size() > 1) {
            Node a = heap.top();
            heap.pop();
            Node b = heap.top();
            heap.pop();
            parent[a.index] = parent[b.index] = next;
            heap.push({a.weight + b.weight, next++});
        }
        int longest = 0;
        for (int i = 0; i < n; ++i) {
            if (!freq[i]) continue;
            int depth = 0;
            for (int k = i; parent[k] >= 0; k = parent[k]) ++depth;
            lengths[i] = static_cast<std::uint8_t>(depth);
            longest = std::max(longest, depth);
        }
        if (longest <= kMaxCodeBits) return;
        for (auto& f : freq)
            if (f) f = std::max<std::uint32_t>(1, f / 2);  // flatten and try again
    }
}

std::vector<std::uint16_t> canonicalCodes(const std::vector<std::uint8_t>& lengths) {
    std::array<int, kMaxCodeBits + 2> count {};
    for (auto l : lengths) ++count[l];
    count[0] = 0;
    std::array<std::uint32_t, kMaxCodeBits + 2> next {};
    std::uint32_t code = 0;
    for (int len = 1; len <= kMaxCodeBits; ++len) {
        code = (code + count[len - 1]) << 1;
        next[len] = code;
    }
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    for (std::size_t i = 0; i < lengths.size(); ++i)
        if (lengths[i]) codes[i] = static_cast<std::uint16_t>(next[lengths[i]]++);
    return codes;
}

int usedSymbols(const std::vector<std::uint32_t>& freq, int& only) {
    int used = 0;
    only = 0;
    for (std::size_t i = 0; i < freq.size(); ++i)
        if (freq[i]) {
            ++used;
            only = static_cast<int>(i);
        }
    return used;
}

// The first n c lengths as the t code sends them: a length k as symbol k + 2,
// a run of zeros as symbols 0 to 2 with extra bits; the counting and the
// writing pass must walk the runs alike.
template <class Emit>
void forEachTSymbol(const std::vector<std::uint8_t>& cLen, int n, Emit emit) {
    for (int i = 0; i < n;) {
        int k = cLen[i++];
        if (k != 0) {
            emit(k + 2, 0, 0u);
            continue;
        }
        int count = 1;
        while (i < n && cLen[i] == 0) {
            ++i;
            ++count;
        }
        if (count <= 2) {
            for (int z = 0; z < count; ++z) emit(0, 0, 0u);
        } else if (count <= 18) {
            emit(1, 4, unsigned(count - 3));
        } else if (count == 19) {
            emit(0, 0, 0u);
            emit(1, 4, 15u);
        } else {
            emit(2, kCBit, unsigned(count - 20));
        }
    }
}

class Encoder {
public:
    Encoder(Sink& out, int dictionaryBits)
        : bits_(out), np_(dictionaryBits + 1), pbit_(dictionaryBits <= 13 ? 4 : 5) {}

    void add(int c, int p) {
        codes_.push_back({static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(p)});
        if (codes_.size() == kBlockCodes) sendBlock();
    }
    bool finish() {
        if (!codes_.empty()) sendBlock();
        return bits_.finish();
    }
    std::uint64_t written() const { return bits_.written(); }

private:
    struct Code {
        std::uint16_t c, p;
    };

    static int positionCode(int p) {
        int c = 0;
        for (int q = p; q; q >>= 1) ++c;
        return c;
    }

    void writePtLengths(const std::vector<std::uint8_t>& len, int nbit, int special) {
        int n = static_cast<int>(len.size());
        while (n > 0 && len[n - 1] == 0) --n;
        bits_.put(nbit, n);
        int i = 0;
        while (i < n) {
            int k = len[i++];
            if (k <= 6) bits_.put(3, k);
            else bits_.put(k - 3, (1u << (k - 3)) - 2);
            if (i == special) {
                while (i < 6 && len[i] == 0) ++i;
                bits_.put(2, (i - 3) & 3);
            }
        }
    }

    void sendBlock() {
        std::vector<std::uint32_t> cFreq(kNC, 0), pFreq(np_, 0);
        for (const auto& code : codes_) {
            ++cFreq[code.c];
            if (code.c >= 256) ++pFreq[positionCode(code.p)];
        }
        bits_.put(16, static_cast<std::uint32_t>(codes_.size()));

        std::vector<std::uint8_t> cLen(kNC, 0);
        std::vector<std::uint16_t> cCode(kNC, 0);
        int only;
        if (usedSymbols(cFreq, only) < 2) {
            bits_.put(kTBit, 0);
            bits_.put(kTBit, 0);
            bits_.put(kCBit, 0);
            bits_.put(kCBit, only);
        } else {
            huffmanLengths(cFreq, cLen);
            cCode = canonicalCodes(cLen);
            // The c lengths go through a third code, the t code.
            int n = kNC;
            while (n > 0 && cLen[n - 1] == 0) --n;
            std::vector<std::uint32_t> tFreq(kNT, 0);
            forEachTSymbol(cLen, n, [&](int symbol, int, unsigned) { ++tFreq[symbol]; });
            std::vector<std::uint8_t> tLen(kNT, 0);
            std::vector<std::uint16_t> tCode(kNT, 0);
            if (usedSymbols(tFreq, only) < 2) {
                bits_.put(kTBit, 0);
                bits_.put(kTBit, only);
            } else {
                huffmanLengths(tFreq, tLen);
                tCode = canonicalCodes(tLen);
                writePtLengths(tLen, kTBit, 3);
            }
            auto putT = [&](int s) { bits_.put(tLen[s], tCode[s]); };
            bits_.put(kCBit, n);
            forEachTSymbol(cLen, n, [&](int symbol, int extraBits, unsigned extra) {
                putT(symbol);
                if (extraBits) bits_.put(extraBits, extra);
            });
        }
        std::vector<std::uint8_t> pLen(np_, 0);
        std::vector<std::uint16_t> pCode(np_, 0);
        if (usedSymbols(pFreq, only) < 2) {
            bits_.put(pbit_, 0);
            bits_.put(pbit_, only);
        } else {
            huffmanLengths(pFreq, pLen);
            pCode = canonicalCodes(pLen);
            writePtLengths(pLen, pbit_, -1);
        }
        for (const auto& code : codes_) {
            bits_.put(cLen[code.c], cCode[code.c]);
            if (code.c < 256) continue;
            int pc = positionCode(code.p);
            bits_.put(pLen[pc], pCode[pc]);
            if (pc > 1) bits_.put(pc - 1, code.p & ((1u << (pc - 1)) - 1));
        }
        codes_.clear();
    }

    BitWriter bits_;
    int np_;
    int pbit_;
    std::vector<Code> codes_;
};

}  // namespace

LzhEncoded lzhEncode(Stream& in, Sink& out, int dictionaryBits) {
    LzhEncoded result;
    if (dictionaryBits < 12 || dictionaryBits > 16) {
        result.code = kErrorMethod;
        return result;
    }
    const std::uint64_t dictionary = std::uint64_t{1} << dictionaryBits;
    const std::size_t windowSize = static_cast<std::size_t>(dictionary * 2);
    const std::size_t mask = windowSize - 1;
    std::vector<std::uint8_t> window(windowSize);
    std::vector<std::uint64_t> head(std::size_t{1} << kHashBits, 0);  // position + 1, 0 for none
    std::vector<std::uint64_t> prev(windowSize, 0);
    Encoder encoder(out, dictionaryBits);
    std::uint64_t pos = 0, filled = 0;
    bool atEnd = false;
    std::uint16_t crc = 0;
    auto fill = [&]() -> bool {
        while (!atEnd && filled - pos < kMaxMatch + kThreshold) {
            std::uint64_t room = dictionary - (filled - pos);  // never overwrite what a match may still reach
            std::size_t at = static_cast<std::size_t>(filled & mask);
            std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(room, windowSize - at));
            std::size_t got = in.read(&window[at], n);
            if (in.failed()) return false;
            if (got == 0) atEnd = true;
            crc = crc16Update(crc, &window[at], got);
            filled += got;
        }
        return true;
    };
    auto at = [&](std::uint64_t p) { return window[static_cast<std::size_t>(p & mask)]; };
    auto hash = [&](std::uint64_t p) {
        return static_cast<std::size_t>(((at(p) << 10) ^ (at(p + 1) << 5) ^ at(p + 2)) & ((1u << kHashBits) - 1));
    };
    auto insert = [&](std::uint64_t p) {
        if (p + kThreshold > filled) return;
        std::size_t h = hash(p);
        prev[static_cast<std::size_t>(p & mask)] = head[h];
        head[h] = p + 1;
    };
    while (true) {
        if (!fill()) {
            result.code = kErrorCannotRead;
            return result;
        }
        if (pos >= filled) break;
        std::uint64_t avail = std::min<std::uint64_t>(filled - pos, kMaxMatch);
        int bestLength = 0;
        std::uint64_t bestDistance = 0;
        if (avail >= kThreshold) {
            std::uint64_t candidate = head[hash(pos)];
            for (int chain = 0; candidate && chain < kChain; ++chain) {
                std::uint64_t c = candidate - 1;
                if (c >= pos || pos - c > dictionary) break;
                int len = 0;
                while (static_cast<std::uint64_t>(len) < avail && at(c + len) == at(pos + len)) ++len;
                if (len > bestLength) {
                    bestLength = len;
                    bestDistance = pos - c;
                    if (static_cast<std::uint64_t>(len) == avail) break;
                }
                std::uint64_t older = prev[static_cast<std::size_t>(c & mask)];
                if (older >= candidate) break;  // the slot was reused by a newer position
                candidate = older;
            }
        }
        if (bestLength >= kThreshold) {
            encoder.add(256 + bestLength - kThreshold, static_cast<int>(bestDistance - 1));
            for (int k = 0; k < bestLength; ++k) insert(pos + k);
            pos += bestLength;
        } else {
            encoder.add(at(pos), 0);
            insert(pos);
            ++pos;
        }
    }
    if (!encoder.finish()) {
        result.code = kErrorCannotWrite;
        return result;
    }
    result.originalSize = filled;
    result.packedSize = encoder.written();
    result.crc = crc;
    return result;
}

}  // namespace arc

#pragma once
// Canonical Huffman decoding as bzip2 and LZH both define it: shorter codes
// first, equal lengths in symbol order, read most significant bit first.
#include <array>
#include <cstdint>
#include <vector>

namespace arc {

class HuffmanDecoder {
public:
    static constexpr int kMaxBits = 24;
    // False when the lengths over-subscribe the code space or exceed kMaxBits.
    // An incomplete code is accepted; reading an unused code is an error.
    bool build(const std::uint8_t* lengths, int count) {
        counts_.fill(0);
        symbols_.assign(count, 0);
        for (int i = 0; i < count; ++i) {
            if (lengths[i] > kMaxBits) return false;
            ++counts_[lengths[i]];
        }
        counts_[0] = 0;
        long left = 1;
        for (int len = 1; len <= kMaxBits; ++len) {
            left = (left << 1) - counts_[len];
            if (left < 0) return false;
        }
        std::array<int, kMaxBits + 2> offsets {};
        for (int len = 1; len <= kMaxBits; ++len) offsets[len + 1] = offsets[len] + counts_[len];
        for (int i = 0; i < count; ++i)
            if (lengths[i]) symbols_[offsets[lengths[i]]++] = static_cast<std::uint16_t>(i);
        return true;
    }

    // The next symbol, or -1 for a code no symbol owns (or when bits run out).
    template <class Bits>
    int decode(Bits& bits) const {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            int bit = bits.bit();
            if (bit < 0) return -1;
            code |= bit;
            int count = counts_[len];
            if (code - first < count) return symbols_[index + code - first];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

private:
    std::array<int, kMaxBits + 1> counts_ {};
    std::vector<std::uint16_t> symbols_;
};

}  // namespace arc

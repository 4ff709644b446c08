#pragma once
// Bits most significant first from a stream, with a budget: past the end it
// reports -1 instead of inventing zeros, so a cut stream cannot spin.
#include <cstdint>
#include <vector>

#include "archivers/core/byte_source.h"

namespace arc {

class MsbBitReader {
public:
    explicit MsbBitReader(Stream& in) : in_(in), buffer_(64 * 1024) {}
    // One bit, or -1 at the end of the input.
    int bit() {
        if (count_ == 0) {
            int byte = nextByte();
            if (byte < 0) return -1;
            current_ = static_cast<std::uint32_t>(byte);
            count_ = 8;
        }
        --count_;
        return static_cast<int>((current_ >> count_) & 1);
    }
    // n bits (n <= 24) as a number, or -1 at the end of the input.
    long bits(int n) {
        long v = 0;
        for (int i = 0; i < n; ++i) {
            int b = bit();
            if (b < 0) return -1;
            v = (v << 1) | b;
        }
        return v;
    }
    void alignToByte() { count_ = 0; }
    bool exhausted() const { return atEnd_ && count_ == 0; }

private:
    int nextByte() {
        if (pos_ == size_) {
            if (atEnd_) return -1;
            size_ = in_.read(buffer_.data(), buffer_.size());
            pos_ = 0;
            if (size_ == 0) {
                atEnd_ = true;
                return -1;
            }
        }
        return buffer_[pos_++];
    }
    Stream& in_;
    std::vector<unsigned char> buffer_;
    std::size_t pos_ = 0, size_ = 0;
    std::uint32_t current_ = 0;
    int count_ = 0;
    bool atEnd_ = false;
};

}  // namespace arc

#pragma once
// bzip2 decoding of our own: Huffman and move-to-front per block, the
// inverse Burrows-Wheeler transform, the final run-length step, and both
// CRCs. Output is produced on demand, so memory is one block whatever the
// size of the whole (a 900 k block takes 3.6 MB).
#include <cstdint>
#include <memory>
#include <vector>

#include "archivers/core/byte_source.h"
#include "archivers/core/msb_bit_reader.h"

namespace arc {

class Bzip2Stream final : public Stream {
public:
    explicit Bzip2Stream(Stream& in) : bits_(in) {}
    std::size_t read(void* buffer, std::size_t n) override;
    bool failed() const override { return failed_; }

private:
    bool startStream();
    bool nextBlock();  // false at the end of the data or on damage (then failed_)
    bool decodeBlock();
    bool fail() {
        failed_ = true;
        return false;
    }

    MsbBitReader bits_;
    bool failed_ = false;
    bool finished_ = false;
    bool inStream_ = false;
    std::uint32_t blockMax_ = 0;
    std::uint32_t combinedCrc_ = 0;
    std::uint32_t streamCrc_ = 0;
    // The block being emitted.
    std::vector<std::uint32_t> tt_;
    std::uint32_t blockLength_ = 0;
    std::uint32_t emitted_ = 0;
    std::uint32_t tPos_ = 0;
    std::uint32_t blockCrc_ = 0;
    std::uint32_t runningCrc_ = 0;
    int lastByte_ = -1;
    int sameCount_ = 0;
    int repeatLeft_ = 0;
    bool blockActive_ = false;
};

// True when the bytes start like a bzip2 stream.
bool looksLikeBzip2(const unsigned char* p, std::size_t n);

}  // namespace arc

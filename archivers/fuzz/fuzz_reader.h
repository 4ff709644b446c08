#pragma once
// One fuzz target body for every reader: list all members and extract each
// into a sink that stops after a few megabytes (a valid stream may promise
// gigabytes; the fuzzer wants faults, not patience).
#include <cstddef>
#include <cstdint>

#include "archivers/core/archive_reader.h"

namespace arcfuzz {

class CappedSink final : public arc::Sink {
public:
    bool write(const void*, std::size_t n) override {
        total_ += n;
        return total_ < (4u << 20);
    }

private:
    std::size_t total_ = 0;
};

inline void exercise(arc::ArchiveReader& reader) {
    arc::Member m;
    for (int i = 0; i < 10000 && reader.next(m); ++i) {
        CappedSink sink;
        reader.extract(sink);
    }
}

}  // namespace arcfuzz

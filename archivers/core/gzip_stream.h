#pragma once
// gzip through zlib: reading (several members one after the other, as
// concatenated .gz files are) and writing.
#include <memory>
#include <vector>

#include "archivers/core/byte_source.h"

namespace arc {

class GzipStream final : public Stream {
public:
    explicit GzipStream(Stream& in);
    ~GzipStream() override;
    GzipStream(const GzipStream&) = delete;
    GzipStream& operator=(const GzipStream&) = delete;
    std::size_t read(void* buffer, std::size_t n) override;
    bool failed() const override { return failed_; }

private:
    struct State;
    Stream& in_;
    std::unique_ptr<State> state_;
    std::vector<unsigned char> buffer_;
    bool failed_ = false;
    bool finished_ = false;
};

// Compresses everything written into `out`; finish() writes the trailer.
class GzipSink final : public Sink {
public:
    explicit GzipSink(Sink& out);
    ~GzipSink() override;
    GzipSink(const GzipSink&) = delete;
    GzipSink& operator=(const GzipSink&) = delete;
    bool write(const void* data, std::size_t n) override;
    bool finish();

private:
    bool pump(int flush);
    struct State;
    Sink& out_;
    std::unique_ptr<State> state_;
    std::vector<unsigned char> buffer_;
    bool failed_ = false;
};

}  // namespace arc

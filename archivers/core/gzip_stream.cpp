#include "archivers/core/gzip_stream.h"

#include <zlib.h>

namespace arc {

struct GzipStream::State {
    z_stream z {};
    bool ok = false;
};

GzipStream::GzipStream(Stream& in) : in_(in), state_(std::make_unique<State>()), buffer_(64 * 1024) {
    state_->ok = inflateInit2(&state_->z, 16 + 15) == Z_OK;
    failed_ = !state_->ok;
}

GzipStream::~GzipStream() {
    if (state_->ok) inflateEnd(&state_->z);
}

std::size_t GzipStream::read(void* buffer, std::size_t n) {
    z_stream& z = state_->z;
    z.next_out = static_cast<Bytef*>(buffer);
    z.avail_out = static_cast<uInt>(std::min<std::size_t>(n, 1u << 30));
    while (z.avail_out > 0 && !failed_ && !finished_) {
        if (z.avail_in == 0) {
            std::size_t got = in_.read(buffer_.data(), buffer_.size());
            if (got == 0) {
                failed_ = true;  // cut inside a member
                break;
            }
            z.next_in = buffer_.data();
            z.avail_in = static_cast<uInt>(got);
        }
        int r = inflate(&z, Z_NO_FLUSH);
        if (r == Z_STREAM_END) {
            // Another member may follow; anything else after the trailer is ignored.
            if (z.avail_in == 0) {
                std::size_t got = in_.read(buffer_.data(), buffer_.size());
                z.next_in = buffer_.data();
                z.avail_in = static_cast<uInt>(got);
            }
            if (z.avail_in >= 2 && z.next_in[0] == 0x1F && z.next_in[1] == 0x8B) {
                inflateReset(&z);
            } else {
                finished_ = true;
            }
        } else if (r != Z_OK && !(r == Z_BUF_ERROR && z.avail_in == 0)) {
            failed_ = true;
        }
    }
    return n - z.avail_out;
}

struct GzipSink::State {
    z_stream z {};
    bool ok = false;
};

GzipSink::GzipSink(Sink& out) : out_(out), state_(std::make_unique<State>()), buffer_(64 * 1024) {
    state_->ok = deflateInit2(&state_->z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 16 + 15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    failed_ = !state_->ok;
}

GzipSink::~GzipSink() {
    if (state_->ok) deflateEnd(&state_->z);
}

bool GzipSink::pump(int flush) {
    z_stream& z = state_->z;
    while (true) {
        z.next_out = buffer_.data();
        z.avail_out = static_cast<uInt>(buffer_.size());
        int r = deflate(&z, flush);
        if (r == Z_STREAM_ERROR) return false;
        std::size_t n = buffer_.size() - z.avail_out;
        if (n && !out_.write(buffer_.data(), n)) return false;
        if (flush == Z_FINISH ? r == Z_STREAM_END : (z.avail_in == 0 && z.avail_out != 0)) return true;
    }
}

bool GzipSink::write(const void* data, std::size_t n) {
    if (failed_) return false;
    z_stream& z = state_->z;
    z.next_in = static_cast<Bytef*>(const_cast<void*>(data));
    z.avail_in = static_cast<uInt>(n);
    failed_ = !pump(Z_NO_FLUSH);
    return !failed_;
}

bool GzipSink::finish() {
    if (failed_) return false;
    state_->z.avail_in = 0;
    failed_ = !pump(Z_FINISH);
    return !failed_;
}

}  // namespace arc

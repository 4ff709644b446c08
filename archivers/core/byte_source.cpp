#include "archivers/core/byte_source.h"

#include <cstring>

namespace arc {

std::size_t MemorySource::readAt(std::uint64_t offset, void* buffer, std::size_t n) {
    if (offset >= bytes_.size() || n == 0) return 0;
    std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(n, bytes_.size() - offset));
    std::memcpy(buffer, bytes_.data() + offset, count);
    return count;
}

namespace {

bool seekTo(std::FILE* f, std::uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(f, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

std::unique_ptr<FileSource> FileSource::open(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
#ifdef _WIN32
    bool ok = _fseeki64(f, 0, SEEK_END) == 0;
    long long end = ok ? _ftelli64(f) : -1;
#else
    bool ok = fseeko(f, 0, SEEK_END) == 0;
    long long end = ok ? static_cast<long long>(ftello(f)) : -1;
#endif
    if (end < 0) {
        std::fclose(f);
        return nullptr;
    }
    return std::unique_ptr<FileSource>(new FileSource(f, static_cast<std::uint64_t>(end)));
}

FileSource::~FileSource() { std::fclose(file_); }

std::size_t FileSource::readAt(std::uint64_t offset, void* buffer, std::size_t n) {
    if (offset >= size_) return 0;
    if (offset != position_ && !seekTo(file_, offset)) {
        position_ = ~std::uint64_t{0};
        return 0;
    }
    std::size_t got = std::fread(buffer, 1, n, file_);
    position_ = offset + got;
    return got;
}

bool Stream::readFull(void* buffer, std::size_t n) {
    auto* p = static_cast<unsigned char*>(buffer);
    while (n > 0) {
        std::size_t got = read(p, n);
        if (got == 0) return false;
        p += got;
        n -= got;
    }
    return true;
}

std::size_t SourceStream::read(void* buffer, std::size_t n) {
    if (left_ == 0 || failed_) return 0;
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(n, left_));
    std::size_t got = source_.readAt(position_, buffer, want);
    if (got == 0) failed_ = true;  // the window claims more than the source holds
    position_ += got;
    left_ -= got;
    return got;
}

}  // namespace arc

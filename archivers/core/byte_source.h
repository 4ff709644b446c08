#pragma once
// Where archive bytes come from: random access for the formats that seek,
// a plain stream for the ones read front to back.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace arc {

class Source {
public:
    virtual ~Source() = default;
    virtual std::uint64_t size() const = 0;
    // Reads up to n bytes at offset; fewer only at the end or on a read error.
    virtual std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t n) = 0;
    bool readExact(std::uint64_t offset, void* buffer, std::size_t n) {
        return offset <= size() && n <= size() - offset && readAt(offset, buffer, n) == n;
    }
};

class MemorySource final : public Source {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t n) override;

private:
    std::string_view bytes_;
};

class FileSource final : public Source {
public:
    // Null when the file cannot be opened. The name is handed to fopen as is.
    static std::unique_ptr<FileSource> open(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    std::uint64_t size() const override { return size_; }
    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t n) override;

private:
    FileSource(std::FILE* f, std::uint64_t size) : file_(f), size_(size), position_(size) {}
    std::FILE* file_;
    std::uint64_t size_;
    std::uint64_t position_;  // where the file pointer stands
};

// Front-to-back reading; 0 from read() means the end (or, with failed(), an error).
class Stream {
public:
    virtual ~Stream() = default;
    virtual std::size_t read(void* buffer, std::size_t n) = 0;
    virtual bool failed() const { return false; }
    // Reads exactly n bytes unless the stream ends first.
    bool readFull(void* buffer, std::size_t n);
};

// A window [offset, offset + length) of a source read as a stream.
class SourceStream final : public Stream {
public:
    SourceStream(Source& source, std::uint64_t offset, std::uint64_t length)
        : source_(source), position_(offset), left_(length) {}
    std::size_t read(void* buffer, std::size_t n) override;
    bool failed() const override { return failed_; }
    std::uint64_t left() const { return left_; }

private:
    Source& source_;
    std::uint64_t position_;
    std::uint64_t left_;
    bool failed_ = false;
};

// Where extracted bytes go.
class Sink {
public:
    virtual ~Sink() = default;
    virtual bool write(const void* data, std::size_t n) = 0;
};

// A sink whose bytes already written can be replaced, for headers that hold
// sizes only known after the data.
class PatchableSink : public Sink {
public:
    virtual bool patch(std::uint64_t offset, const void* data, std::size_t n) = 0;
};

}  // namespace arc

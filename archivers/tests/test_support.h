#pragma once
// Native helpers of the archiver tests: a scratch folder, the Debian tools,
// and iconv standing in for code page 932.
#include <string>
#include <string_view>
#include <cstring>
#include <vector>

#include "archivers/core/byte_source.h"
#include "archivers/core/disk.h"
#include "archivers/core/text_codec.h"

namespace arctest {

class IconvCodec final : public arc::TextCodec {
public:
    std::string utf8ToSjis(std::string_view utf8) const override;
    std::string sjisToUtf8(std::string_view sjis) const override;
};

std::string toUtf8(const std::string& sjis);
std::string toSjis(const std::string& utf8);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Runs a shell command in `directory`; its exit status.
int run(const std::string& directory, const std::string& command);
bool haveTool(const std::string& name);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, std::string_view bytes);
// Bytes that compress a little but not trivially, repeatable from a seed.
std::string sampleBytes(std::size_t size, unsigned seed);

// A disk rooted at `root` whose Shift-JIS names are UTF-8 on this system.
arc::StdioDisk utf8Disk(const std::string& root);

class StringSink final : public arc::Sink {
public:
    bool write(const void* data, std::size_t n) override {
        bytes.append(static_cast<const char*>(data), n);
        return true;
    }
    std::string bytes;
};

}  // namespace arctest

namespace arctest {

// A small tree of awkward files (Japanese names with 0x5C trail bytes, a
// blank, an empty file, a long run, nested folders) below root, UTF-8 names.
void makeSampleTree(const std::string& root);
// Every file below `expected` exists below `actual` with the same bytes.
// With `sjisNames`, the names below `actual` are Shift-JIS bytes, as a tool
// that keeps an archive's names unconverted writes them.
void expectSameFiles(const std::string& expected, const std::string& actual, bool sjisNames = false);
// Opens an archive file and extracts everything into a folder through a UTF-8 disk.
struct Extracted {
    int code = -1;
    int extracted = 0;
    std::string log;
};
enum class Format { Zip, Tar, Lzh, Rar };
Extracted extractArchive(Format format, const std::string& archive, const std::string& target);

}  // namespace arctest

namespace arctest {

enum class Packer { Zip, TarGz, Lh5, Lh6, Lh7 };
// Packs `names` (relative to root, the current directory of the packing run)
// into root/archive, recursively. The packing result code.
int packTree(Packer packer, const std::string& root, const std::vector<std::string>& names, const std::string& archive);

}  // namespace arctest

namespace arctest {

class MemoryStream final : public arc::Stream {
public:
    explicit MemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t read(void* buffer, std::size_t n) override {
        std::size_t k = std::min(n, bytes_.size() - pos_);
        std::memcpy(buffer, bytes_.data() + pos_, k);
        pos_ += k;
        return k;
    }

private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

}  // namespace arctest

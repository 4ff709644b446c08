#include "archivers/tests/test_support.h"

#include "archivers/core/member_path.h"

#include <iconv.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace arctest {
namespace {

// Converts with iconv; a character the target cannot hold becomes "_".
std::string convert(const char* to, const char* from, std::string_view in, bool strict) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out;
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
        char buf[256];
        char* dst = buf;
        std::size_t room = sizeof buf;
        std::size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buf, dst - buf);
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            if (strict) {
                out.clear();
                break;
            }
            // Skip one whole UTF-8 character.
            std::size_t step = 1;
            while (step < left && (static_cast<unsigned char>(src[step]) & 0xC0) == 0x80) ++step;
            src += step;
            left -= step;
            out += '_';
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string IconvCodec::utf8ToSjis(std::string_view utf8) const { return convert("CP932", "UTF-8", utf8, false); }
std::string IconvCodec::sjisToUtf8(std::string_view sjis) const { return convert("UTF-8", "CP932", sjis, true); }

std::string toUtf8(const std::string& sjis) { return IconvCodec().sjisToUtf8(sjis); }
std::string toSjis(const std::string& utf8) { return IconvCodec().utf8ToSjis(utf8); }

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "arctest-XXXXXX").string();
    if (char* p = mkdtemp(pattern.data())) path_ = p;
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

int run(const std::string& directory, const std::string& command) {
    std::string line = "cd '" + directory + "' && (" + command + ") >/dev/null 2>&1";
    int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool haveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string sampleBytes(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    static const char* words[] = {"alpha ", "beta ", "gamma ", "表示 ", "ソフト ", "\n", "0123456789", "\x01\xFF"};
    std::string out;
    while (out.size() < size) {
        if (rng() % 5 == 0) {
            out += static_cast<char>(rng() & 0xFF);
        } else {
            out += words[rng() % 8];
        }
    }
    out.resize(size);
    return out;
}

arc::StdioDisk utf8Disk(const std::string& root) {
    return arc::StdioDisk(
        // "\" is a separator on the platform, a plain character here.
        root, [](const std::string& s) { auto u = toUtf8(arc::forwardSlashes(s)); return u.empty() && !s.empty() ? s : u; },
        [](const std::string& s) { auto j = toSjis(s); return j; });
}

}  // namespace arctest

#include <gtest/gtest.h>

#include "archivers/core/extract_run.h"
#include "archivers/core/lzh_reader.h"
#include "archivers/core/rar_reader.h"
#include "archivers/core/tar_reader.h"
#include "archivers/core/zip_reader.h"

namespace arctest {

void makeSampleTree(const std::string& root) {
    writeFile(root + "/a.txt", sampleBytes(100000, 1));
    writeFile(root + "/empty.txt", "");
    writeFile(root + "/blank name.txt", "blank\n");
    writeFile(root + "/表示/ソフト.bin", sampleBytes(70000, 2));
    writeFile(root + "/表示/sub/run.dat", std::string(50000, 'a') + sampleBytes(3000, 3) + std::string(700, '\0'));
    std::filesystem::create_directories(root + "/emptydir");
}

void expectSameFiles(const std::string& expected, const std::string& actual, bool sjisNames) {
    int files = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(expected)) {
        auto rel = std::filesystem::relative(e.path(), expected).string();
        auto other = std::filesystem::path(actual) / (sjisNames ? toSjis(rel) : rel);
        if (e.is_directory()) {
            EXPECT_TRUE(std::filesystem::is_directory(other)) << rel;
            continue;
        }
        ++files;
        ASSERT_TRUE(std::filesystem::exists(other)) << rel;
        EXPECT_TRUE(readFile(e.path().string()) == readFile(other.string())) << rel;
    }
    EXPECT_GT(files, 0);
}

Extracted extractArchive(Format format, const std::string& archive, const std::string& target) {
    Extracted out;
    auto source = arc::FileSource::open(archive);
    if (!source) return out;
    IconvCodec codec;
    std::unique_ptr<arc::ArchiveReader> reader;
    switch (format) {
    case Format::Zip: reader = std::make_unique<arc::ZipReader>(*source, codec); break;
    case Format::Tar: reader = std::make_unique<arc::TarReader>(*source, codec); break;
    case Format::Lzh: reader = std::make_unique<arc::LzhReader>(*source); break;
    case Format::Rar: reader = std::make_unique<arc::RarReader>(*source, codec); break;
    }
    auto disk = utf8Disk(target);
    auto r = arc::extractMembers(*reader, disk, {}, out.log);
    out.code = r.code;
    out.extracted = r.extracted;
    return out;
}

}  // namespace arctest

#include "archivers/core/gzip_stream.h"
#include "archivers/core/lzh_writer.h"
#include "archivers/core/pack_run.h"
#include "archivers/core/tar_writer.h"
#include "archivers/core/zip_writer.h"

namespace arctest {

int packTree(Packer packer, const std::string& root, const std::vector<std::string>& names, const std::string& archive) {
    auto disk = utf8Disk(root);
    auto file = disk.create(archive);
    if (!file) return -1;
    IconvCodec codec;
    arc::PackOptions options;
    options.names = names;
    options.recursive = true;
    options.archive = archive;
    std::string log;
    int code = 0;
    switch (packer) {
    case Packer::Zip: {
        arc::ZipWriter w(*file);
        code = arc::packFiles(w, disk, options, log).code;
        break;
    }
    case Packer::TarGz: {
        arc::GzipSink gz(*file);
        arc::TarWriter w(gz, codec);
        code = arc::packFiles(w, disk, options, log).code;
        if (!gz.finish() && code == 0) code = -2;
        break;
    }
    case Packer::Lh5: case Packer::Lh6: case Packer::Lh7: {
        arc::LzhWriter w(*file, packer == Packer::Lh5 ? 13 : packer == Packer::Lh6 ? 15 : 16);
        code = arc::packFiles(w, disk, options, log).code;
        break;
    }
    }
    if (!file->commit(true, 0, 0) && code == 0) code = -3;
    return code;
}

}  // namespace arctest

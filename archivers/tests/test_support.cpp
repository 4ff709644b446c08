#include "archivers/tests/test_support.h"

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
    std::string line = "cd '" + directory + "' && " + command + " >/dev/null 2>&1";
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
        root, [](const std::string& s) { auto u = toUtf8(s); return u.empty() && !s.empty() ? s : u; },
        [](const std::string& s) { auto j = toSjis(s); return j; });
}

}  // namespace arctest

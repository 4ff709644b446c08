#include "archivers/core/pack_run.h"

#include "archivers/core/error_code.h"
#include "archivers/core/member_path.h"

namespace arc {
namespace {

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string slashes(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            out += s[i];
            out += s[++i];
        } else {
            out += s[i] == '\\' ? '/' : s[i];
        }
    }
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    while (out.size() >= 2 && out[0] == '.' && out[1] == '/') out.erase(0, 2);
    return out;
}

// The name a disk path gets inside the archive: the path itself when it stays
// below the current directory, else its last part.
std::string storedName(const std::string& path) {
    if (auto safe = safeMemberPath(path)) return *safe;
    auto slash = path.rfind('/');
    auto tail = safeMemberPath(slash == std::string::npos ? path : path.substr(slash + 1));
    return tail ? *tail : std::string("_");
}

class Packer {
public:
    Packer(ArchiveWriter& w, Disk& d, const PackOptions& o, std::string& log) : w_(w), d_(d), o_(o), log_(log) {}

    void addPath(const std::string& path, const DiskEntry& e) {
        // The archive itself, and its unfinished bytes under the temporary name.
        if (path == o_.archive || path.rfind(o_.archive + ".part", 0) == 0) return;
        Member m;
        m.name = storedName(path);
        m.dosDate = e.dosDate;
        m.dosTime = e.dosTime;
        m.originalSize = e.size;
        m.isDirectory = e.isDirectory;
        m.attributes = e.isDirectory ? 0x10 : 0x20;
        if (e.isDirectory) {
            note(w_.addDirectory(m), path);
            if (o_.recursive) addContents(path, "*");
            return;
        }
        auto source = d_.openRead(path);
        if (!source) {
            keepFirst(result.code, kErrorFileOpen);
            log_ += "cannot open: " + path + "\n";
            return;
        }
        SourceStream stream(*source, 0, source->size());
        m.originalSize = source->size();
        note(w_.addFile(m, stream), path);
    }

    void addContents(const std::string& directory, const std::string& pattern) {
        for (const auto& e : d_.list(directory)) {
            if (!wildcardMatch(pattern, e.name)) continue;
            if (e.isDirectory && !o_.recursive) continue;
            addPath(directory.empty() ? e.name : directory + "/" + e.name, e);
        }
    }

    PackResult result;

private:
    void note(int code, const std::string& path) {
        if (code == kOk) {
            ++result.packed;
            log_ += "packed: " + path + "\n";
        } else {
            keepFirst(result.code, code);
            log_ += "failed (" + std::to_string(code) + "): " + path + "\n";
        }
    }
    ArchiveWriter& w_;
    Disk& d_;
    const PackOptions& o_;
    std::string& log_;
};

}  // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*" || pattern == "*.*") return true;
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

PackResult packFiles(ArchiveWriter& writer, Disk& disk, const PackOptions& options, std::string& log) {
    Packer packer(writer, disk, options, log);
    for (const auto& raw : options.names) {
        std::string path = slashes(raw);
        auto slash = path.rfind('/');
        std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
        if (last.find_first_of("*?") != std::string::npos) {
            std::string directory = slash == std::string::npos ? "" : path.substr(0, slash);
            if (!directory.empty() && (last == "*" || last == "*.*")) {
                if (auto d = disk.entry(directory); d && d->isDirectory && options.recursive) {
                    // "dir\*.*" with recursion packs the directory itself with its contents.
                    packer.addPath(directory, *d);
                    continue;
                }
            }
            packer.addContents(directory, last);
            continue;
        }
        auto e = disk.entry(path);
        if (!e) {
            keepFirst(packer.result.code, kErrorNotExist);
            log += "not found: " + path + "\n";
            continue;
        }
        packer.addPath(path, *e);
    }
    if (int code = writer.finish(); code != kOk) keepFirst(packer.result.code, code);
    return packer.result;
}

}  // namespace arc

#include "archivers/core/disk.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <ctime>
#include <utility>
#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <sys/utime.h>
#else
#include <unistd.h>
#include <utime.h>
#endif

namespace arc {
namespace {

bool makeOne(const std::string& native) {
#ifdef _WIN32
    return _mkdir(native.c_str()) == 0;
#else
    return ::mkdir(native.c_str(), 0777) == 0;
#endif
}

// What a path names on disk. On Windows the runtime's stat takes a last trail
// byte 0x5C (表, ソ) for a trailing separator and fails on such a name, so the
// find functions, which take the name as the system does, come first there.
struct Found {
    bool directory = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // Unix time
};

std::optional<Found> lookUp(const std::string& native) {
#ifdef _WIN32
    struct __finddata64_t data {};
    intptr_t find = _findfirst64(native.c_str(), &data);
    if (find != -1) {
        _findclose(find);
        return Found{(data.attrib & _A_SUBDIR) != 0, static_cast<std::uint64_t>(data.size),
                     static_cast<std::int64_t>(data.time_write)};
    }
    // A drive root has no entry of its own to find.
#endif
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0) return std::nullopt;
    return Found{S_ISDIR(st.st_mode), static_cast<std::uint64_t>(st.st_size),
                 static_cast<std::int64_t>(st.st_mtime)};
}

bool isDirectory(const std::string& native) {
    auto found = lookUp(native);
    return found && found->directory;
}

class StdioOutputFile final : public OutputFile {
public:
    StdioOutputFile(std::FILE* f, std::string temp, std::string target)
        : file_(f), temp_(std::move(temp)), target_(std::move(target)) {}
    ~StdioOutputFile() override {
        if (file_) std::fclose(file_);
        if (!committed_) std::remove(temp_.c_str());
    }
    bool write(const void* data, std::size_t n) override {
        return file_ && std::fwrite(data, 1, n, file_) == n;
    }
    bool patch(std::uint64_t offset, const void* data, std::size_t n) override {
        if (!file_) return false;
#ifdef _WIN32
        bool ok = _fseeki64(file_, static_cast<long long>(offset), SEEK_SET) == 0;
#else
        bool ok = fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
        ok = ok && std::fwrite(data, 1, n, file_) == n;
        return std::fseek(file_, 0, SEEK_END) == 0 && ok;
    }
    bool commit(bool overwrite, std::uint16_t dosDate, std::uint16_t dosTime) override {
        if (!file_) return false;
        bool flushed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!flushed) return false;
        const auto existing = lookUp(target_);
        const bool taken = existing.has_value();
        if (taken && (!overwrite || existing->directory)) return false;
        if (dosDate != 0) {
            std::int64_t t = unixFromDos(dosDate, dosTime);
#ifdef _WIN32
            struct _utimbuf times {static_cast<time_t>(t), static_cast<time_t>(t)};
            _utime(temp_.c_str(), &times);
#else
            struct utimbuf times {static_cast<time_t>(t), static_cast<time_t>(t)};
            ::utime(temp_.c_str(), &times);
#endif
        }
#ifdef _WIN32
        // rename() will not replace on this platform; the new bytes are whole by now.
        if (taken) std::remove(target_.c_str());
#endif
        committed_ = std::rename(temp_.c_str(), target_.c_str()) == 0;
        return committed_;
    }

private:
    std::FILE* file_;
    std::string temp_;
    std::string target_;
    bool committed_ = false;
};

}  // namespace

StdioDisk::StdioDisk(std::string root, Convert toNative, Convert fromNative)
    : root_(std::move(root)), toNative_(std::move(toNative)), fromNative_(std::move(fromNative)) {
    if (!root_.empty() && root_.back() != '/' && root_.back() != '\\') root_ += '/';
}

std::string StdioDisk::nativePath(const std::string& path) const {
    std::string converted = toNative_ ? toNative_(path) : path;
    bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\' || (path.size() >= 2 && path[1] == ':'));
    return absolute ? converted : root_ + converted;
}

bool StdioDisk::makeDirectories(const std::string& path) {
    std::size_t pos = 0;
    while (true) {
        std::size_t slash = path.find('/', pos);
        std::string native = nativePath(path.substr(0, slash));
        if (!isDirectory(native) && !makeOne(native) && !isDirectory(native)) return false;
        if (slash == std::string::npos) return true;
        pos = slash + 1;
    }
}

bool StdioDisk::exists(const std::string& path) { return lookUp(nativePath(path)).has_value(); }

std::unique_ptr<OutputFile> StdioDisk::create(const std::string& path) {
    std::string target = nativePath(path);
    for (int i = 0; i < 100; ++i) {
        std::string temp = target + ".part" + std::to_string(i);
        if (lookUp(temp)) continue;
        #ifdef _WIN32
        std::FILE* f = std::fopen(temp.c_str(), "wb");
#else
        std::FILE* f = std::fopen(temp.c_str(), "wbx");
#endif
        if (f) return std::make_unique<StdioOutputFile>(f, temp, target);
    }
    return nullptr;
}

std::unique_ptr<Source> StdioDisk::openRead(const std::string& path) {
    return FileSource::open(nativePath(path));
}

std::optional<DiskEntry> StdioDisk::entry(const std::string& path) {
    auto found = lookUp(nativePath(path));
    if (!found) return std::nullopt;
    DiskEntry e;
    e.name = path;
    e.isDirectory = found->directory;
    e.size = e.isDirectory ? 0 : found->size;
    dosFromUnix(found->modified, e.dosDate, e.dosTime);
    return e;
}

std::vector<DiskEntry> StdioDisk::list(const std::string& directory) {
    std::vector<DiskEntry> out;
    std::string native = nativePath(directory);
    auto take = [&](const std::string& name) {
        if (name == "." || name == "..") return;
        std::string sjis = fromNative_ ? fromNative_(name) : name;
        auto found = entry(directory.empty() ? sjis : directory + "/" + sjis);
        if (!found) return;
        found->name = sjis;
        out.push_back(*found);
    };
#ifdef _WIN32
    // The runtime's opendir takes a last trail byte 0x5C for the separator and
    // lists the folder itself instead of what is in it; the pattern is made here.
    struct __finddata64_t data {};
    const std::string pattern = native.empty() ? std::string("*") : native + "\\*";
    intptr_t find = _findfirst64(pattern.c_str(), &data);
    if (find == -1) return out;
    do take(data.name);
    while (_findnext64(find, &data) == 0);
    _findclose(find);
#else
    DIR* d = ::opendir(native.empty() ? "." : native.c_str());
    if (!d) return out;
    while (dirent* e = ::readdir(d)) take(e->d_name);
    ::closedir(d);
#endif
    return out;
}

void dosFromUnix(std::int64_t unixTime, std::uint16_t& date, std::uint16_t& time) {
    std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm tm {};
#ifdef _WIN32
    bool ok = localtime_s(&tm, &t) == 0;
#else
    bool ok = localtime_r(&t, &tm) != nullptr;
#endif
    if (!ok || tm.tm_year < 80) {
        date = (1 << 5) | 1;  // 1980-01-01, the earliest the form holds
        time = 0;
        return;
    }
    if (tm.tm_year > 207) tm.tm_year = 207;
    date = static_cast<std::uint16_t>(((tm.tm_year - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
    time = static_cast<std::uint16_t>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
}

std::int64_t unixFromDos(std::uint16_t date, std::uint16_t time) {
    std::tm tm {};
    tm.tm_year = ((date >> 9) & 0x7F) + 80;
    tm.tm_mon = ((date >> 5) & 0x0F) - 1;
    tm.tm_mday = date & 0x1F;
    tm.tm_hour = (time >> 11) & 0x1F;
    tm.tm_min = (time >> 5) & 0x3F;
    tm.tm_sec = (time & 0x1F) * 2;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    return t == static_cast<std::time_t>(-1) ? 0 : static_cast<std::int64_t>(t);
}

}  // namespace arc

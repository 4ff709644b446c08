#include "panes/listing_loader.h"

#include <cctype>
#include <utility>

#include "base/path.h"
#include "base/sjis.h"

namespace {

const char* const AllFiles = "*.*";

bool hasChar(std::string_view s, char c) { return sjis::findLastChar(s, c) != std::string_view::npos; }

bool endsWithChar(std::string_view s, char c) {
    return !s.empty() && sjis::findLastChar(s, c) == s.size() - 1;
}

bool isDriveLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// "X:\*.*": an empty drive finds nothing, which is no failure.
bool isDriveRootSearch(std::string_view search) {
    return search.size() >= 4 && search[1] == ':' && search[2] == '\\' && search[3] == '*';
}

bool isDriveRoot(std::string_view path) {
    return path.size() == 3 && isDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

bool isRelativeFtpPath(std::string_view p) {
    return !p.empty() && p[0] != '|' && p[0] != '/' && !hasChar(p, '\\') &&
           !(p.size() >= 2 && p[1] == '/');
}

bool isRelativeArchivePath(std::string_view p) {
    return !p.empty() && p[0] != '\\' && p[0] != '|' && !(p.size() >= 2 && p[1] == ':');
}

std::string appendWith(const std::string& folder, char separator, const std::string& relative) {
    if (folder.empty() || endsWithChar(folder, separator)) return folder + relative;
    return folder + separator + relative;
}

std::string resolveRelative(const std::string& path, const std::string& currentPath,
                            ListingSource currentSource) {
    if (currentSource == SourceFtp && isRelativeFtpPath(path)) {
        return appendWith(currentPath, '/', path);
    }
    if (currentSource == SourceArchive && isRelativeArchivePath(path)) {
        if (endsWithChar(currentPath, '>')) return currentPath + path;
        return appendWith(currentPath, '\\', path);
    }
    return path;
}

bool readWith(ListingReader* reader, const std::string& path, FileList& into) {
    return reader != nullptr && reader->read(path, into);
}

}  // namespace

int readDirectory(FileSystem& fs, const ExtTable& table, const std::string& directory,
                  FileList& list, const MaskFilter* mask) {
    list.clear();
    const std::string search = joinPath(directory, AllFiles);
    const bool found = fs.find(search, [&](const FileEntry& record) {
        std::string_view name = record.name();
        if (name == ".") return;
        std::size_t dot = sjis::findLastChar(name, '.');
        std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
        if (!table.isVisible(ext, record.dwFileAttributes)) return;
        if (mask && !mask->passes(record)) return;
        FileEntry& added = list.append(record);
        if (added.marked) list.setMark(list.count() - 1, false);
        added.kind = EntryFile;
    });
    if (!found) return isDriveRootSearch(search) ? 0 : -1;
    return static_cast<int>(list.count());
}

bool isDirectory(FileSystem& fs, const std::string& path) {
    if (path.empty() || path.starts_with("//")) return false;
    FileEntry first{};
    if (fs.findFirst(path, first)) return first.isDirectory();
    const std::string search = endsWithChar(path, '\\') ? path + AllFiles : path + '\\' + AllFiles;
    if (fs.findFirst(search, first)) return true;
    return isDriveRoot(path);
}

bool ListingLoader::load(const std::string& path, const std::string& currentPath,
                         ListingSource currentSource, FileList& raw, Result& result) {
    const std::string target =
        path.empty() ? currentPath : resolveRelative(path, currentPath, currentSource);
    FileList read;
    result.masked = false;
    auto accept = [&](ListingSource source) {
        raw = std::move(read);
        result.path = target;
        result.source = source;
        return true;
    };

    if (isFtpPath(target)) {
        if (!isArchivePath(target)) {
            if (!readWith(ftp_, target, read)) return false;
            accept(SourceFtp);
            if (!ftp_->listedPath().empty()) result.path = ftp_->listedPath();
            return true;
        }
        return readWith(archive_, target, read) && accept(SourceArchive);
    }
    if (isDirectory(fs_, target) && readDirectory(fs_, table_, target, read, mask_) >= 0) {
        fs_.setCurrentDirectory(target);
        result.masked = mask_ != nullptr;
        return accept(SourceLocal);
    }
    read.clear();
    if (!isArchivePath(target) && currentSource != SourceArchive &&
        readWith(network_, target, read)) {
        return accept(SourceNetwork);
    }
    read.clear();
    return readWith(archive_, target, read) && accept(SourceArchive);
}

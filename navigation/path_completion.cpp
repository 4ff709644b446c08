#include "navigation/path_completion.h"

#include "base/name_pattern.h"
#include "base/sjis.h"
#include "panes/listing_loader.h"

namespace {

char keyLetter(std::string_view setting, char fallback) {
    if (setting.empty()) return fallback;
    char c = sjis::toUpperAscii(setting.substr(0, 1))[0];
    return (c >= 'A' && c <= 'Z') ? c : fallback;
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool wanted(const CompletionCandidate& c, CompletionKind kind) {
    if (c.name == "." || c.name == "..") return false;
    switch (kind) {
    case CompletionKind::Directories: return c.directory;
    case CompletionKind::Files: return !c.directory;
    case CompletionKind::Both: return true;
    }
    return false;
}

}  // namespace

void PathCompletion::setKeys(std::string_view directoryKey, std::string_view fileKey) {
    directoryKey_ = keyLetter(directoryKey, 'D');
    fileKey_ = keyLetter(fileKey, 'F');
}

std::optional<CompletionKind> PathCompletion::kindFor(char letter) const {
    letter = upper(letter);
    const bool dir = letter == directoryKey_, file = letter == fileKey_;
    if (dir && file) return CompletionKind::Both;
    if (dir) return CompletionKind::Directories;
    if (file) return CompletionKind::Files;
    return std::nullopt;
}

void PathCompletion::typed(std::string_view fieldText) {
    const std::size_t slash = sjis::findLastChar(fieldText, '\\');
    namePart_ = std::string(slash == std::string_view::npos ? fieldText : fieldText.substr(slash + 1));
    last_.reset();
}

void PathCompletion::forget() {
    cached_ = false;
    cache_.clear();
    last_.reset();
}

std::optional<std::string> PathCompletion::complete(std::string_view fieldText,
                                                    CompletionKind kind, bool backwards) {
    if (fieldText.size() < 2 || fieldText[1] != ':') return std::nullopt;
    const std::size_t slash = sjis::findLastChar(fieldText, '\\');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string directory(fieldText.substr(0, slash + 1));
    if (!cached_ || directory != cachedDirectory_) {
        cache_ = source_(directory);
        cachedDirectory_ = directory;
        cached_ = true;
        last_.reset();
    }
    const std::size_t n = cache_.size();
    if (n == 0) return std::nullopt;
    const NamePattern pattern(namePart_ + "*");
    // Before any completion the walk starts at the first (or, backwards, the
    // last) entry itself; afterwards next to the last one taken.
    std::size_t start;
    if (last_) {
        start = backwards ? (*last_ + n - 1) % n : (*last_ + 1) % n;
    } else {
        start = backwards ? n - 1 : 0;
    }
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = backwards ? (start + n - k) % n : (start + k) % n;
        if (wanted(cache_[i], kind) && pattern.matches(cache_[i].name)) {
            last_ = i;
            return directory + cache_[i].name;
        }
    }
    return std::nullopt;
}

PathCompletion::Source completionSource(FileSystem& fs, const ExtTable& table) {
    return [&fs, &table](const std::string& directory) {
        std::vector<CompletionCandidate> out;
        FileList list;
        if (readDirectory(fs, table, directory, list) < 0) return out;
        out.reserve(list.count());
        for (const FileEntry& e : list.entries()) out.push_back({std::string(e.name()), e.isDirectory()});
        return out;
    };
}

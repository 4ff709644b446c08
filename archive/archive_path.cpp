#include "archive/archive_path.h"

#include "archive/archive_type.h"
#include "base/sjis.h"

namespace {

bool endsWithSeparator(std::string_view s) {
    if (s.empty()) return false;
    const std::size_t back = sjis::findLastChar(s, '\\');
    const std::size_t slash = sjis::findLastChar(s, '/');
    return back == s.size() - 1 || slash == s.size() - 1;
}

// A last part such as "dir/x.zip" names an archive rather than a folder.
bool namesArchive(std::string_view part) {
    return !part.empty() && !endsWithSeparator(part) && isBrowsableType(archiveTypeOf(part));
}

}  // namespace

std::vector<std::size_t> charPositions(std::string_view text, char c) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < text.size(); i += sjis::charLength(text, i))
        if (text[i] == c && sjis::charLength(text, i) == 1) found.push_back(i);
    return found;
}

ArchivePathParts splitArchivePath(std::string_view path) {
    if (!path.empty() && path.front() == '"') path.remove_prefix(1);
    ArchivePathParts parts;
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at : charPositions(path, '>')) {
        pieces.emplace_back(path.substr(start, at - start));
        start = at + 1;
    }
    pieces.emplace_back(path.substr(start));
    parts.archiveFile = pieces.front();
    if (pieces.size() == 1) return parts;
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i) parts.nested.push_back(pieces[i]);
    if (namesArchive(pieces.back()))
        parts.nested.push_back(pieces.back());
    else
        parts.inside = pieces.back();
    return parts;
}

std::string normaliseInsidePath(std::string_view inside) {
    std::string out(inside);
    if (!out.empty() && !endsWithSeparator(out)) out += '/';
    for (std::size_t at : charPositions(out, '\\')) out[at] = '/';
    return out;
}

std::string shownArchivePath(std::string_view path) {
    std::string shown(path);
    if (shown.empty() || shown.back() == '>') return shown;
    const std::vector<std::size_t> marks = charPositions(shown, '>');
    if (marks.empty() || namesArchive(std::string_view(shown).substr(marks.back() + 1)))
        shown += '>';
    return shown;
}

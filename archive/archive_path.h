#pragma once
// Archive paths: "C:\d\outer.lzh>dir/inner.zip>sub/". The part before the
// first ">" is a file on disk; every later part up to a ">" is an archive
// inside the one before; what follows the last ">" is the folder inside.
#include <string>
#include <string_view>
#include <vector>

struct ArchivePathParts {
    std::string archiveFile;          // on disk (a leading double quote removed)
    std::vector<std::string> nested;  // inner archives, each a path inside the one before
    std::string inside;               // the folder (or entry) inside the innermost archive
};

// A path whose last part names a browsable archive by its extension
// ("a.lzh>x.zip") means that archive's top level.
ArchivePathParts splitArchivePath(std::string_view path);

// The folder prefix entries are matched against: "" for the top level, else
// ending in "/" with every "\" made "/".
std::string normaliseInsidePath(std::string_view inside);

// The path a loaded archive listing shows: an archive file or an inner
// archive named last gets its ">".
std::string shownArchivePath(std::string_view path);

// Position of every single-byte c (trail bytes skipped).
std::vector<std::size_t> charPositions(std::string_view text, char c);

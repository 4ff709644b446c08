#pragma once
// Ctrl + a letter in a path field completes the typed name from the entries
// of its directory; Shift steps backwards through the candidates.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class FileSystem;
class ExtTable;

struct CompletionCandidate {
    std::string name;
    bool directory = false;
};

enum class CompletionKind { Directories, Files, Both };

class PathCompletion {
public:
    // The listed entries of a directory ("C:\dir\"), in listing order; an
    // unreadable directory gives none.
    using Source = std::function<std::vector<CompletionCandidate>(const std::string& directory)>;

    explicit PathCompletion(Source source) : source_(std::move(source)) {}

    // The settings' letters; anything but a letter falls back to "D" and "F".
    void setKeys(std::string_view directoryKey, std::string_view fileKey);
    // What Ctrl + letter completes, or nullopt when the letter is neither key.
    std::optional<CompletionKind> kindFor(char letter) const;

    // Every typed character: the text after the last "\" becomes the name
    // part, and completion starts afresh.
    void typed(std::string_view fieldText);
    // The new field text (directory part + candidate), or nullopt when the
    // field names no drive path or nothing fits.
    std::optional<std::string> complete(std::string_view fieldText, CompletionKind kind,
                                        bool backwards);
    // Drops the cached entries, so the next completion reads the directory again.
    void forget();

private:
    Source source_;
    char directoryKey_ = 'D';
    char fileKey_ = 'F';
    std::string namePart_;
    std::string cachedDirectory_;
    bool cached_ = false;
    std::vector<CompletionCandidate> cache_;
    std::optional<std::size_t> last_;  // index of the last completion
};

// The listing reader's entries of a directory ("." and colour-hidden ones
// left out), for the program's completion source.
PathCompletion::Source completionSource(FileSystem& fs, const ExtTable& table);

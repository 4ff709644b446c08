#include "panes/listing_sort.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"

namespace {

constexpr long long DirectoryTerm = 50'000'000;
constexpr long long TagTerm = 10'000'000;
constexpr uint64_t TicksPerSecond = 10'000'000;
// Beyond this a weight would overflow the sum; such priorities mean nothing.
constexpr int MaxPriority = 40;

struct Weights {
    long long name, ext, time, attr, size;
    bool tagFile;
};

// What the comparison needs of one entry, worked out once per entry. Names
// are kept folded, so comparing them is a plain byte comparison.
struct SortKey {
    std::string_view name;
    std::string_view ext;
    uint64_t seconds;
    uint64_t size;
    uint32_t attributes;
    bool directory;
    bool dotDot;
    bool marked;
};

std::string_view extensionView(std::string_view name) {
    std::size_t dot = sjis::findLastChar(name, '.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

SortKey keyOf(const FileEntry& e, std::string_view foldedName) {
    SortKey k;
    k.name = foldedName;
    k.ext = extensionView(foldedName);
    k.seconds = e.ftLastWriteTime.value() / TicksPerSecond;
    k.size = e.size();
    k.attributes = e.dwFileAttributes;
    k.directory = e.isDirectory();
    k.dotDot = k.directory && foldedName.starts_with("..");
    k.marked = e.marked != 0;
    return k;
}

// All names folded into one buffer; the keys point into it.
class SortKeyTable {
public:
    explicit SortKeyTable(const std::vector<FileEntry>& entries) {
        std::vector<std::size_t> ends;
        ends.reserve(entries.size());
        for (const FileEntry& e : entries) {
            folded_ += sjis::toLowerAscii(e.name());
            ends.push_back(folded_.size());
        }
        keys_.reserve(entries.size());
        std::size_t start = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            std::string_view name(folded_.data() + start, ends[i] - start);
            keys_.push_back(keyOf(entries[i], name));
            start = ends[i];
        }
    }
    const SortKey& operator[](std::size_t i) const { return keys_[i]; }

private:
    std::string folded_;
    std::vector<SortKey> keys_;
};

Weights weightsOf(const SortKeys& keys) {
    return {sortWeight(keys.fileName), sortWeight(keys.extension), sortWeight(keys.time),
            sortWeight(keys.attribute), sortWeight(keys.size), keys.tagFile};
}

template <class T>
long long sign(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

long long signOf(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

long long compareKeys(const SortKey& a, const SortKey& b, const Weights& w) {
    if (a.dotDot || b.dotDot) return a.dotDot == b.dotDot ? 0 : (a.dotDot ? -1 : 1);
    long long r = 0;
    if (b.directory) r += DirectoryTerm;
    if (a.directory) r -= DirectoryTerm;
    if (w.name != 0) r += w.name * signOf(a.name.compare(b.name));
    if (w.ext != 0) r += w.ext * signOf(a.ext.compare(b.ext));
    r += w.time * sign(a.seconds, b.seconds);
    r += w.attr * sign(a.attributes, b.attributes);
    r += w.size * sign(a.size, b.size);
    if (w.tagFile) {
        if (a.marked) r -= TagTerm;
        if (b.marked) r += TagTerm;
    }
    return r;
}

}  // namespace

long long sortWeight(const SortItem& item) {
    if (!item.on || item.priority == 0) return 0;
    int magnitude = std::min(item.priority < 0 ? -item.priority : item.priority, MaxPriority);
    long long w = 1LL << magnitude;
    return (item.priority < 0) != item.down ? -w : w;
}

long long compareEntries(const FileEntry& a, const FileEntry& b, const SortKeys& keys) {
    const std::string foldedA = sjis::toLowerAscii(a.name());
    const std::string foldedB = sjis::toLowerAscii(b.name());
    return compareKeys(keyOf(a, foldedA), keyOf(b, foldedB), weightsOf(keys));
}

// The weighted sum is not a strict weak ordering when items share a priority,
// so the sort must be one that stays in bounds whatever the comparison says:
// a merge sort over indices, leaving the large records in place until the end.
void sortListing(FileList& list, const SortKeys& keys) {
    const Weights w = weightsOf(keys);
    if (w.name == 0 && w.ext == 0 && w.time == 0 && w.attr == 0 && w.size == 0 && !w.tagFile) {
        return;
    }
    const SortKeyTable sortKeys(list.entries());
    std::vector<std::size_t> order(list.count());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return compareKeys(sortKeys[a], sortKeys[b], w) < 0;
    });
    list.reorder(order);
}

#include "panes/listing_sort.h"

#include <algorithm>
#include <cstdlib>
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
    uint32_t index;
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
    k.index = 0;
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
            keys_.back().index = static_cast<uint32_t>(i);
            start = ends[i];
        }
    }
    const SortKey& operator[](std::size_t i) const { return keys_[i]; }
    std::vector<SortKey>& keys() { return keys_; }

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

enum class Item { Name, Ext, Time, Attr, Size };

struct Step {
    Item item;
    long long weight;
};

long long itemSign(const SortKey& a, const SortKey& b, Item item) {
    switch (item) {
    case Item::Name: return signOf(a.name.compare(b.name));
    case Item::Ext: return signOf(a.ext.compare(b.ext));
    case Item::Time: return sign(a.seconds, b.seconds);
    case Item::Attr: return sign(a.attributes, b.attributes);
    case Item::Size: return sign(a.size, b.size);
    }
    return 0;
}

// Up to this priority every weight is below the tag term and the keys together
// stay below it; with distinct priorities the largest weight then decides
// alone, so comparing item by item gives the sign of the sum without adding.
constexpr int LexicographicMaxPriority = 20;

bool lexicographicSteps(const SortKeys& keys, std::vector<Step>& steps) {
    const std::pair<Item, const SortItem*> items[] = {{Item::Name, &keys.fileName},
                                                      {Item::Ext, &keys.extension},
                                                      {Item::Time, &keys.time},
                                                      {Item::Attr, &keys.attribute},
                                                      {Item::Size, &keys.size}};
    steps.clear();
    for (const auto& [item, sortItem] : items) {
        long long w = sortWeight(*sortItem);
        if (w == 0) continue;
        if (std::abs(sortItem->priority) > LexicographicMaxPriority) return false;
        for (const Step& other : steps)
            if (std::llabs(other.weight) == std::llabs(w)) return false;
        steps.push_back({item, w});
    }
    std::sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) {
        return std::llabs(a.weight) > std::llabs(b.weight);
    });
    return true;
}

long long compareInSteps(const SortKey& a, const SortKey& b, const std::vector<Step>& steps,
                         bool tagFile) {
    if (a.dotDot || b.dotDot) return a.dotDot == b.dotDot ? 0 : (a.dotDot ? -1 : 1);
    if (a.directory != b.directory) return a.directory ? -1 : 1;
    if (tagFile && a.marked != b.marked) return a.marked ? -1 : 1;
    for (const Step& step : steps) {
        long long s = itemSign(a, b, step.item);
        if (s != 0) return step.weight > 0 ? s : -s;
    }
    return 0;
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
// a merge sort over small keys, leaving the large records in place until the end.
void sortListing(FileList& list, const SortKeys& keys) {
    const Weights w = weightsOf(keys);
    if (w.name == 0 && w.ext == 0 && w.time == 0 && w.attr == 0 && w.size == 0 && !w.tagFile) {
        return;
    }
    SortKeyTable table(list.entries());
    std::vector<SortKey>& sortKeys = table.keys();
    std::vector<Step> steps;
    if (lexicographicSteps(keys, steps)) {
        std::stable_sort(sortKeys.begin(), sortKeys.end(), [&](const SortKey& a, const SortKey& b) {
            return compareInSteps(a, b, steps, w.tagFile) < 0;
        });
    } else {
        std::stable_sort(sortKeys.begin(), sortKeys.end(), [&](const SortKey& a, const SortKey& b) {
            return compareKeys(a, b, w) < 0;
        });
    }
    std::vector<std::size_t> order(sortKeys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = sortKeys[i].index;
    list.reorder(order);
}

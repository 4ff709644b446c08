#include "panes/listing_sort.h"

#include <algorithm>
#include <cstring>
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

// The item-by-item order written out as one byte string per entry, so that
// comparing two entries is comparing two strings: a class byte ("..", then
// directories, then files, marked first under the tag term), then each item
// in step order. Names end in a 0 byte (no name holds one) and numbers are
// big-endian of fixed width; a descending item has its bytes inverted, which
// also turns the name's end into 0xFF. No key is a prefix of another, so a
// key's first 16 bytes order two entries whenever they differ.
class OrderKeys {
public:
    OrderKeys(const std::vector<FileEntry>& entries, const std::vector<Step>& steps, bool tagFile) {
        bytes_.reserve(entries.size() * 24);
        slots_.reserve(entries.size());
        ends_.reserve(entries.size() + 1);
        ends_.push_back(0);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            char key[MaxKey + 16];
            const std::size_t length = write(entries[i], steps, tagFile, key);
            std::memset(key + length, 0, 16);  // a short key's heads end in zeros
            bytes_.append(key, length);
            ends_.push_back(static_cast<uint32_t>(bytes_.size()));
            slots_.push_back({bigEndian(key), bigEndian(key + 8), static_cast<uint32_t>(i)});
        }
    }

    // The entry indices in display order; equal keys keep their enumeration
    // order, as the stable sort of the weighted rule does.
    std::vector<std::size_t> order() {
        std::sort(slots_.begin(), slots_.end(), [this](const Slot& a, const Slot& b) {
            if (a.head0 != b.head0) return a.head0 < b.head0;
            if (a.head1 != b.head1) return a.head1 < b.head1;
            const int c = key(a.index).compare(key(b.index));
            return c != 0 ? c < 0 : a.index < b.index;
        });
        std::vector<std::size_t> result(slots_.size());
        for (std::size_t i = 0; i < slots_.size(); ++i) result[i] = slots_[i].index;
        return result;
    }

private:
    struct Slot {
        uint64_t head0, head1;
        uint32_t index;
    };

    // Class byte, two names with their ends, three numbers.
    static constexpr std::size_t MaxKey = 1 + 2 * sizeof(FileEntry::cFileName) + 8 + 4 + 8;

    static std::size_t write(const FileEntry& e, const std::vector<Step>& steps, bool tagFile,
                             char* out) {
        char folded[sizeof e.cFileName];
        const std::size_t length = strnlen(e.cFileName, sizeof e.cFileName - 1);
        const std::string_view raw(e.cFileName, length);
        std::size_t dot = std::string_view::npos;
        for (std::size_t i = 0; i < length;) {
            const std::size_t n = sjis::charLength(raw, i);
            const char c = raw[i];
            folded[i] = (n == 1 && c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            if (n == 2) folded[i + 1] = raw[i + 1];
            if (n == 1 && c == '.') dot = i;
            i += n;
        }
        const std::string_view name(folded, length);
        const bool directory = e.isDirectory();
        if (directory && name.starts_with("..")) {
            out[0] = '\0';
            return 1;
        }
        const bool unmarked = tagFile && e.marked == 0;
        char* at = out;
        *at++ = static_cast<char>((directory ? 1 : 3) + (unmarked ? 1 : 0));
        for (const Step& step : steps) {
            const bool down = step.weight < 0;
            switch (step.item) {
            case Item::Name: at = writeText(name, down, at); break;
            case Item::Ext:
                at = writeText(dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1),
                               down, at);
                break;
            case Item::Time: at = writeNumber(e.ftLastWriteTime.value() / TicksPerSecond, 8, down, at); break;
            case Item::Attr: at = writeNumber(e.dwFileAttributes, 4, down, at); break;
            case Item::Size: at = writeNumber(e.size(), 8, down, at); break;
            }
        }
        return static_cast<std::size_t>(at - out);
    }

    static char* writeText(std::string_view text, bool down, char* at) {
        const char flip = down ? '\xFF' : '\0';
        for (char c : text) *at++ = static_cast<char>(c ^ flip);
        *at++ = flip;
        return at;
    }

    static char* writeNumber(uint64_t value, int width, bool down, char* at) {
        if (down) value = ~value;
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) *at++ = static_cast<char>(value >> shift);
        return at;
    }

    static uint64_t bigEndian(const char* p) {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v = (v << 8) | static_cast<unsigned char>(p[i]);
        return v;
    }

    std::string_view key(uint32_t index) const {
        return std::string_view(bytes_.data() + ends_[index], ends_[index + 1] - ends_[index]);
    }

    std::string bytes_;
    std::vector<uint32_t> ends_;
    std::vector<Slot> slots_;
};

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

// With distinct priorities the weighted sum orders item by item, so the keys
// become byte strings. Shared priorities give a sum that is not a strict weak
// ordering; that case takes a merge sort, which stays in bounds whatever the
// comparison says. Either way the large records move once, at the end.
void sortListing(FileList& list, const SortKeys& keys) {
    const Weights w = weightsOf(keys);
    if (w.name == 0 && w.ext == 0 && w.time == 0 && w.attr == 0 && w.size == 0 && !w.tagFile) {
        return;
    }
    std::vector<Step> steps;
    if (lexicographicSteps(keys, steps)) {
        list.reorder(OrderKeys(list.entries(), steps, w.tagFile).order());
        return;
    }
    SortKeyTable table(list.entries());
    std::vector<SortKey>& sortKeys = table.keys();
    std::stable_sort(sortKeys.begin(), sortKeys.end(), [&](const SortKey& a, const SortKey& b) {
        return compareKeys(a, b, w) < 0;
    });
    std::vector<std::size_t> order(sortKeys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = sortKeys[i].index;
    list.reorder(order);
}

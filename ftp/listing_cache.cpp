#include "ftp/listing_cache.h"

#include <cstdio>

namespace ftp {

namespace {

std::string normal(const std::string& directory) {
    std::string d = directory;
    while (d.size() > 1 && d.back() == '/') d.pop_back();
    return d.empty() ? "/" : d;
}

constexpr uint32_t DirectoryBit = 0x10;

bool readInts(std::string_view text, std::vector<long long>& out, std::size_t count) {
    out.clear();
    std::size_t i = 0;
    while (out.size() < count) {
        while (i < text.size() && (text[i] == ' ' || text[i] == ',')) ++i;
        bool negative = i < text.size() && text[i] == '-';
        if (negative) ++i;
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
        long long v = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (v > 100000000000000000LL) return false;
            v = v * 10 + (text[i] - '0');
        }
        out.push_back(negative ? -v : v);
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\r')) ++i;
    return i == text.size();
}

CalendarTime calendarFrom(const std::vector<long long>& v, std::size_t at) {
    auto field = [&](std::size_t k) { return static_cast<int>(v[at + k] < -1000000 || v[at + k] > 1000000 ? -1 : v[at + k]); };
    return {field(0), field(1), field(2), field(3), field(4), field(5)};
}

}  // namespace

bool ListingCache::PathOrder::operator()(const std::string& a, const std::string& b) const {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) continue;
        if (a[i] == '/') return true;
        if (b[i] == '/') return false;
        return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
    }
    return a.size() < b.size();
}

void ListingCache::store(const std::string& hostKey, const std::string& directory,
                         std::vector<ListedEntry> entries, uint64_t fetched) {
    Node& node = hosts_[hostKey][normal(directory)];
    node.entries = std::move(entries);
    node.fetched = fetched;
}

void ListingCache::forget(const std::string& hostKey, const std::string& directory) {
    auto host = hosts_.find(hostKey);
    if (host != hosts_.end()) host->second.erase(normal(directory));
}

std::optional<std::vector<ListedEntry>> ListingCache::lookup(const std::string& hostKey,
                                                            std::string& directory) const {
    auto host = hosts_.find(hostKey);
    if (host == hosts_.end()) return std::nullopt;
    const std::string key = normal(directory);
    auto usable = [](const Node& n) {
        if (n.entries.empty()) return false;
        for (const ListedEntry& e : n.entries)
            if (e.time == 0) return false;
        return true;
    };
    auto node = host->second.find(key);
    if (node != host->second.end()) {
        if (!usable(node->second)) return std::nullopt;
        directory = key;
        return node->second.entries;
    }
    // A file of a cached directory stands for that directory.
    std::size_t slash = key.rfind('/');
    if (slash == std::string::npos) return std::nullopt;
    const std::string parent = slash == 0 ? "/" : key.substr(0, slash);
    const std::string name = key.substr(slash + 1);
    node = host->second.find(parent);
    if (node == host->second.end() || !usable(node->second)) return std::nullopt;
    for (const ListedEntry& e : node->second.entries) {
        if (e.name == name && !e.directory) {
            directory = parent;
            return node->second.entries;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ListingCache::hosts() const {
    std::vector<std::string> out;
    for (const auto& [key, nodes] : hosts_) out.push_back(key);
    return out;
}

std::string ListingCache::save(const std::string& hostKey, const LocalClock& clock) const {
    std::string out;
    auto host = hosts_.find(hostKey);
    if (host == hosts_.end()) return out;
    char line[1100];
    for (const auto& [directory, node] : host->second) {
        if (directory.size() > 900) continue;
        CalendarTime f = clock.toLocal(node.fetched);
        std::snprintf(line, sizeof line, "@%s,%d,%d,%d,%d,%d,%d\n", directory.c_str(), f.year, f.month, f.day,
                      f.hour, f.minute, f.second);
        out += line;
        for (const ListedEntry& e : node.entries) {
            CalendarTime t = clock.toLocal(e.time);
            std::snprintf(line, sizeof line, "\"%s\", %d,%d,%d,%d,%d,%d, %llu,%u\n", e.name.c_str(), t.year,
                          t.month, t.day, t.hour, t.minute, t.second, static_cast<unsigned long long>(e.size),
                          e.directory ? DirectoryBit : 0u);
            out += line;
        }
    }
    return out;
}

int ListingCache::load(const std::string& hostKey, std::string_view text, int lifeDays, uint64_t now,
                       const LocalClock& clock) {
    int taken = 0;
    std::string directory;
    Node node;
    bool open = false, keep = false;
    auto finish = [&] {
        if (open && keep) {
            hosts_[hostKey][directory] = std::move(node);
            ++taken;
        }
        node = Node{};
        open = false;
    };
    std::vector<long long> v;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() > 1000) continue;
        if (!line.empty() && line[0] == '@') {
            finish();
            // The path may hold commas: the six numbers are the last fields.
            std::size_t cut = line.size();
            for (int k = 0; k < 6 && cut != std::string_view::npos; ++k) cut = line.rfind(',', cut - 1);
            if (cut == std::string_view::npos || cut < 2) continue;
            if (!readInts(line.substr(cut + 1), v, 6)) continue;
            auto fetched = clock.fromLocal(calendarFrom(v, 0));
            if (!fetched) continue;
            directory = normal(std::string(line.substr(1, cut - 1)));
            node.fetched = *fetched;
            open = true;
            keep = lifeDays < 1 || *fetched + static_cast<uint64_t>(lifeDays) * FileTimeDay > now;
            continue;
        }
        if (!open || line.size() < 4 || line[0] != '"') continue;
        std::size_t close = line.rfind("\", ");
        if (close == std::string_view::npos || close == 0) continue;
        if (!readInts(line.substr(close + 3), v, 8)) continue;
        ListedEntry e;
        e.name = std::string(line.substr(1, close - 1));
        auto t = clock.fromLocal(calendarFrom(v, 0));
        e.time = t ? *t : 0;
        e.size = v[6] < 0 ? 0 : static_cast<uint64_t>(v[6]);
        e.directory = (v[7] & DirectoryBit) != 0;
        node.entries.push_back(std::move(e));
    }
    finish();
    return taken;
}

}  // namespace ftp

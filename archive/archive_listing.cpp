#include "archive/archive_listing.h"

#include <cstring>

#include "archive/archive_path.h"
#include "base/sjis.h"

namespace {

std::uint64_t daysFrom1601(int year, int month, int day) {
    static const int before[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    const int y = year - 1601;
    std::uint64_t days = std::uint64_t(y) * 365 + y / 4 - y / 100 + y / 400;
    days += before[month - 1] + (month > 2 && leap(year) ? 1 : 0) + (day - 1);
    return days;
}

// Separator-free comparison: the inside path is ASCII-folded once, names per member.
bool startsWithFolded(std::string_view name, std::string_view lowerPrefix) {
    if (name.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size();) {
        const std::size_t len = sjis::charLength(name, i);
        if (len == 2) {
            if (name[i] != lowerPrefix[i] || name[i + 1] != lowerPrefix[i + 1]) return false;
        } else {
            char c = name[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != lowerPrefix[i]) return false;
        }
        i += len;
    }
    return true;
}

// First single-byte c at or after from, trail bytes skipped.
std::size_t findChar(std::string_view s, char c, std::size_t from = 0) {
    for (std::size_t i = 0; i < s.size(); i += sjis::charLength(s, i))
        if (i >= from && s[i] == c && sjis::charLength(s, i) == 1) return i;
    return std::string_view::npos;
}

bool hasDoubleSlash(std::string_view s) {
    for (std::size_t i = 0; i + 1 < s.size(); i += sjis::charLength(s, i))
        if (s[i] == '/' && s[i + 1] == '/') return true;
    return false;
}

FileEntry entryFrom(std::string_view name, std::uint32_t attributes, std::uint32_t size,
                    std::uint64_t written) {
    FileEntry entry{};
    const std::size_t length = sjis::fittingLength(name, sizeof entry.cFileName - 1);
    std::memcpy(entry.cFileName, name.data(), length);
    entry.dwFileAttributes = attributes;
    entry.nFileSizeLow = size;
    entry.ftLastWriteTime = {static_cast<std::uint32_t>(written),
                             static_cast<std::uint32_t>(written >> 32)};
    return entry;
}

}  // namespace

std::uint64_t dosToLocalFileTime(std::uint16_t date, std::uint16_t time) {
    int year = 1980 + (date >> 9), month = (date >> 5) & 15, day = date & 31;
    if (month < 1 || month > 12) month = 1;
    if (day < 1) day = 1;
    const int hour = time >> 11, minute = (time >> 5) & 63, second = (time & 31) * 2;
    const std::uint64_t seconds =
        daysFrom1601(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return seconds * 10000000ULL;
}

ArchiveLevel::ArchiveLevel(std::string_view inside, std::uint64_t (*localToUtc)(std::uint64_t))
    : inside_(normaliseInsidePath(inside)), localToUtc_(localToUtc) {
    lowerInside_ = sjis::toLowerAscii(inside_);
}

std::uint64_t ArchiveLevel::toUtc(std::uint64_t local) {
    constexpr std::uint64_t Hour = 36000000000ULL;
    const std::uint64_t hour = local / Hour;
    if (hour != lastHour_) {
        auto known = offsetByHour_.find(hour);
        if (known == offsetByHour_.end()) {
            const std::uint64_t start = hour * Hour;
            known = offsetByHour_.emplace(hour, static_cast<std::int64_t>(localToUtc_(start) - start)).first;
        }
        lastHour_ = hour;
        lastOffset_ = known->second;
    }
    return local + static_cast<std::uint64_t>(lastOffset_);
}

void ArchiveLevel::add(const ArchiveMember& member) {
    if (list_.count() == 0) list_.append(entryFrom("..", AttrDirectory, 0, 0));
    std::string_view name = member.name;
    if (separator_ == 0) {
        if (findChar(name, '/') != std::string_view::npos) separator_ = '/';
        else if (findChar(name, '\\') != std::string_view::npos) separator_ = '\\';
        if (separator_ == '\\') {
            for (std::size_t at : charPositions(inside_, '/')) inside_[at] = '\\';
            for (std::size_t at : charPositions(lowerInside_, '/')) lowerInside_[at] = '\\';
        }
    }
    if (!startsWithFolded(name, lowerInside_)) return;
    name.remove_prefix(inside_.size());
    if (name.empty() || name == "/" || hasDoubleSlash(member.name)) return;

    const std::uint64_t written = toUtc(dosToLocalFileTime(member.date, member.time));
    const std::size_t cut = separator_ ? findChar(name, separator_) : std::string_view::npos;
    if (cut != std::string_view::npos) {
        // Only the folder directly below shows, once, with the first member's time and size.
        std::string folder(name.substr(0, cut));
        if (folder.empty() || !folders_.insert(folder).second) return;
        list_.append(entryFrom(folder, AttrDirectory, member.size, written));
        return;
    }
    std::uint32_t attributes = 0;
    if (findChar(member.attribute, 'A') != std::string_view::npos) attributes |= AttrArchive;
    if (findChar(member.attribute, 'D') != std::string_view::npos) attributes |= AttrDirectory;
    if (attributes == 0) attributes = AttrArchive;
    // A folder stored as a member of its own is shown once, beside its contents.
    if (attributes & AttrDirectory) {
        if (!folders_.insert(std::string(name)).second) return;
    }
    list_.append(entryFrom(name, attributes, member.size, written));
}

#include "info/info_text.h"

#include <cstdio>
#include <cstdlib>

#include "base/sjis.h"

std::string groupedNumber(uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string clockText(const LocalTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d-%02d-%02d %02d:%02d:%02d", ((t.year % 100) + 100) % 100,
                  t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

InfoPathKind infoPathKind(const std::string& path) {
    if (!path.empty() && path[0] == '|') return InfoPathKind::Ftp;
    if (path.starts_with("\\\\") || path.starts_with("//")) {
        int separators = 0;
        for (char c : path)
            if (c == '\\') ++separators;
        if (separators <= 3) return InfoPathKind::NetworkLevel;
    }
    if (path.find('>') != std::string::npos) return InfoPathKind::InArchive;
    return InfoPathKind::Local;
}

namespace {
bool ftpListing(const InfoListing& l) {
    return l.diskHigh == DiskFtpOriginal || l.diskHigh == DiskFtpCache;
}

std::string filesText(const InfoCounts& c) {
    char text[64];
    std::snprintf(text, sizeof text, "File : %d/%d(%d)", c.marked, c.entries, c.cursor);
    return text;
}
}  // namespace

InfoTexts entryTexts(const FileEntry& find, const LocalTime& written, const InfoListing& listing) {
    InfoTexts t;
    if (ftpListing(listing)) {
        t.altName = "User Name : " + listing.userName;
        t.disk = listing.diskHigh == DiskFtpOriginal ? "Disk : FTP Original" : "Disk : FTP Cache";
    } else {
        t.altName = std::string("Dos FileName : ") + find.cAlternateFileName;
        uint64_t disk = (uint64_t(uint32_t(listing.diskHigh)) << 32) | listing.diskLow;
        t.disk = "Disk : " + groupedNumber(disk);
    }
    t.fileName = std::string("FileName : ") + find.cFileName;
    t.writeTime = "Time : " + clockText(written);
    t.size = "Size : " + groupedNumber(find.size());
    t.files = filesText(listing.counts);
    return t;
}

InfoTexts dashTexts(const std::string& path, const InfoListing& listing) {
    InfoTexts t;
    t.altName = "Dos FileName : --------";
    t.fileName = "FileName : " + path;
    t.writeTime = "Time : -------- --:--:--";
    t.size = "Size : --------";
    t.disk = "Disk : --------";
    char text[64];
    std::snprintf(text, sizeof text, "File : %d/%d     ", listing.counts.marked,
                  listing.counts.entries);
    t.files = text;
    return t;
}

std::string memoryText(uint64_t available) { return "Mem  : " + groupedNumber(available); }

uint32_t dimmedColour(uint32_t text, uint32_t back) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int a = (text >> shift) & 0xFF, b = (back >> shift) & 0xFF;
        out |= uint32_t(std::abs(a - b) / 2) << shift;
    }
    return out;
}

std::string iconKindOf(const std::string& path, bool directory) {
    // Drive roots, shares and special folders keep icons of their own.
    if (path.size() <= 3 || path.starts_with("\\\\") || path.starts_with("//")) return "";
    if (directory) return "<dir>";
    const std::size_t slash = sjis::findLastChar(path, '\\');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = sjis::findLastChar(name, '.');
    if (dot == std::string::npos || dot == 0) return ".";
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) {
        // A double-byte extension is rare: it looks itself up.
        if (static_cast<unsigned char>(c) >= 0x80) return "";
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    static const char* const own[] = {"EXE", "ICO", "LNK", "DLL", "CUR", "ANI", "SCR", "PIF", "URL", "CPL"};
    for (const char* e : own)
        if (ext == e) return "";
    return "." + ext;
}

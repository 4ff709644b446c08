#pragma once
// The texts of the info window's lines, and the rules that choose them.
#include <cstdint>
#include <string>

#include "info/info_entry.h"
#include "panes/line_format.h"

// Decimal with "," before every group of three digits from the right.
std::string groupedNumber(uint64_t value);
// "%y-%m-%d %H:%M:%S" with a two-digit year.
std::string clockText(const LocalTime& t);

enum class InfoPathKind { Ftp, NetworkLevel, InArchive, Local };
// Computer and share level of a network path ("\\pc", "\\pc\share", "//dom")
// are levels; a folder inside a share is an ordinary path.
InfoPathKind infoPathKind(const std::string& path);

struct InfoTexts {
    std::string altName;    // 1071
    std::string fileName;   // 1075
    std::string writeTime;  // 1074
    std::string size;       // 1076
    std::string disk;       // 1096
    std::string files;      // 1097
};

struct InfoListing {
    uint32_t diskLow = 0;
    int32_t diskHigh = 0;
    std::string userName;
    InfoCounts counts;
};

InfoTexts entryTexts(const FileEntry& find, const LocalTime& written, const InfoListing& listing);
InfoTexts dashTexts(const std::string& path, const InfoListing& listing);
std::string memoryText(uint64_t available);  // "Mem  : 1,234"

// The key under which a path's shell icon may be shared with others of its
// kind: "<dir>" for a plain local folder, "." and the upper-case extension
// for a file whose icon comes from its type. Empty where the file carries
// its own icon (programs, icons, links) or the path is no plain local one.
std::string iconKindOf(const std::string& path, bool directory);

// The letters of the attribute cells and the bits they show, in order.
constexpr const char* AttributeLetters = "ADHRS";
constexpr uint32_t AttributeCellBits[5] = {0x20, 0x10, 0x02, 0x01, 0x04};
// The colour of a clear cell's letter: half the distance of the pair in each
// of red, green and blue (0x00BBGGRR).
uint32_t dimmedColour(uint32_t text, uint32_t back);

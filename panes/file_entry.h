#pragma once
// One listed entry: the platform's find record field for field, then the mark
// and the entry kind. The Win32 build checks the layout against
// WIN32_FIND_DATAA, so a found record copies straight in.
#include <cstdint>
#include <string>
#include <string_view>

struct FileTimeValue {
    uint32_t dwLowDateTime;
    uint32_t dwHighDateTime;
    uint64_t value() const { return (uint64_t(dwHighDateTime) << 32) | dwLowDateTime; }
};

enum EntryKind : int32_t {
    EntryFile = 0,
    EntryNetComputer = 1,
    EntryNetShare = 2,
    EntryNetDomain = 3,
};

constexpr uint32_t AttrReadOnly = 0x01;
constexpr uint32_t AttrHidden = 0x02;
constexpr uint32_t AttrSystem = 0x04;
constexpr uint32_t AttrDirectory = 0x10;
constexpr uint32_t AttrArchive = 0x20;
constexpr uint32_t AttrTemporary = 0x100;

struct FileEntry {
    uint32_t dwFileAttributes;
    FileTimeValue ftCreationTime;
    FileTimeValue ftLastAccessTime;
    FileTimeValue ftLastWriteTime;
    uint32_t nFileSizeHigh;
    uint32_t nFileSizeLow;
    uint32_t dwReserved0;
    uint32_t dwReserved1;
    char cFileName[260];
    char cAlternateFileName[14];
    uint8_t marked;
    int32_t kind;

    bool isDirectory() const { return (dwFileAttributes & AttrDirectory) != 0; }
    uint64_t size() const { return (uint64_t(nFileSizeHigh) << 32) | nFileSizeLow; }
    std::string_view name() const { return cFileName; }
};

// "?" is never part of a real name: in a listed name it stands for a
// character the code page cannot hold, and handed on it would be a wildcard.
bool hasLostCharacters(const FileEntry& entry);
// The name that means exactly this entry: the listed name, or for one with
// lost characters its short name; empty when there is none.
std::string operableName(const FileEntry& entry);

// A zeroed entry with the given name (cut to fit), for readers that build records.
FileEntry makeEntry(std::string_view name, uint32_t attributes = 0, uint64_t size = 0,
                    uint64_t lastWrite = 0);

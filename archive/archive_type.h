#pragma once
// What kind of archive a path names, which library reads or writes it, and
// the first words of the command lines sent to it.
#include <cstdint>
#include <string>
#include <string_view>

enum ArchiveType : int {
    ArchiveNone = 0,
    ArchiveLzh = 1,
    ArchiveZip = 2,
    ArchiveCab = 3,
    ArchiveTar = 4,
    ArchiveRar = 5,
    ArchiveIsh = 6,
};

// By the text after the last "." of the file name, double quotes removed
// first; a path ending in "_" is a CAB.
ArchiveType archiveTypeOf(std::string_view path);
// Only LZH, ZIP, CAB and the tar family are browsed as folders.
bool isBrowsableType(ArchiveType type);

// The reading library of a browsable type and its five function names.
struct ReaderRecord {
    ArchiveType type;
    const char* libraryName;
    const char* openArchiveName;
    const char* closeArchiveName;
    const char* findFirstName;
    const char* findNextName;
    const char* getRunningName;
    std::uint32_t openMode;
};
// Nothing for a type that is not browsed.
const ReaderRecord* readerRecordFor(ArchiveType type);

struct CommandEntry {
    const char* libraryName = nullptr;  // null: the type has none
    const char* functionName = nullptr;
};
CommandEntry unpackEntryFor(ArchiveType type);
CommandEntry packEntryFor(ArchiveType type);
// The library a radio button of the PACK dialog stands for.
const char* packLibraryFor(ArchiveType type);

std::string unpackOption(ArchiveType type);
std::string packOption(ArchiveType type);

// "Auto" of the PACK dialog: the name's ending, once it holds a ".".
ArchiveType autoPackType(std::string_view archiveName);

#include "archive/archive_type.h"

#include <array>

#include "base/path.h"
#include "base/sjis.h"

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    return sjis::toLowerAscii(a) == sjis::toLowerAscii(b);
}

bool anyOf(std::string_view ext, std::initializer_list<std::string_view> list) {
    for (std::string_view candidate : list)
        if (sameLetters(ext, candidate)) return true;
    return false;
}

constexpr std::uint32_t ReadMode = 16898;

const std::array<ReaderRecord, 4> Readers{{
    {ArchiveLzh, "UNLHA32.DLL", "UnlhaOpenArchive", "UnlhaCloseArchive", "UnlhaFindFirst",
     "UnlhaFindNext", "UnlhaGetRunning", ReadMode},
    {ArchiveTar, "TAR32.DLL", "TarOpenArchive", "TarCloseArchive", "TarFindFirst", "TarFindNext",
     "TarGetRunning", ReadMode},
    {ArchiveZip, "UNZIP32.DLL", "UnZipOpenArchive", "UnZipCloseArchive", "UnZipFindFirst",
     "UnZipFindNext", "UnZipGetRunning", ReadMode},
    {ArchiveCab, "CAB32.DLL", "CabOpenArchive", "CabCloseArchive", "CabFindFirst", "CabFindNext",
     "CabGetRunning", 0},
}};

}  // namespace

ArchiveType archiveTypeOf(std::string_view path) {
    std::string plain;
    for (char c : path)
        if (c != '"') plain += c;
    const std::string ext = extensionOf(lastComponent(plain));
    if (sameLetters(ext, "LZH")) return ArchiveLzh;
    if (anyOf(ext, {"ZIP", "JAR"})) return ArchiveZip;
    if (sameLetters(ext, "CAB") || (!plain.empty() && plain.back() == '_')) return ArchiveCab;
    if (anyOf(ext, {"gz", "bz2", "tgz", "tar", "gz2"})) return ArchiveTar;
    if (sameLetters(ext, "RAR")) return ArchiveRar;
    if (sameLetters(ext, "ISH")) return ArchiveIsh;
    return ArchiveNone;
}

bool isBrowsableType(ArchiveType type) { return type >= ArchiveLzh && type <= ArchiveTar; }

const ReaderRecord* readerRecordFor(ArchiveType type) {
    for (const ReaderRecord& record : Readers)
        if (record.type == type) return &record;
    return nullptr;
}

CommandEntry unpackEntryFor(ArchiveType type) {
    switch (type) {
    case ArchiveLzh: return {"UNLHA32.DLL", "Unlha"};
    case ArchiveZip: return {"UNZIP32.DLL", "UnZip"};
    case ArchiveCab: return {"CAB32.DLL", "Cab"};
    case ArchiveTar: return {"TAR32.DLL", "Tar"};
    case ArchiveRar: return {"UNRAR32.DLL", "Unrar"};
    default: return {};
    }
}

CommandEntry packEntryFor(ArchiveType type) {
    switch (type) {
    case ArchiveLzh: return {"UNLHA32.DLL", "Unlha"};
    case ArchiveZip: return {"ZIP32J.DLL", "Zip"};
    case ArchiveCab: return {"CAB32.DLL", "Cab"};
    case ArchiveTar: return {"TAR32.DLL", "Tar"};
    default: return {};
    }
}

const char* packLibraryFor(ArchiveType type) { return packEntryFor(type).libraryName; }

std::string unpackOption(ArchiveType type) {
    switch (type) {
    case ArchiveLzh: return "x";
    case ArchiveZip: return "-xs";
    case ArchiveCab: return "-x";
    case ArchiveTar: return "-zxvf";
    default: return {};
    }
}

std::string packOption(ArchiveType type) {
    switch (type) {
    case ArchiveLzh: return "a -d";
    case ArchiveZip: return "-r";
    case ArchiveCab: return "-a -r";
    case ArchiveTar: return "-zcvf";
    default: return {};
    }
}

ArchiveType autoPackType(std::string_view archiveName) {
    if (sjis::findLastChar(archiveName, '.') == std::string_view::npos) return ArchiveNone;
    const std::string lower = sjis::toLowerAscii(archiveName);
    if (lower.ends_with(".lzh")) return ArchiveLzh;
    if (lower.ends_with(".cab")) return ArchiveCab;
    if (lower.ends_with(".zip")) return ArchiveZip;
    if (lower.ends_with(".gz") || lower.ends_with(".tar")) return ArchiveTar;
    return ArchiveNone;
}

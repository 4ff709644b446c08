#include "archive/win/archive_library.h"

#include <cstring>

#include "archive/archive_commands.h"
#include "archive/archive_listing.h"
#include "services/win/program_directory.h"

namespace {

using CommandFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

// The record FindFirst and FindNext fill, as the interface lays it out.
struct IndividualInfo {
    DWORD dwOriginalSize;
    DWORD dwCompressedSize;
    DWORD dwCRC;
    UINT uFlag;
    UINT uOSType;
    WORD wRatio;
    WORD wDate;
    WORD wTime;
    char szFileName[513];
    char dummy1[3];
    char szAttribute[8];
    char szMode[8];
};
static_assert(sizeof(IndividualInfo) == 560);
static_assert(offsetof(IndividualInfo, szAttribute) == 542);

template <class Fn>
Fn resolve(HMODULE module, const char* name) {
    return name ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

std::uint64_t localToUtc(std::uint64_t local) {
    FILETIME in{static_cast<DWORD>(local), static_cast<DWORD>(local >> 32)}, out{};
    if (!LocalFileTimeToFileTime(&in, &out)) return local;
    return (std::uint64_t(out.dwHighDateTime) << 32) | out.dwLowDateTime;
}

std::string_view fieldText(const char* field, std::size_t size) {
    return {field, strnlen(field, size)};
}

ArchiverResult call(CommandFn command, HWND owner, const std::string& line, bool withOutput) {
    if (!command) return {};
    char output[1024] = {};
    const int code = command(owner, line.c_str(), withOutput ? output : nullptr,
                             withOutput ? sizeof output : 0);
    return {true, code};
}

}  // namespace

LoadedModule loadArchiver(const char* libraryName) {
    if (!libraryName) return LoadedModule{};
    return LoadedModule{LoadLibraryA((programDirectory() + libraryName).c_str())};
}

bool archiverPresent(const char* libraryName) { return static_cast<bool>(loadArchiver(libraryName)); }

ArchiverResult runArchiverCommand(CommandEntry entry, HWND owner, const std::string& line) {
    LoadedModule module = loadArchiver(entry.libraryName);
    if (!module) return {};
    return call(resolve<CommandFn>(module.get(), entry.functionName), owner, line, true);
}

bool ArchiveLibrary::Load(const std::string& path) {
    Unload();
    archivePath = path;
    type = archiveTypeOf(path);
    const ReaderRecord* record = readerRecordFor(type);
    if (!record) return false;
    libraryName = record->libraryName;
    module_ = loadArchiver(record->libraryName);
    if (!module_) return false;
    HMODULE m = module_.get();
    openMode_ = record->openMode;
    openArchive_ = resolve<OpenFn>(m, record->openArchiveName);
    closeArchive_ = resolve<CloseFn>(m, record->closeArchiveName);
    findFirst_ = resolve<FindFirstFn>(m, record->findFirstName);
    findNext_ = resolve<FindNextFn>(m, record->findNextName);
    getRunning_ = resolve<GetRunningFn>(m, record->getRunningName);
    if (openArchive_ && closeArchive_ && findFirst_ && findNext_) return true;
    Unload();
    return false;
}

void ArchiveLibrary::Unload() {
    module_.reset();
    openArchive_ = nullptr;
    closeArchive_ = nullptr;
    findFirst_ = nullptr;
    findNext_ = nullptr;
    getRunning_ = nullptr;
}

int ArchiveLibrary::List(HWND owner, const std::string& inside, FileList& out) {
    if (!openArchive_) return -1;
    HANDLE archive = openArchive_(owner, archivePath.c_str(), openMode_);
    if (!archive) return -1;
    ArchiveLevel level(inside, localToUtc);
    IndividualInfo info{};
    for (int found = findFirst_(archive, "*", &info); found == 0; found = findNext_(archive, &info)) {
        level.add({fieldText(info.szFileName, sizeof info.szFileName),
                   fieldText(info.szAttribute, sizeof info.szAttribute), info.dwOriginalSize,
                   info.wDate, info.wTime});
    }
    closeArchive_(archive);
    out = level.take();
    return static_cast<int>(out.count());
}

std::vector<std::string> ArchiveLibrary::FileNames(HWND owner) {
    std::vector<std::string> names;
    if (!openArchive_) return names;
    HANDLE archive = openArchive_(owner, archivePath.c_str(), openMode_);
    if (!archive) return names;
    IndividualInfo info{};
    for (int found = findFirst_(archive, "*", &info); found == 0; found = findNext_(archive, &info)) {
        const std::string_view attribute = fieldText(info.szAttribute, sizeof info.szAttribute);
        if (attribute.find('D') == std::string_view::npos)
            names.emplace_back(fieldText(info.szFileName, sizeof info.szFileName));
    }
    closeArchive_(archive);
    return names;
}

ArchiverResult ArchiveLibrary::Extract(HWND owner, const std::vector<std::string>& members) {
    const std::string line = extractCommandLine(type, archivePath, members);
    if (!module_ || line.empty()) return {};
    return call(resolve<CommandFn>(module_.get(), unpackEntryFor(type).functionName), owner, line,
                false);
}

#include "archive/win/archive_messages.h"

#include <cstdio>

#include "archive/archive_type.h"
#include "archive/member_collision.h"
#include "services/message_table.h"
#include "services/win/message_box.h"

namespace {
constexpr int MethodError = 0x8009;
constexpr int AlreadyExists = 0x8010;
}  // namespace

void tellArchiveFailure(HWND owner, int number, const std::string& subject,
                        const ArchiverResult& result, const char* libraryName) {
    if (!result.ran) {
        showMessage(owner, MessageArchiverMissing, libraryName ? libraryName : "");
        return;
    }
    if (result.code == MethodError) {
        showMessage(owner, MessageArchiveMethod, subject);
        return;
    }
    if (result.code == AlreadyExists && number == MessagePackFailed) {
        showMessage(owner, MessageArchiveExists, subject);
        return;
    }
    char code[32];
    std::snprintf(code, sizeof code, result.code < 0 ? "%d" : "0x%X", result.code);
    showMessage(owner, number, subject, std::string(code));
}

void tellLibraryMissing(HWND owner, const std::string& archiveFile) {
    const ReaderRecord* record = readerRecordFor(archiveTypeOf(archiveFile));
    showMessage(owner, MessageArchiverMissing, record ? record->libraryName : archiveFile.c_str());
}

bool goAheadDespiteClashes(HWND owner, ArchiveLibrary& library,
                           const std::vector<std::string>& requested) {
    const std::vector<std::string> clashes = collidingMembers(library.FileNames(owner), requested);
    if (clashes.empty()) return true;
    // A few names tell which; the box must still fit on the screen.
    constexpr std::size_t Shown = 5;
    std::string names;
    for (std::size_t i = 0; i < clashes.size() && i < Shown; ++i) names += clashes[i] + "\n";
    if (clashes.size() > Shown) names += "...\n";
    return isYes(showMessage(owner, MessageArchiveNamesClash, library.archivePath, names));
}

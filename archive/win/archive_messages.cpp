#include "archive/win/archive_messages.h"

#include <cstdio>

#include "archive/archive_type.h"
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

#include "archive/win/archive_listing_reader.h"

#include "archive/archive_path.h"
#include "archive/archive_type.h"
#include "archive/win/archive_library.h"
#include "archive/win/archive_messages.h"
#include "base/path.h"
#include "services/win/message_box.h"

bool ArchiveListingReader::read(const std::string& path, FileList& raw) {
    if (isFtpPath(path)) return false;  // fetched through the FTP cache once that exists
    const ArchivePathParts parts = splitArchivePath(path);
    if (!isBrowsableType(archiveTypeOf(parts.archiveFile))) return false;
    // Missing (all bits set) or a folder: no archive to read.
    if (GetFileAttributesA(parts.archiveFile.c_str()) & FILE_ATTRIBUTE_DIRECTORY) return false;
    const std::string file = work_.innermostArchive(parts);
    if (file.empty()) return false;
    ArchiveLibrary library;
    if (!library.Load(file)) {
        tellLibraryMissing(work_.owner(), file);
        return false;
    }
    FileList read;
    if (library.List(work_.owner(), parts.inside, read) < 0) {
        showMessage(work_.owner(), MessageArchiveUnreadable, path);
        return false;
    }
    raw = std::move(read);
    return true;
}

#pragma once
// Telling the user what an archiver library could not do, by its result.
#include <windows.h>

#include <string>
#include <vector>

#include "archive/win/archive_library.h"
#include "services/message_numbers.h"

// number is the message for a failure without a message of its own (1020,
// 1021 or 1022); a missing library, a method it lacks and an archive that
// exists already have theirs.
void tellArchiveFailure(HWND owner, int number, const std::string& subject,
                        const ArchiverResult& result, const char* libraryName = nullptr);
// Asks before an extraction of requested (none: the whole archive) that would
// write two members to one file; true to go on. Nothing is asked when every
// member lands apart, or when the library cannot list the archive.
bool goAheadDespiteClashes(HWND owner, ArchiveLibrary& library,
                           const std::vector<std::string>& requested);
// The reading library of the archive's type would not load.
void tellLibraryMissing(HWND owner, const std::string& archiveFile);

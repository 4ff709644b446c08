#pragma once
// CMD_UNPACK and CMD_PACK: a whole archive into a directory, entries of a
// directory into a new archive. A failure is told, never passed off as done.
#include <windows.h>

#include <string>
#include <vector>

#include "archive/archive_commands.h"
#include "services/settings.h"

// Unpacks the archive into directory; false when nothing was called (no
// archive type with an unpacking library) or the library failed (told).
bool unpackArchive(HWND owner, const std::string& archivePath, const std::string& directory);

// Asks for the name and type in the PACK dialog and packs the items of
// directory; the name of the archive made, or "" when nothing was.
std::string packItems(HWND owner, Settings& settings, const std::string& directory,
                      const std::vector<PackItem>& items);

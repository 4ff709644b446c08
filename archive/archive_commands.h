#pragma once
// The command lines sent to an archiver library's command entry.
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_type.h"

// Extracting the named members (paths inside the archive) of a browsable
// archive into the current directory; "" for any other type.
std::string extractCommandLine(ArchiveType type, std::string_view archiveFile,
                               const std::vector<std::string>& members);

// A member path as the copy hands it over: a folder's trailing "\*" or "/*" goes.
std::string memberOfSource(std::string_view inside);

// Unpacking a whole archive: the type's option, then the quoted path.
std::string unpackCommandLine(ArchiveType type, std::string_view archivePath);

struct PackItem {
    std::string name;
    bool directory = false;
};
// Packing items of the current directory into archiveName.
std::string packCommandLine(ArchiveType type, std::string_view archiveName,
                            const std::vector<PackItem>& items);

// The fresh work directory of one extraction: "<base>\<number><file name>".
std::string numberedWorkDirectory(std::string_view base, int number, std::string_view archiveFile);

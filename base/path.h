#pragma once
// Path forms shared by all listing sources.
#include <string>
#include <string_view>

// "|host/dir" is an FTP path.
bool isFtpPath(std::string_view path);
// A path containing ">" lies inside an archive.
bool isArchivePath(std::string_view path);
// Second character ":" and third "\": "C:\...".
bool isDrivePath(std::string_view path);
// Text after the last "." of a name ("" when there is none).
std::string extensionOf(std::string_view name);
// Directory joined with a name or pattern; doubled separators collapse (except
// the leading pair of a UNC path); FTP paths use "/".
std::string joinPath(std::string_view directory, std::string_view name);
// What follows the last "\" or "/" (a trail byte 0x5C is no separator); the
// whole path when there is none.
std::string lastComponent(std::string_view path);

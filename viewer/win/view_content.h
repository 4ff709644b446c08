#pragma once
// The file system and library work behind the view's text kinds.
#include <windows.h>

#include <string>

#include "viewer/directory_tree.h"

// A directory by the view's test: found with the directory bit, or found as
// path "\*.*", or a drive root "X:\"; never a path beginning with "//".
bool isViewDirectory(const std::string& path);
// The 8.3 form when the file system has one, else the path itself.
std::string shortPath(const std::string& path);
std::string directoryListing(const std::string& path, int columns);
DirectoryTree directoryTreeOf(const std::string& path);
std::string versionReportOf(const std::string& path, int columns);
// The text an archiver library lists for an archive; "" when the library is
// missing or fails. The library is loaded for this listing only.
std::string archiveListing(HWND owner, const char* library, const char* entry,
                           const std::string& command);
// A web page or XML file as Shift-JIS text for the grid.
std::string documentText(const std::string& path);

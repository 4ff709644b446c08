#pragma once
#include <string>

// Deletes everything below a work directory, read-only files included, then
// the directory itself. Only paths containing "V_WORK" are touched; failures
// are ignored.
void removeWorkDirectory(std::string path);

// Creates one directory level; true when it exists afterwards.
bool makeDirectoryLevel(const std::string& path);

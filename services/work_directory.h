#pragma once
// The work directories under "V_WORK": where they go and when one may be
// removed. The directory calls themselves belong to the Win32 shell.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Kind 1 "V_WORK\W_FTP", 2 "V_WORK\W_ARCHIVE", 3 "V_WORK\W_CACHE"; "" otherwise.
std::string_view workDirectoryName(int kind);

// Every directory from the first below the drive root down to path itself, in
// the order they have to be created: "C:\a", "C:\a\b", ...
std::vector<std::string> directoryChain(std::string_view path);

// Whether the last character is a "\" (a trail byte 0x5C is not one).
bool endsWithSeparator(std::string_view path);

// The work directory of kind under ftpWork when that is a drive path without
// ".." whose directories makeDirectory can bring into being (it answers
// whether the directory exists afterwards), else under programDirectory.
// Any other kind gives ftpWork.
std::string workDirectoryPath(int kind, const std::string& ftpWork,
                              const std::string& programDirectory,
                              const std::function<bool(const std::string&)>& makeDirectory);

// Only a path containing "V_WORK" may be emptied and removed; a trailing "\"
// is dropped from it so the removal names the directory itself.
bool mayRemoveWorkDirectory(std::string& path);

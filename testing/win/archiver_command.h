#pragma once
// Runs an archiver library's command entry as a packer would be run, for
// tests that make their archives through the libraries beside the program.
#include <string>

// library is a file name beside the running program; the command runs with
// directory as the current directory. The library's result, -1 when it or
// the function cannot be loaded.
int runArchiverCommand(const char* library, const char* function, const std::string& line,
                       const std::string& directory);

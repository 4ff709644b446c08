#pragma once
#include <string>

// The directory of the running program file, with a trailing "\"; computed once.
const std::string& programDirectory();

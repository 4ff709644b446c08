#pragma once
#include <string>

// Deletes everything below directory, read-only entries included, then the
// directory itself. What cannot be deleted stays; nothing is reported.
void removeTree(const std::string& directory);

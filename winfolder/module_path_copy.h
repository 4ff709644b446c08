#pragma once
// The copy of a found module path into a caller's buffer.
#include <cstdint>

// Copies path with its NUL when both fit into size bytes and answers true;
// otherwise leaves buffer untouched and answers false.
bool copyModulePath(const char* path, char* buffer, std::uint32_t size);

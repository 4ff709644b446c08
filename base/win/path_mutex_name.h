#pragma once
// The name of a mutex that guards one file: the prefix and an FNV-1a hash of
// the upper-cased path, since a mutex name cannot hold "\". Every spelling of
// the path that differs only in case gets the same name.
#include <cstdio>
#include <string>

inline std::string pathMutexName(const char* prefix, const std::string& path) {
    unsigned long long hash = 1469598103934665603ull;
    for (char c : path) {
        const unsigned char b = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        hash = (hash ^ b) * 1099511628211ull;
    }
    char name[64];
    std::snprintf(name, sizeof name, "%s%016llx", prefix, hash);
    return name;
}

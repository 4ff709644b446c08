#include "testing/win/scratch_directory.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/win/handle.h"
#include "base/win/remove_tree.h"

ScratchDirectory::ScratchDirectory(const char* prefix) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
        char name[MAX_PATH + 64];
        std::snprintf(name, sizeof name, "%s%s%08x", base, prefix, n);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

ScratchDirectory::~ScratchDirectory() {
    if (!path_.empty()) deleteTree(path_);
}

bool ScratchDirectory::writeFile(const std::string& name, const std::string& content,
                                 DWORD attributes) const {
    FileHandle file{CreateFileA((*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                attributes, nullptr)};
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                     nullptr) &&
           written == content.size();
}

bool ScratchDirectory::makeDirectory(const std::string& name) const {
    return CreateDirectoryA((*this / name).c_str(), nullptr) != 0;
}

void deleteTree(const std::string& path) { removeTree(path); }

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

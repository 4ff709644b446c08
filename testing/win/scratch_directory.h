#pragma once
// A fresh directory under the temporary folder, removed with everything in it
// when the owner goes. Tests work only inside one of these.
#include <windows.h>

#include <string>

class ScratchDirectory {
public:
    explicit ScratchDirectory(const char* prefix = "vb");
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return path_; }
    // path + "\" + name
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    // Writes a file (relative name); false on failure.
    bool writeFile(const std::string& name, const std::string& content,
                   DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
    bool makeDirectory(const std::string& name) const;

private:
    std::string path_;
};

// Deletes a tree, clearing read-only attributes first.
void deleteTree(const std::string& path);
bool fileExists(const std::string& path);
std::string readWholeFile(const std::string& path);

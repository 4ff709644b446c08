#include "fileops/win/apply_attributes.h"

#include <windows.h>

#include "base/path.h"
#include "base/win/handle.h"

namespace {

bool isDotName(const std::string& name) { return name == "." || name == ".."; }

// Only bits a caller may set; an empty set is NORMAL, as 0 can mean "leave as is".
DWORD settable(DWORD attributes) {
    constexpr DWORD Settable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                               FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    DWORD value = attributes & Settable;
    return value ? value : FILE_ATTRIBUTE_NORMAL;
}

void setLastWriteTime(const std::string& path, DWORD attributes, const FILETIME& time) {
    DWORD flags = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? FILE_FLAG_BACKUP_SEMANTICS : 0;
    FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, flags, nullptr));
    if (!file) return;
    FILETIME created{};
    FILETIME accessed{};
    if (GetFileTime(file.get(), &created, &accessed, nullptr)) {
        SetFileTime(file.get(), &created, &accessed, &time);
    } else {
        SetFileTime(file.get(), nullptr, nullptr, &time);
    }
}

std::vector<std::string> namesInside(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA(joinPath(directory, "*").c_str(), &found));
    if (!find) return names;
    do {
        if (!isDotName(found.cFileName)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    return names;
}

void applyTo(const std::string& path, const AttributeChoice& choice) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;

    // A link to a directory is not followed: it could lead back up the tree.
    if (choice.recurse && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // Contents first, so nothing done inside touches the directory's own time afterwards.
        for (const std::string& name : namesInside(path)) applyTo(joinPath(path, name), choice);
    }

    if (choice.setTime) {
        // A read-only file cannot be opened for writing; the value set below
        // puts the bit back when it was chosen.
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            SetFileAttributesA(path.c_str(), settable(attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}));
        }
        setLastWriteTime(path, attributes, choice.time);
    }
    SetFileAttributesA(path.c_str(), settable(choice.attributes));
}

}  // namespace

void applyAttributes(const std::string& directory, const std::vector<std::string>& names,
                     const AttributeChoice& choice) {
    for (const std::string& name : names) {
        if (isDotName(name) || name.empty()) continue;
        applyTo(joinPath(directory, name), choice);
    }
}

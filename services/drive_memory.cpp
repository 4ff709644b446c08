#include "services/drive_memory.h"

#include "base/path.h"

int DriveMemory::slotOf(std::string_view path, int currentSlot) {
    if (path == "|") return currentSlot;
    if (path.size() >= 2 && path[1] == ':') {
        char c = path[0];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') return NoEffect;
        return c - 'A' + 1;
    }
    if (path.size() >= 2 && path[0] == path[1] && (path[0] == '\\' || path[0] == '/')) return 0;
    if (isFtpPath(path)) return 0;
    return currentSlot;
}

std::string DriveMemory::prepare(const std::string& path, int slot) const {
    if (path.size() == 2 && path[1] == ':') {
        int own = slotOf(path, slot);
        if (own != NoEffect && !slots_[own].empty()) return slots_[own];
        return path + "\\";
    }
    char letter = driveLetterOf(slot);
    if (letter && path.size() >= 1 && path[0] == '\\' && (path.size() < 2 || path[1] != '\\'))
        return std::string{letter, ':'} + path;
    return path;
}

std::string DriveMemory::directoryFor(char letter) const {
    const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 32) : letter;
    const int slot = upper - 'A' + 1;
    if (slot < 1 || slot >= Slots) return {};
    const std::string& remembered = slots_[slot];
    return remembered.empty() ? std::string{upper, ':', '\\'} : remembered;
}

#pragma once
// The remembered directory of every drive: slot 0 for paths without a drive
// letter (UNC, network, FTP), slots 1 to 26 for drives A to Z.
#include <array>
#include <string>
#include <string_view>

class DriveMemory {
public:
    static constexpr int Slots = 27;
    static constexpr int NoEffect = -1;

    // The slot a path belongs to: its drive letter's slot, 0 for "\\", "//"
    // and FTP paths, the current slot otherwise; NoEffect for a drive
    // character outside A to Z.
    static int slotOf(std::string_view path, int currentSlot);
    static char driveLetterOf(int slot) { return slot >= 1 && slot < Slots ? char('A' + slot - 1) : 0; }

    // "X:" alone becomes the memory of its slot; a path beginning with a
    // single "\" gets the slot's drive letter in front.
    std::string prepare(const std::string& path, int slot) const;

    // The directory a bare drive letter (either case) stands for: the
    // remembered one, else the root; "" for a character that is no letter.
    std::string directoryFor(char letter) const;

    const std::string& at(int slot) const { return slots_[slot]; }
    void set(int slot, std::string path) { slots_[slot] = std::move(path); }
    int current() const { return current_; }
    void setCurrent(int slot) { current_ = slot; }
    const std::string& currentPath() const { return slots_[current_]; }

private:
    std::array<std::string, Slots> slots_;
    int current_ = 0;
};

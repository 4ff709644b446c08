#include "panes/win/drive_letters.h"

#include <windows.h>

std::string driveLettersOf(std::uint32_t mask) {
    std::string letters;
    for (int n = 0; n < 26; ++n) {
        if (mask & (std::uint32_t{1} << n)) letters += static_cast<char>('A' + n);
    }
    return letters;
}

std::string driveLetters() { return driveLettersOf(GetLogicalDrives()); }

#pragma once
// The drives present on this machine.
#include <cstdint>
#include <string>

// One upper-case letter per set bit of a logical-drive mask (bit n is drive
// 'A' + n), in alphabetical order.
std::string driveLettersOf(std::uint32_t mask);

// The letters of the drives present now.
std::string driveLetters();

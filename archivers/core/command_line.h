#pragma once
// Command lines of the interface's command entries: an optional command word
// (LZH style: "x", "a", "l"), options ("-x", "-o", "-zxvf", "-cnr"), the
// archive (quoted or not), then member or file names (quoted or not).
#include <string>
#include <string_view>
#include <vector>

namespace arc {

struct CommandLine {
    std::string command;               // "x", "a", "l", ... or empty
    std::vector<std::string> options;  // each with its leading "-"
    std::string archive;
    std::vector<std::string> names;
    bool hasOption(std::string_view letters) const;  // any option word holds all these letters
};

// Splits at blanks outside double quotes; quotes are removed. `commandWords`
// lists the words that count as a command when they come first.
std::vector<std::string> splitWords(std::string_view line);
CommandLine parseCommandLine(std::string_view line, const std::vector<std::string>& commandWords);

// Copies text into a caller's buffer of `size` bytes, cut at a character
// boundary and always NUL-terminated. Does nothing for a null buffer or size 0.
void copyToBuffer(std::string_view text, char* out, std::size_t size);

}  // namespace arc

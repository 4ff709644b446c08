#pragma once
// The "$" macros of command lines, expanded against what the pane knows when
// the line runs. Pure text work: the caller looks up short names, the short
// directory and the FTP user beforehand. "$P" is asked for before this point
// and a "$P" left in the text stays as it is.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct MacroEntry {
    std::string name;
    std::string shortName;  // "" when the entry has no 8.3 name
};

struct MacroContext {
    MacroEntry cursor;
    MacroEntry target;               // the cursor entry again for a single run
    std::string directory;           // the active pane's directory
    std::string shortDirectory;      // its 8.3 form; "" when there is none
    std::string ftpUser;             // used only when the directory is FTP
    std::vector<MacroEntry> marked;  // in listing order
};

// "$G" and "$g" are replaced at their first occurrence in the whole line only;
// the parts of one split line share this so the second part sees what the
// first one used up.
struct GroupMacroUse {
    bool names = false;
    bool shortNames = false;
};

// Longest text a process command line can carry, terminator excluded.
constexpr std::size_t MaxExpandedLength = 32766;

// True when text holds the macro "$" + letter.
bool containsMacro(std::string_view text, char letter);

// Every macro replaced; unknown "$" sequences are kept. nullopt when the
// result would be longer than MaxExpandedLength. An expanded FTP path gets
// "/" separators only.
std::optional<std::string> expandMacros(std::string_view text, const MacroContext& context,
                                        GroupMacroUse& groups);
std::optional<std::string> expandMacros(std::string_view text, const MacroContext& context);

// A name up to its last "." (the whole name when it has none).
std::string nameWithoutExtension(std::string_view name);
// "|host" of an FTP path ("" for any other path).
std::string ftpHostPart(std::string_view path);
// Backslashes of an FTP path turned into "/", runs of "/" into one.
std::string ftpSeparators(std::string_view path);

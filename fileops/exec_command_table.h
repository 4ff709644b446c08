#pragma once
// "ExecCmd.tbl": the command list of the COMMAND dialog, one command per
// line in list order, and the edits the dialog makes to its copy.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A line holds at most this many bytes with its line end; longer lines are
// cut there, without splitting a double-byte character.
constexpr std::size_t ExecCommandLineLimit = 1000;

// Lines without their line end ("\n" or "\r\n"); lines with nothing before
// the line end are dropped. A last line without a line end is kept whole.
std::vector<std::string> parseExecCommands(std::string_view text);
// Every command followed by "\n".
std::string formatExecCommands(const std::vector<std::string>& commands);

// A missing or unreadable file gives an empty list.
std::vector<std::string> loadExecCommands(const std::string& path);
// Replaces the file; false when it could not be written completely.
bool saveExecCommands(const std::string& path, const std::vector<std::string>& commands);

// The dialog's edits. A row of -1 means no selection; each answers the row to
// select afterwards (-1 for none).
// Appends text and selects it; text that is empty or holds a line break
// would not survive the file and is refused, keeping the selection.
int addExecCommand(std::vector<std::string>& commands, int selected, std::string_view text);
int deleteExecCommand(std::vector<std::string>& commands, int selected);
// delta -1 towards the top, +1 towards the bottom; at either end the row stays.
int moveExecCommand(std::vector<std::string>& commands, int selected, int delta);

#pragma once
// The Rename dialog (resource 153): the old name read-only, the new name to
// edit with the part before the extension selected.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// Shows oldName and lets the user type a new one. True with newName set when
// OK was pressed on a usable name that differs from oldName. False otherwise:
// OK on the unchanged name sets newName to oldName (nothing to do for this
// entry), Cancel leaves newName alone (stop). An empty name or one with a character the file system
// refuses gets a message and the dialog stays open. A directory's name is
// selected whole, a file's up to its extension.
bool runRenameDialog(HWND owner, const std::string& oldName, std::string& newName,
                     bool isDirectory = false);

// Bytes of name selected at first: up to the last "." of a file name; the
// whole name for a directory, a name without "." or one whose only "." leads.
std::size_t renameSelectionLength(std::string_view name, bool isDirectory);

// The message (code page 932) that explains why name cannot be a new name,
// "" when it can.
std::string renameNameProblem(std::string_view name);

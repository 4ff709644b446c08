#pragma once
// The Execute / Jump dialog (resource 161): the named paths and command lines
// of "JUMPLST.tbl", found by typing part of a name.
#include <windows.h>

#include <string>

// chosenPath comes in as the initial path (the path field shows it, the name
// field its last component). OK or a double click saves the list with the
// dialog's rectangle and column widths and answers true with the current
// row's path in chosenPath. "&Close" saves and answers false; Escape answers
// false and leaves the file as it was.
bool runJumpListDialog(HWND owner, const std::string& programDirectory, std::string& chosenPath);

#pragma once
// The COMMAND dialog (resource 149): the command list of "ExecCmd.tbl", the
// command names, and a program chosen from disk, for the entry under the
// cursor.
#include <windows.h>

#include <string>

#include "services/settings.h"

// entryName is only shown, so the user sees what the command will act on;
// paneDirectory is where "&File" starts looking for programs.
// A double click or OK answers true with the selected item in chosen; OK with
// no item selected takes the combo box text instead (when it is not blank).
// Either way the list goes back to tablePath when it was changed; Cancel
// leaves the file alone. The dialog's place is kept under "WINDOW",
// "EXEC_COMMAND" whichever way it closes.
bool runExecCommandDialog(HWND owner, Settings& settings, const std::string& tablePath,
                          const std::string& entryName, const std::string& paneDirectory,
                          std::string& chosen);

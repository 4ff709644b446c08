#pragma once
// The Change Drive dialog (resource 129): the drives present, each with the
// path last used on it.
#include <windows.h>

#include "services/drive_memory.h"
#include "services/settings.h"

// A letter key of a present drive chooses it at once; a double click or OK
// chooses the selected row. On a choice stores the upper-case letter in
// chosenLetter and answers true; the caller then goes to "X:", which the
// drive memory resolves. The dialog's place is kept in the settings under
// "CHANGE_DRIVE" whichever way it closes.
bool runChangeDriveDialog(HWND owner, Settings& settings, const DriveMemory& drives,
                          char& chosenLetter);


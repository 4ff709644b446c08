#pragma once
// The key assignment dialog: edits a copy of the process's key map.
#include <windows.h>

#include <string>

#include "commands/key_map.h"

// Shows the dialog over owner on a copy of keyMap. OK writes
// programDirectory + "KEY.TBL", replaces keyMap (in the dialog's display order)
// and returns true; the caller then tells the other instances to reload.
// Cancel returns false and changes nothing.
bool runKeyDialog(HWND owner, const std::string& programDirectory, KeyMap& keyMap);

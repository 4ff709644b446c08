#pragma once
// The dialog that edits the extension colour and command table.
#include <windows.h>

#include <string>

#include "panes/ext_table.h"

// Edits a copy of table. OK replaces table, saves programDirectory +
// "Color.tbl" and answers true; the caller tells the other windows to reload
// and repaints. Cancel answers false and changes nothing.
bool runCommandDialog(HWND owner, const std::string& programDirectory, ExtTable& table);

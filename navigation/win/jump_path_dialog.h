#pragma once
// The Jump Path dialog (resource 137): a key table of paths or command lines,
// where a key in the key-select field chooses its text at once and Shift+key
// stores the typed text under that key.
#include <windows.h>

#include <string>
#include <string_view>

#include "services/settings.h"

class ExtTable;

enum class JumpMode { Jump, Execute, History };

// The dialog's caption, also the settings section of its earlier inputs and
// its position.
const char* jumpModeTitle(JumpMode mode);
// "JUMP.TBL", "EXECUTE.TBL" or "History.tbl".
const char* jumpModeTableFile(JumpMode mode);

// A trailing "\.." or "/.." goes.
std::string withoutParentStep(std::string_view path);

// Shows the dialog on the table file (programDirectory + the mode's file);
// true with the chosen text (a path, or a command text for Execute) when the
// user chose one. currentPath is the initial text of the path field. Path
// completion leaves out the entries that colours hide when colours is given.
bool runJumpPathDialog(HWND owner, JumpMode mode, Settings& settings,
                       const std::string& currentPath, std::string& chosen,
                       const ExtTable* colours = nullptr);

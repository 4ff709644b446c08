#pragma once
// The find-name dialog (resource 152): one editable combo box with the
// earlier texts of the settings section "FIND_NAME".
//
// In the find use every change of the text is posted to the pane as
// MsgIncrementalFind (0x8006): wParam 0, lParam a char* from new[] holding
// the NUL-terminated Shift-JIS text with every blank turned into "*". The
// receiver owns that copy and frees it with delete[]; posts still queued
// when the pane is destroyed are lost with their copies.
#include <windows.h>

#include <functional>
#include <string>

#include "services/settings.h"

enum class FindNameUse {
    Find,    // "Find filename": incremental, placed above the pane's top right corner
    Mask,    // "Mask"
    Select,  // "Select"
    Input,   // the common one-line input: any caption, its own history
};

// text is the initial text (the mask use passes the current mask) and, on OK,
// the text as typed. On OK the text is put at the top of the earlier texts,
// which are saved. The find use does not load the earlier texts. pane receives
// the find posts and places the find use; it is unused by the other uses.
bool runFindNameDialog(HWND owner, HWND pane, FindNameUse use, Settings& settings,
                       std::string& text);

// The program's one-line input ("Copy", "Move", "Make Dir", "Create File"):
// the earlier texts live in the settings section named by the caption. text
// is the initial text and, on OK, the text as typed. onEdit gets the edit
// window of the combo box once it holds the initial text, so that a caller
// can give it more keys; the edit lives until the function returns.
bool runInputLineDialog(HWND owner, const std::string& caption, Settings& settings,
                        std::string& text, const std::function<void(HWND edit)>& onEdit = {});

// Where the find use goes: its right edge on the pane's right edge and its
// bottom on the pane's top, moved inside the work area when that would leave
// the dialog partly off the screen.
POINT findDialogOrigin(const RECT& pane, SIZE dialog, const RECT& workArea);

#pragma once
// Dialog 152, the one-line input with earlier entries ("Find filename",
// "Mask", "Select", "Parameter [n]"): shared by its .rc and the code using it.
#define IDD_FIND_NAME 152
#define IDC_FIND_NAME_TEXT 1230

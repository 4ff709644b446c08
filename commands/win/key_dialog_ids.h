#pragma once
// Resource numbers of the key assignment dialog, shared by its template and
// its code.
#define IDD_KEY_DIALOG 142
#define IDC_KEY_LIST 1145
#define IDC_KEY_NAME 1146
#define IDC_KEY_CTRL 1079
#define IDC_KEY_ALT 1080
#define IDC_KEY_SHIFT 1082
#define IDC_KEY_COMMAND 1081
#define IDC_KEY_FILE 4
#define IDC_KEY_SET 3
#define IDC_KEY_DEL 1009
#define IDC_KEY_SAVE 5
#define IDC_KEY_LOAD 6

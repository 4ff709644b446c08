#pragma once
// Dialog 139, the info strip, and the pictures it shows: shared by
// info_view.rc and the code.
#define IDD_INFO_VIEW 139
#define IDI_INFO_FOLDER 156
#define IDI_INFO_FILE 157
#define IDI_INFO_NETWORK 159
#define IDI_INFO_ARCHIVE_FOLDER 161
#define IDI_INFO_ARCHIVE_FILE 162
#define IDC_INFO_ALT_NAME 1071
#define IDC_INFO_WRITE_TIME 1074
#define IDC_INFO_NAME 1075
#define IDC_INFO_SIZE 1076
#define IDC_INFO_DISK 1096
#define IDC_INFO_FILES 1097
#define IDC_INFO_CLOCK 1117
#define IDC_INFO_ICON 1122
#define IDC_INFO_MEMORY 1126
#define IDC_INFO_LEFT 1152
#define IDC_INFO_RIGHT 1153
#define IDC_INFO_ATTRIBUTES 1166
#define IDC_INFO_ATTRIBUTE_LABEL 1169

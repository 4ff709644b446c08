#pragma once
// Dialog 129 "Change Drive": shared by change_drive_dialog.rc and change_drive_dialog.cpp.
#define IDD_CHANGE_DRIVE 129
#define IDC_CHANGE_DRIVE_LIST 1390

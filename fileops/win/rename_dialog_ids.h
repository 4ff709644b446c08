#pragma once
// Dialog 153 "Rename": shared by rename_dialog.rc and rename_dialog.cpp.
#define IDD_RENAME 153
#define IDC_RENAME_OLD_LABEL 1530
#define IDC_RENAME_OLD 1531
#define IDC_RENAME_NEW_LABEL 1532
#define IDC_RENAME_NEW 1533

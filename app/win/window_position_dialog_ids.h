#pragma once
// Dialog 160 "WINDOW Position": shared by window_position_dialog.rc and .cpp.
#define IDD_WINDOW_POSITION 160
#define IDC_POSITION_MAIN 1088
#define IDC_POSITION_VIEWER 1089
#define IDC_POSITION_INFO 1158
#define IDC_POSITION_LIST 1159
#define IDC_POSITION_SLOT0 1160
#define IDC_POSITION_SLOT1 1165  // 1 to 8 follow on

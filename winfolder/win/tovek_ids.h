#pragma once
// Tovek's resources and controls.
#define IDD_TOVEK 102
#define IDD_TOVEK_ABOUT 100
#define IDS_TOVEK_ABOUT 101
#define IDI_TOVEK 128
#define IDC_TOVEK_FINDER_CURSOR 129
#define IDB_TOVEK_FINDER 130
#define IDI_TOVEK_SMALL 131
#define IDC_TOVEK_JUMP 1000
#define IDC_TOVEK_FINDER 1001
#define IDC_TOVEK_PATH 1002
#define IDC_TOVEK_DLL_NAME 1003
#define IDC_TOVEK_CHECK 1004
// The system-menu command of the about box.
#define IDM_TOVEK_ABOUT 16

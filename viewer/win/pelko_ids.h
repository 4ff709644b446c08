#pragma once
// Pelko's resources.
#define IDD_PELKO_ABOUT 100
#define IDS_PELKO_ABOUT 101
#define IDD_PELKO 102
#define IDI_PELKO 128
#define IDC_PELKO_VIEW 1002
#define IDC_PELKO_PAGE 1005
#define IDM_PELKO_ABOUT 16

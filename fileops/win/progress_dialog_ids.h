#pragma once
// Dialog 155 "FTP": shared by progress_dialog.rc and progress_dialog.cpp.
#define IDD_FTP_PROGRESS 155
#define IDC_FTP_PROGRESS_ITEM 1047
#define IDC_FTP_PROGRESS_STATUS 1088
#define IDC_FTP_PROGRESS_CANCEL 1165

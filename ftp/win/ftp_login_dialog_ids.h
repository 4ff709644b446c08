#pragma once
// Dialog 154 "FTP": shared by ftp_login_dialog.rc and ftp_login_dialog.cpp.
#define IDD_FTP_LOGIN 154
#define IDC_FTP_USER 1088
#define IDC_FTP_PASS 1089
#define IDC_FTP_HOST 1090
#define IDC_FTP_PASSIVE 1170

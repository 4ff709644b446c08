#pragma once
// Dialog 141 "PACK": shared by pack_dialog.rc and pack_dialog.cpp.
#define IDD_PACK 141
#define IDC_PACK_NAME 1047
#define IDC_PACK_AUTO 1048
#define IDC_PACK_LHA 1049
#define IDC_PACK_ZIP 1050
#define IDC_PACK_CAB 1051
#define IDC_PACK_TAR 1052

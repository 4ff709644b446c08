#pragma once
// Dialog 150 "To Clipborad": shared by copy_list_dialog.rc and copy_list_dialog.cpp.
#define IDD_COPY_LIST 150
#define IDC_COPY_LIST_SIZE 1220
#define IDC_COPY_LIST_TIME 1221
#define IDC_COPY_LIST_PATH 1222
#define IDC_COPY_LIST_FILENAME 1223
#define IDC_COPY_LIST_TOTAL 1224

#pragma once
// Dialog 161 "Execute / Jump": shared by jump_list_dialog.rc and jump_list_dialog.cpp.
#define IDD_JUMP_LIST 161
#define IDC_JUMP_LIST_NAME 1400
#define IDC_JUMP_LIST_PATH 1401
#define IDC_JUMP_LIST_LIST 1402
#define IDC_JUMP_LIST_SPIN 1403
#define IDC_JUMP_LIST_NEXT 1404
#define IDC_JUMP_LIST_ADD 1405
#define IDC_JUMP_LIST_DEL 1406
#define IDC_JUMP_LIST_CLOSE 1407
#define IDC_JUMP_LIST_EDIT 1408
#define IDC_JUMP_LIST_NAME_LABEL 1409
#define IDC_JUMP_LIST_PATH_LABEL 1410
#define IDC_JUMP_LIST_LIST_LABEL 1411

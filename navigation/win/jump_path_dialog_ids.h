#pragma once
// Dialog 137, the key table of jump, execute and history paths: shared by
// its .rc and the code using it.
#define IDD_JUMP_PATH 137
#define IDC_JUMP_KEY 1040
#define IDC_JUMP_ENTER 1041
#define IDC_JUMP_DELETE 1042
#define IDC_JUMP_PATH 1043
#define IDC_JUMP_LIST 1044
#define IDC_JUMP_STATUS 1045
#define IDC_JUMP_SELECT 1046

#pragma once
// Resource numbers of the main program.
#define IDD_MAIN 102
#define IDI_MAIN 128
#define IDI_SMALL 140
#define IDC_PANE 1003
#define IDC_KEY_RECEIVER 1026

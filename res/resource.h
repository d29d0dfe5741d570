// Identifiers of the program's resources and controls.
#pragma once

#define IDM_ABOUTBOX 0x0010
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDD_ABOUTBOX 104
#define IDR_MAINFRAME 128
#define IDR_LIST_MENU 129
#define IDR_ACCELERATORS 130
#define IDI_ABOUT 133

#define IDC_ABOUT_TITLE 1000
#define IDC_FILE_DETAILS 1001
#define IDC_HOME_LINK 1002
#define IDC_SEARCH_TEXT 1003
#define IDC_SEARCH 1004
#define IDC_LOGO 1005
#define IDC_FILE_NAME 1006
#define IDC_FILE_LIST 1007
#define IDC_CHECK 1008
#define IDC_CHECK_PATH 1009
#define IDC_BROWSE 1010

// The file list's shortcut menu, and the keys of the main dialog.
#define ID_LIST_COPY_PATH 32771
#define ID_LIST_COPY_ALL 32772
#define ID_LIST_SAVE 32773
#define ID_LIST_OPEN_FOLDER 32774
#define ID_LIST_PROPERTIES 32775
#define ID_LIST_CHECK 32776
#define ID_FIND 32777
#define ID_SEARCH_AGAIN 32778

#pragma once

// Resource and control ids, shared by the resource script and the code.

#define IDD_MAIN 102
#define IDI_APP 128
#define IDM_MAIN 134

#define IDM_HELP_INDEX 57666

#define IDC_SEARCH 1001
#define IDC_REPLACE 1002
#define IDC_ACTION 1003
#define IDC_LIST 1004
#define IDC_UNLIST 1005
#define IDC_EXIT 1006
#define IDC_FILES 1007

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDS_BAD_PATTERN 10
#define IDS_FORBIDDEN_CHARACTER 11
#define IDS_REGION_IN_GROUP 12
#define IDS_PROGRAM_VERSION 13
#define IDS_LIBRARY_MISSING 14

// Resource ids, shared by the resource script and the code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDS_ONE_JOURNAL 103
#define IDS_JOURNALS 104
#define IDS_WAITING_CAPTION 105
#define IDD_SEARCH_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_QUERY 1000
#define IDC_RESULTS 1001

// A system-menu command id: a multiple of 16, as the system keeps the low
// four bits of those for itself.
#define IDM_ABOUTBOX 0x0010

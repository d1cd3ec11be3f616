// Resource identifiers shared by rimtrace.rc and the C++ code. Plain #defines only, so the
// resource compiler can read this file too; nothing here needs <windows.h>.
#ifndef RIMTRACE_RES_RESOURCE_H
#define RIMTRACE_RES_RESOURCE_H

// Dialog templates.
#define IDD_RIMTRACE_DIALOG 102
#define IDD_SAVE_DATA 135
#define IDD_SENDING_REPORT 136
#define IDD_ERROR 143

// Application icon (all sizes in one group).
#define IDR_MAINFRAME 128

// Bitmaps: the background tile and the instruction picture for each edge.
#define IDB_BACKGROUND 129
#define IDB_TRACE_LEFT 131
#define IDB_TRACE_BOTTOM 132
#define IDB_TRACE_RIGHT 133
#define IDB_TRACE_TOP 134

// Strings. Bitmaps and strings are separate resource types, so their numbers may coincide.
#define IDS_TRACE_LEFT 130
#define IDS_TRACE_BOTTOM 131
#define IDS_TRACE_RIGHT 132
#define IDS_TRACE_TOP 133
#define IDS_TEST_COMPLETE 134
#define IDS_SECOND_PASS_COMPLETE 138
#define IDS_LINE_DOWN 139
#define IDS_LINE_RIGHT 140
#define IDS_LINE_UP 141
#define IDS_LINE_LEFT 142
#define IDS_TOO_FAST 143

// Controls of the Save dialog.
#define IDC_FILE_NAME 1000
#define IDC_BROWSE 1001
#define IDC_SEND_REPORT 1002
#define IDC_SERIAL_NUMBER 1004
#define IDC_SECOND_TRACE 1005
#define IDC_INTERNAL_TRACE 1006

// Control of the Error dialog.
#define IDC_MESSAGE 1007

// Labels that no code addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif  // RIMTRACE_RES_RESOURCE_H

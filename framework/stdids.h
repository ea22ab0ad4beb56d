#pragma once
// The framework's standard command ids, window ids and private messages (the values the system's
// resources and code use).
#include <windows.h>

// Files
#define ID_FILE_NEW             0xE100
#define ID_FILE_OPEN            0xE101
#define ID_FILE_CLOSE           0xE102
#define ID_FILE_SAVE            0xE103
#define ID_FILE_SAVE_AS         0xE104
#define ID_FILE_PAGE_SETUP      0xE105
#define ID_FILE_PRINT_SETUP     0xE106
#define ID_FILE_PRINT           0xE107
#define ID_FILE_PRINT_DIRECT    0xE108
#define ID_FILE_PRINT_PREVIEW   0xE109
#define ID_FILE_MRU_FILE1       0xE110
#define ID_FILE_MRU_FILE16      0xE11F
// Edit
#define ID_EDIT_CLEAR           0xE120
#define ID_EDIT_CLEAR_ALL       0xE121
#define ID_EDIT_COPY            0xE122
#define ID_EDIT_CUT             0xE123
#define ID_EDIT_FIND            0xE124
#define ID_EDIT_PASTE           0xE125
#define ID_EDIT_PASTE_LINK      0xE126
#define ID_EDIT_PASTE_SPECIAL   0xE127
#define ID_EDIT_REPEAT          0xE128
#define ID_EDIT_REPLACE         0xE129
#define ID_EDIT_SELECT_ALL      0xE12A
#define ID_EDIT_UNDO            0xE12B
#define ID_EDIT_REDO            0xE12C
// Windows and application
#define ID_WINDOW_NEW           0xE130
#define ID_WINDOW_ARRANGE       0xE131
#define ID_WINDOW_CASCADE       0xE132
#define ID_WINDOW_TILE_HORZ     0xE133
#define ID_WINDOW_TILE_VERT     0xE134
#define ID_WINDOW_SPLIT         0xE135
#define ID_APP_ABOUT            0xE140
#define ID_APP_EXIT             0xE141
#define ID_HELP_INDEX           0xE142
#define ID_HELP_FINDER          0xE143
#define ID_HELP_USING           0xE144
#define ID_CONTEXT_HELP         0xE145
#define ID_HELP                 0xE146
#define ID_DEFAULT_HELP         0xE147
#define ID_NEXT_PANE            0xE150
#define ID_PREV_PANE            0xE151
#define ID_OLE_INSERT_NEW       0xE200
#define ID_VIEW_STATUS_BAR      0xE801
#define ID_SEPARATOR            0

// Window ids
#define AFX_IDW_PANE_FIRST      0xE900
#define AFX_IDW_PANE_LAST       0xE9FF
#define AFX_IDW_STATUS_BAR      0xE801
#define AFX_IDW_RIBBON_BAR      0xE806
#define AFX_IDW_MDI_AREA        0xE8FF

// Strings
#define AFX_IDS_APP_TITLE       0xE000

// Private messages
#define WM_IDLEUPDATECMDUI      0x0363   // wParam: disable elements without handlers
#define WM_INITIALUPDATE        0x0364   // sent to every window of a frame when it is first shown

// Bar styles (kept by the bar, not in the window style)
#define CBRS_ALIGN_LEFT         0x1000L
#define CBRS_ALIGN_TOP          0x2000L
#define CBRS_ALIGN_RIGHT        0x4000L
#define CBRS_ALIGN_BOTTOM       0x8000L
#define CBRS_ALIGN_ANY          0xF000L
#define CBRS_TOP                CBRS_ALIGN_TOP
#define CBRS_BOTTOM             CBRS_ALIGN_BOTTOM

// Frame styles
#define FWS_ADDTOTITLE          0x00008000L

#pragma once
// Values the grid shares with its hosts: cell states, notification codes and records, private
// messages, mouse modes and the display-information mask bits.
#include "framework/cstring.h"
#include <windows.h>
#include <commctrl.h>

// Cell states.
constexpr UINT GVIS_FOCUSED = 0x01;
constexpr UINT GVIS_SELECTED = 0x02;
constexpr UINT GVIS_DROPHILITED = 0x04;
constexpr UINT GVIS_READONLY = 0x08;
constexpr UINT GVIS_FIXED = 0x10;
constexpr UINT GVIS_FIXEDROW = 0x20;
constexpr UINT GVIS_FIXEDCOL = 0x40;
constexpr UINT GVIS_MODIFIED = 0x80;

// Display-information mask bits.
constexpr UINT GVIF_TEXT = 0x01;
constexpr UINT GVIF_IMAGE = 0x02;
constexpr UINT GVIF_PARAM = 0x04;
constexpr UINT GVIF_STATE = 0x08;
constexpr UINT GVIF_BKCLR = 0x10;
constexpr UINT GVIF_FGCLR = 0x20;
constexpr UINT GVIF_FORMAT = 0x40;
constexpr UINT GVIF_FONT = 0x80;
constexpr UINT GVIF_MARGIN = 0x100;

// Grid lines.
constexpr int GVL_NONE = 0;
constexpr int GVL_HORZ = 1;
constexpr int GVL_VERT = 2;
constexpr int GVL_BOTH = 3;

// Automatic-size style.
constexpr UINT GVS_HEADER = 0x1;
constexpr UINT GVS_DATA = 0x2;
constexpr UINT GVS_BOTH = 0x3;

// Notification codes (WM_NOTIFY to the owner).
constexpr int GRIDN_SELCHANGING = -100;
constexpr int GRIDN_SELCHANGED = -101;
constexpr int GRIDN_BEGINEDIT = -105;
constexpr int GRIDN_ENDEDIT = -106;
constexpr int GRIDN_CELLDOWN = -108;
constexpr int GRIDN_BEGINDRAG = -109;
constexpr int GRIDN_CACHEHINT = -113;
constexpr int GRIDN_GETDISPINFO = -150;

// Private messages to the parent around clearing the selected cells.
constexpr UINT WM_GRID_BULKEDIT = WM_APP + 5;      // wParam 0 before, 1 after
constexpr UINT WM_GRID_BEFORECLEAR = WM_APP + 7;
#ifndef ID_EDIT_DELETE
#define ID_EDIT_DELETE 839
#endif

// The control ids the grid uses.
constexpr UINT IDC_GRIDCTRL = 555;
constexpr UINT IDC_INPLACE_CONTROL = 8;

// Mouse modes.
enum GridMouseMode {
    MOUSE_NOTHING = 0,
    MOUSE_SELECT_ALL = 1,
    MOUSE_SELECT_COL = 2,
    MOUSE_SELECT_ROW = 3,
    MOUSE_SELECT_CELLS = 4,
    MOUSE_OVER_ROW_DIVIDE = 6,
    MOUSE_SIZING_ROW = 7,
    MOUSE_OVER_COL_DIVIDE = 8,
    MOUSE_SIZING_COL = 9,
    MOUSE_PREPARE_EDIT = 10,
    MOUSE_PREPARE_DRAG = 11,
    MOUSE_DRAGGING = 12,
};

// The first "character" of an edit is either a typed character or a key that opened or carries on
// editing (Tab, Enter, Page Up and Down, End, Home, the arrows). Several of those keys share their
// codes with characters ('#' is VK_END, '%' VK_LEFT): keys travel with this bit, characters without.
// VK_LBUTTON (a click, F2) and VK_BACK are no printable characters and need no bit.
constexpr UINT GRID_EDIT_KEY = 0x40000000;

constexpr UINT GRID_AUTOSCROLL_TIMER = 513;
constexpr DWORD GRID_DEFAULT_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;   // 0x8824

// The record of a display-information request and of the editor's end-of-edit notification.
struct GRID_DISPINFO {
    NMHDR hdr;
    int row;
    int col;
    UINT mask;
    UINT state;
    UINT format;
    int image;
    COLORREF crBkClr;
    COLORREF crFgClr;
    DWORD lParam;        // user data; the last key in the editor's notification
    LOGFONTA lfFont;
    UINT margin;
    CString strText;
};

struct GRID_NOTIFY {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

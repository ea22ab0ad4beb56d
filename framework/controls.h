#pragma once
// Thin wrappers of the system's controls: each binds to its window (created by Create or
// subclassed from a dialog with DDX_Control/SubclassDlgItem) and turns its messages into members.
// They own nothing beyond the window; item data and image lists stay the caller's.
// CEdit is in framework/edit.h, CScrollBar in framework/wnd.h.
#include "framework/wnd.h"
#include <commctrl.h>

// ---- static text, icon or picture
class CStatic : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF)
    { return CWnd::Create("STATIC", text, style, rect, parent, id); }
    HICON SetIcon(HICON icon)
    { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    { return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap))); }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
};

// ---- push button, check box, radio button, group box
class CButton : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    { return CWnd::Create("BUTTON", text, style, rect, parent, id); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HICON SetIcon(HICON icon)
    { return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon))); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    { return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap))); }
    void Click() { SendMessage(BM_CLICK); }
};

// ---- combo box (drop-down list, drop-down or simple)
class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    { return CWnd::Create("COMBOBOX", "", style, rect, parent, id); }
    int AddString(const char* text)
    { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : ""))); }
    int InsertString(int index, const char* text)
    {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(text ? text : "")));
    }
    int DeleteString(UINT index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetLBTextLen(int index) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index))); }
    // The item's text; empty (and CB_ERR returned) for an index out of range.
    int GetLBText(int index, CString& text) const
    {
        int length = GetLBTextLen(index);
        if (length == CB_ERR) {
            text.Empty();
            return CB_ERR;
        }
        char* buffer = text.GetBuffer(length + 1);
        int got = static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
        text.ReleaseBuffer(got < 0 ? 0 : got);
        return got;
    }
    int SetItemData(int index, DWORD_PTR data)
    { return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data))); }
    DWORD_PTR GetItemData(int index) const
    { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index))); }
    int FindString(int startAfter, const char* text) const
    { return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text))); }
    int FindStringExact(int startAfter, const char* text) const
    {
        return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                            reinterpret_cast<LPARAM>(text)));
    }
    int SelectString(int startAfter, const char* text)
    { return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text))); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    int SetDroppedWidth(UINT width) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, width)); }
    BOOL SetEditSel(int start, int end) { return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end))); }
    BOOL LimitText(int chars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(chars))); }
    int SetItemHeight(int index, UINT height)
    { return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), static_cast<LPARAM>(height))); }
};

// ---- list box (single or multiple selection)
class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    { return CWnd::Create("LISTBOX", "", style, rect, parent, id); }
    int AddString(const char* text)
    { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : ""))); }
    int InsertString(int index, const char* text)
    {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(text ? text : "")));
    }
    int DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
    int GetText(int index, CString& text) const
    {
        int length = GetTextLen(index);
        if (length == LB_ERR) {
            text.Empty();
            return LB_ERR;
        }
        char* buffer = text.GetBuffer(length + 1);
        int got = static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
        text.ReleaseBuffer(got < 0 ? 0 : got);
        return got;
    }
    int SetItemData(int index, DWORD_PTR data)
    { return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data))); }
    DWORD_PTR GetItemData(int index) const
    { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
    int FindString(int startAfter, const char* text) const
    { return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text))); }
    int FindStringExact(int startAfter, const char* text) const
    {
        return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                            reinterpret_cast<LPARAM>(text)));
    }
    int SelectString(int startAfter, const char* text)
    { return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text))); }
    // Multiple-selection list boxes.
    int GetSel(int index) const { return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index))); }
    int SetSel(int index, BOOL select = TRUE)
    { return static_cast<int>(SendMessage(LB_SETSEL, select, static_cast<LPARAM>(index))); }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    int GetSelItems(int maxItems, LPINT items) const
    { return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maxItems), reinterpret_cast<LPARAM>(items))); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index))); }
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
    int SetItemHeight(int index, UINT height)
    { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0))); }
    void SetHorizontalExtent(int extent) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent)); }
};

// ---- list view (report columns with sub-items)
class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    { return CWnd::Create(WC_LISTVIEWA, "", style, rect, parent, id); }

    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD style)
    { return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style))); }
    HIMAGELIST SetImageList(HIMAGELIST list, int which)
    { return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list))); }

    // Columns: subItem -1 numbers the column's sub-item as its position.
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1)
    {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_FMT;
        col.fmt = format;
        col.pszText = const_cast<char*>(heading ? heading : "");
        if (width >= 0) {
            col.mask |= LVCF_WIDTH;
            col.cx = width;
        }
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = subItem >= 0 ? subItem : column;
        return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)));
    }
    BOOL DeleteColumn(int column) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column))); }
    int GetColumnWidth(int column) const
    { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    BOOL SetColumnWidth(int column, int width)
    { return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0))); }

    // Items
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int InsertItem(const LVITEMA* item)
    { return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    int InsertItem(int index, const char* text, int image = -1)
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
        item.iItem = index;
        item.pszText = const_cast<char*>(text ? text : "");
        item.iImage = image;
        return InsertItem(&item);
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL GetItem(LVITEMA* item) const { return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(const LVITEMA* item) { return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    // The text of an item (subItem 0) or one of its sub-items, whatever its length.
    CString GetItemText(int index, int subItem) const
    {
        CString text;
        for (int size = 256;; size *= 2) {
            LVITEMA item = {};
            item.iSubItem = subItem;
            item.cchTextMax = size;
            item.pszText = text.GetBuffer(size);
            int got = static_cast<int>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
            text.ReleaseBuffer(got < 0 ? 0 : got);
            if (got < size - 1 || size >= (1 << 20))
                return text;
        }
    }
    int GetItemText(int index, int subItem, char* buffer, int size) const
    {
        LVITEMA item = {};
        item.iSubItem = subItem;
        item.cchTextMax = size;
        item.pszText = buffer;
        return static_cast<int>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }
    BOOL SetItemText(int index, int subItem, const char* text)
    {
        LVITEMA item = {};
        item.iSubItem = subItem;
        item.pszText = const_cast<char*>(text ? text : "");
        return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }
    BOOL SetItemData(int index, DWORD_PTR data)
    {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        item.lParam = static_cast<LPARAM>(data);
        return SetItem(&item);
    }
    DWORD_PTR GetItemData(int index) const
    {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
    }
    BOOL SetItemState(int index, UINT state, UINT mask)
    {
        LVITEMA item = {};
        item.state = state;
        item.stateMask = mask;
        return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }
    UINT GetItemState(int index, UINT mask) const
    { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), static_cast<LPARAM>(mask))); }

    // Selection and position
    int GetNextItem(int start, int flags) const
    { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0))); }
    int GetSelectedCount() const { return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // The first selected item after start (-1: from the beginning), or -1.
    int GetNextSelectedItem(int start = -1) const { return GetNextItem(start, LVNI_SELECTED); }
    int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
    BOOL EnsureVisible(int index, BOOL partialOK)
    { return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOK)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const
    {
        rect->left = static_cast<LONG>(code);
        return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    int HitTest(POINT pt, UINT* flags = nullptr) const
    {
        LVHITTESTINFO info = {};
        info.pt = pt;
        int index = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        if (flags != nullptr)
            *flags = info.flags;
        return index;
    }
    int FindItem(const LVFINDINFOA* find, int start = -1) const
    { return static_cast<int>(SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find))); }
    BOOL Update(int index) { return static_cast<BOOL>(SendMessage(LVM_UPDATE, static_cast<WPARAM>(index))); }

    // Sorts by compare(item data 1, item data 2, data): negative, zero or positive like strcmp.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
    { return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare))); }
};

// ---- up-down control, usually with a buddy edit
class CSpinButtonCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    { return CWnd::Create(UPDOWN_CLASSA, "", style, rect, parent, id); }
    void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper)); }
    void GetRange32(int& lower, int& upper) const
    { SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper)); }
    int SetPos32(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, static_cast<LPARAM>(pos))); }
    // The position; *error (when given) tells that the buddy's text is not a number in range.
    int GetPos32(BOOL* error = nullptr) const
    { return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error))); }
    CWnd* SetBuddy(CWnd* buddy)
    { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr)))); }
    CWnd* GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
    int SetBase(int base) { return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base))); }
    BOOL SetAccel(int count, UDACCEL* accel)
    { return static_cast<BOOL>(SendMessage(UDM_SETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(accel))); }
};

// ---- tab strip
class CTabCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    { return CWnd::Create(WC_TABCONTROLA, "", style, rect, parent, id); }
    int InsertItem(int index, const char* text, int image = -1)
    {
        TCITEMA item = {};
        item.mask = TCIF_TEXT | (image >= 0 ? TCIF_IMAGE : 0);
        item.pszText = const_cast<char*>(text ? text : "");
        item.iImage = image;
        return InsertItem(index, &item);
    }
    int InsertItem(int index, const TCITEMA* item)
    { return static_cast<int>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item))); }
    BOOL GetItem(int index, TCITEMA* item) const
    { return static_cast<BOOL>(SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(int index, const TCITEMA* item)
    { return static_cast<BOOL>(SendMessage(TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item))); }
    CString GetItemText(int index) const
    {
        char text[256] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        return GetItem(index, &item) ? CString(item.pszText) : CString();
    }
    BOOL SetItemText(int index, const char* text)
    {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text ? text : "");
        return SetItem(index, &item);
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    void SetCurFocus(int index) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index)); }
    BOOL GetItemRect(int index, LPRECT rect) const
    { return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect))); }
    // larger: from a display rectangle to the window rectangle; else the reverse.
    void AdjustRect(BOOL larger, LPRECT rect) { SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect)); }
    int HitTest(POINT pt, UINT* flags = nullptr) const
    {
        TCHITTESTINFO info = {};
        info.pt = pt;
        int index = static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        if (flags != nullptr)
            *flags = info.flags;
        return index;
    }
    HIMAGELIST SetImageList(HIMAGELIST list)
    { return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list))); }
    CSize SetItemSize(CSize size)
    {
        LRESULT old = SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
        return CSize(LOWORD(old), HIWORD(old));
    }
};

// ---- tooltip: tools are windows (whole) or rectangles of a window (toolId != 0). Mouse messages
// reach it through RelayEvent, since the tooltip does not subclass the tools.
class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = 0)
    {
        return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | style, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
    }
    // A tool for the whole of wnd (rect null and toolId 0) or for rect inside it.
    BOOL AddTool(CWnd* wnd, const char* text, LPCRECT rect = nullptr, UINT_PTR toolId = 0)
    {
        if (wnd == nullptr)
            return FALSE;
        TOOLINFOA info = MakeInfo(wnd->m_hWnd, toolId);
        info.lpszText = const_cast<char*>(text ? text : LPSTR_TEXTCALLBACKA);
        if (rect != nullptr)
            info.rect = *rect;
        else if (toolId != 0)
            ::GetClientRect(wnd->m_hWnd, &info.rect);
        return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    }
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0)
    {
        if (wnd == nullptr)
            return;
        TOOLINFOA info = MakeInfo(wnd->m_hWnd, toolId);
        SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR toolId = 0)
    {
        if (wnd == nullptr)
            return;
        TOOLINFOA info = MakeInfo(wnd->m_hWnd, toolId);
        info.lpszText = const_cast<char*>(text ? text : "");
        SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    }
    // The tool's text (at most 1023 characters: the tooltip's own limit is far below).
    CString GetText(CWnd* wnd, UINT_PTR toolId = 0) const
    {
        char text[1024] = {};
        if (wnd == nullptr)
            return CString();
        TOOLINFOA info = MakeInfo(wnd->m_hWnd, toolId);
        info.lpszText = text;
        SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        return CString(text);
    }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    // One delay (TTDT_INITIAL, TTDT_AUTOPOP, TTDT_RESHOW) in milliseconds, or all of them from
    // the initial delay (the single-argument form).
    void SetDelayTime(DWORD which, int milliseconds)
    { SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(milliseconds, 0)); }
    void SetDelayTime(UINT milliseconds) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(milliseconds, 0)); }
    int GetDelayTime(DWORD which) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, which)); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    void SetTipBkColor(COLORREF color) { SendMessage(TTM_SETTIPBKCOLOR, color); }
    void SetTipTextColor(COLORREF color) { SendMessage(TTM_SETTIPTEXTCOLOR, color); }
    void Pop() { SendMessage(TTM_POP); }

private:
    // The size of the first TOOLINFO layout: every version of the common controls accepts it,
    // where the longer ones are refused by older versions.
    static TOOLINFOA MakeInfo(HWND wnd, UINT_PTR toolId)
    {
        TOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = wnd;
        info.uId = toolId != 0 ? toolId : reinterpret_cast<UINT_PTR>(wnd);
        info.uFlags = toolId != 0 ? 0 : TTF_IDISHWND;
        return info;
    }
};

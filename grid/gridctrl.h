#pragma once
// CGridCtrl: a spreadsheet-like child window of text cells with fixed header rows and columns. In
// ordinary mode it owns its cells; in virtual mode it asks its owner for every cell as it is needed
// (GRIDN_GETDISPINFO or a callback) and keeps only sizes, orders and the selection. It tells its
// owner (else its parent) what happens through WM_NOTIFY with the GRIDN_* codes of griddefs.h.
#include "framework/edit.h"
#include "framework/oledata.h"
#include "framework/oledroptarget.h"
#include "framework/wheel.h"
#include "framework/wnd.h"
#include "grid/gridcell.h"
#include "grid/gridcellrange.h"
#include "grid/gridcellset.h"
#include "grid/griddefs.h"
#include "grid/titletip.h"
#include <cstdint>
#include <unordered_map>
#include <vector>

class CGridInPlaceEdit;
class CGridCtrl;
class CPrintInfo;

// The grid's drop target: forwards OLE drags over its own grid to the grid's handlers.
class CGridDropTarget : public COleDropTarget {
public:
    // Once, for a grid only (not again while registered, nor from inside itself).
    BOOL Register(CGridCtrl* grid);
    BOOL IsRegistered() const { return m_bRegistered; }
    BOOL Register(CWnd* wnd) override;
    void Revoke() override;
    DWORD OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DWORD OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DWORD dropEffect, CPoint point) override;
    DWORD OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point) override;

private:
    CGridCtrl* m_pGridCtrl = nullptr;
    BOOL m_bRegistered = FALSE;
    bool m_bRegistering = false;
};

// Called in virtual mode for every cell, in place of GRIDN_GETDISPINFO.
using GRIDCALLBACK = BOOL (CALLBACK*)(GRID_DISPINFO* info, LPARAM user);
// Virtual-mode row order predicate: true when data row a sorts before data row b.
using GridRowPredicate = bool (*)(int a, int b);
// Ordinary-mode compare of two cells (CGridCellBase*): negative, zero or positive.
using GridCompareFunc = int (CALLBACK*)(LPARAM cell1, LPARAM cell2, LPARAM data);
// Where the grid reads the system colours it remembers and follows (COLOR_WINDOW ...).
using GridSysColourFunc = COLORREF (*)(int index);

class CGridCtrl : public CWnd {
public:
    CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
    ~CGridCtrl() override;

    BOOL Create(const RECT& rect, CWnd* parent, UINT id = IDC_GRIDCTRL, DWORD style = 0x50810000);
    static BOOL RegisterWindowClass();
    // A grid being destroyed asks its owner nothing more. The destructor says so first of all; an
    // owner that tears down its side before it may say so earlier. There is no way back.
    void BeginDestroying() { m_bDestroying = 1; }
    BOOL IsDestroying() const { return m_bDestroying; }
    // The system colours the grid remembers and follows on WM_SYSCOLORCHANGE are read through
    // this (null: ::GetSysColor), so that a test can play a change of the colour scheme.
    static void SetSysColourSource(GridSysColourFunc source);

    // ---- owner (child windows have no Win32 owner: notifications go here, else to the parent)
    void SetOwner(CWnd* owner) { m_hOwner = owner ? owner->m_hWnd : nullptr; }
    void SetOwner(HWND owner) { m_hOwner = owner; }
    HWND GetNotifyTarget() const;

    // ---- counts and sizes
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int rows = 10);
    BOOL SetColumnCount(int cols = 10);
    BOOL SetFixedRowCount(int fixedRows = 1);
    BOOL SetFixedColumnCount(int fixedCols = 1);
    BOOL DeleteAllItems();
    int GetRowHeight(int row) const;
    BOOL SetRowHeight(int row, int height);
    int GetColumnWidth(int col) const;
    BOOL SetColumnWidth(int col, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualHeight() const;
    long GetVirtualWidth() const;
    BOOL AutoSizeColumn(int col, UINT autoSizeStyle = 0, BOOL resetScroll = TRUE);
    BOOL AutoSizeRow(int row, BOOL resetScroll = TRUE);
    void AutoSizeColumns(UINT autoSizeStyle = 0);

    // ---- switches
    void SetVirtualMode(BOOL on);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GRIDCALLBACK callback, LPARAM user) { m_pfnCallback = callback; m_lParam = user; }
    void SetGridLines(int lines = GVL_BOTH) { m_nGridLines = lines; Refresh(); }
    int GetGridLines() const { return m_nGridLines; }
    void SetEditable(BOOL on = TRUE) { m_bEditable = on; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetModified(BOOL modified = TRUE, int row = -1, int col = -1);
    BOOL GetModified(int row = -1, int col = -1) const;
    void SetListMode(BOOL on = TRUE) { m_bListMode = on; }
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL on = TRUE) { m_bSingleRowSelection = on; }
    BOOL GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void SetSingleColSelection(BOOL on = TRUE) { m_bSingleColSelection = on; }
    BOOL GetSingleColSelection() const { return m_bSingleColSelection; }
    void SetDragAndDrop(BOOL on = TRUE) { m_bAllowDragAndDrop = on; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetAllowDraw(BOOL on) { m_bAllowDraw = on; }
    BOOL GetAllowDraw() const { return m_bAllowDraw; }
    void EnableSelection(BOOL enable = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetFixedColumnSelection(BOOL on) { m_bFixedColumnSelection = on; }
    BOOL GetFixedColumnSelection() const { return m_bFixedColumnSelection; }
    void SetFixedRowSelection(BOOL on) { m_bFixedRowSelection = on; }
    BOOL GetFixedRowSelection() const { return m_bFixedRowSelection; }
    void SetHeaderSort(BOOL on = TRUE) { m_bSortOnClick = on; }
    BOOL GetHeaderSort() const { return m_bSortOnClick; }
    void SetHandleTabKey(BOOL on = TRUE) { m_bHandleTabKey = on; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(BOOL on = TRUE) { m_bDoubleBuffer = on; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(BOOL enable = TRUE) { m_bTitleTips = enable; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void SetPrintScreenScale(BOOL on) { m_bPrintScreenScale = on; }
    void EnableHiddenColUnhide(BOOL on = TRUE) { m_bHiddenColUnhide = on; }
    void EnableHiddenRowUnhide(BOOL on = TRUE) { m_bHiddenRowUnhide = on; }
    void EnableColumnHide(BOOL on = TRUE) { m_bAllowColHide = on; }
    void EnableRowHide(BOOL on = TRUE) { m_bAllowRowHide = on; }
    void SetTrackFocusCell(BOOL on) { m_bTrackFocusCell = on; }
    void SetFrameFocusCell(BOOL on) { m_bFrameFocus = on; }
    BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetRowResize(BOOL on = TRUE) { m_bAllowRowResize = on; }
    void SetColumnResize(BOOL on = TRUE) { m_bAllowColumnResize = on; }
    void SetAutoSizeStyle(UINT style = GVS_BOTH) { m_nAutoSizeColumnStyle = style; }
    UINT GetAutoSizeStyle() const { return m_nAutoSizeColumnStyle; }
    void EnableDragRowMode(BOOL on = TRUE) { m_bDragRowMode = on ? 1 : 0; }
    void SetHeaderColumnDrag(BOOL on) { m_bHeaderColumnDrag = on ? 1 : 0; }
    void SetTabToNextControl(BOOL on) { m_bTabToNextControl = on ? 1 : 0; }
    void SetRowSelectionIncludesFixed(BOOL on) { m_bRowSelectIncludesFixed = on ? 1 : 0; }
    void SetTitleTipBackClr(COLORREF c = CLR_DEFAULT) { m_crTTipBackClr = c; }
    void SetTitleTipTextClr(COLORREF c = CLR_DEFAULT) { m_crTTipTextClr = c; }
    void SetGridBkColor(COLORREF c) { m_crGridBkColour = c; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridLineColor(COLORREF c) { m_crGridLineColour = c; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetImageList(HIMAGELIST list) { m_hImageList = list; }
    HIMAGELIST GetImageList() const { return m_hImageList; }
    int GetMouseScrollLines() const { return m_nRowsPerWheelNotch; }
    void SetMouseScrollLines(UINT lines) { m_nRowsPerWheelNotch = lines; }

    // ---- the mouse: the operation under way (one of the MOUSE_* modes) and what it holds
    int GetMouseMode() const { return m_MouseMode; }
    // A click on the focus cell's text, which opens the editor when the button comes up: an owner
    // asked to allow an edit tells it from typing, a paste or a clear, which ask the same.
    BOOL IsEditOpenedByClick() const { return m_MouseMode == MOUSE_PREPARE_EDIT; }
    BOOL IsLeftButtonDown() const { return m_bLMouseButtonDown; }      // as the grid last saw it
    BOOL IsSizingLineDrawn() const { return !m_rcSizingLine.IsRectEmpty(); }
    BOOL IsAutoScrollTimerRunning() const { return m_nTimerID != 0; }
    int GetAutoScrollInterval() const { return m_nTimerInterval; }      // milliseconds
    int GetResizeCaptureWidth() const { return m_nResizeCaptureRange; } // pixels inside a border

    // ---- cells and text
    void SetDefaultCellType(GridCellFactory factory) { m_pfnCellFactory = factory; }
    CGridCellBase* GetCell(int row, int col) const;
    BOOL SetCell(int row, int col, CGridCellBase* cell);
    CGridDefaultCell* GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const;
    BOOL SetItemText(int row, int col, const char* text);
    CString GetItemText(int row, int col) const;
    BOOL SetItemState(int row, int col, UINT state);
    UINT GetItemState(int row, int col) const;
    BOOL SetItemData(int row, int col, DWORD data);
    DWORD GetItemData(int row, int col) const;
    BOOL SetItemFormat(int row, int col, UINT format);
    UINT GetItemFormat(int row, int col) const;
    BOOL SetItemBkColour(int row, int col, COLORREF c = CLR_DEFAULT);
    BOOL SetItemFgColour(int row, int col, COLORREF c = CLR_DEFAULT);
    BOOL SetItemFont(int row, int col, const LOGFONTA* lf);
    BOOL SetItemImage(int row, int col, int image);
    BOOL IsValid(int row, int col) const { return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols; }
    BOOL IsValid(const CGridCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CGridCellRange& range) const;
    BOOL IsCellSelected(int row, int col) const;
    BOOL IsCellSelected(const CGridCellID& c) const { return IsCellSelected(c.row, c.col); }
    // Whether every cell of the range is selected.
    BOOL IsRangeSelected(const CGridCellRange& range) const
    { return m_bEnableSelection && m_SelectedCellMap.covers(range) ? TRUE : FALSE; }
    BOOL IsCellEditable(int row, int col) const;
    BOOL IsCellFixed(int row, int col) const { return row < m_nFixedRows || col < m_nFixedCols; }
    BOOL IsCellVisible(int row, int col);
    BOOL IsCellVisible(const CGridCellID& c) { return IsCellVisible(c.row, c.col); }
    void Refresh();

    // ---- geometry (client pixels)
    CGridCellID GetTopLeftNonFixedCell(BOOL forceRecalculation = FALSE);
    CGridCellRange GetVisibleNonFixedCellRange(LPRECT rect = nullptr, BOOL forceRecalculation = FALSE);
    CGridCellRange GetVisibleFixedColumnRange();
    BOOL GetCellOrigin(int row, int col, LPPOINT p);
    BOOL GetCellRect(int row, int col, LPRECT rect);
    BOOL GetCellRect(const CGridCellID& c, LPRECT rect) { return GetCellRect(c.row, c.col, rect); }
    BOOL GetTextRect(int row, int col, LPRECT rect);
    CGridCellID GetCellFromPt(CPoint point, BOOL allowFixedCellCheck = TRUE);
    BOOL EnsureVisible(int row, int col);
    BOOL EnsureVisible(const CGridCellID& c) { return EnsureVisible(c.row, c.col); }
    void ResetScrollBars();
    BOOL SetScrollPos32(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos32(int bar, BOOL getTrackPos = FALSE) const;
    // Whether ResetScrollBars showed the bar (SB_HORZ or SB_VERT), and the end of its range.
    BOOL IsScrollBarShown(int bar) const { return (m_nBarState & (bar == SB_HORZ ? 0x1 : 0x2)) != 0; }
    int GetScrollMax(int bar) const { return bar == SB_HORZ ? m_nHScrollMax : m_nVScrollMax; }

    // ---- selection
    CGridCellID SetFocusCell(int row, int col);
    CGridCellID SetFocusCell(const CGridCellID& c) { return SetFocusCell(c.row, c.col); }
    CGridCellID GetFocusCell() const { return m_idCurrentCell; }
    void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint = FALSE,
                          BOOL selectCells = TRUE);
    void SetSelectedRange(const CGridCellRange& r, BOOL forceRepaint = FALSE, BOOL selectCells = TRUE)
    { SetSelectedRange(r.GetMinRow(), r.GetMinCol(), r.GetMaxRow(), r.GetMaxCol(), forceRepaint, selectCells); }
    CGridCellRange GetSelectedCellRange() const;
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    void SelectAllCells();
    void SelectColumns(CGridCellID currentCell, BOOL forceRedraw = FALSE, BOOL selectCells = TRUE);
    void SelectRows(CGridCellID currentCell, BOOL forceRedraw = FALSE, BOOL selectCells = TRUE);
    void SelectCells(CGridCellID currentCell, BOOL forceRedraw = FALSE, BOOL selectCells = TRUE);
    void OnSelecting(const CGridCellID& currentCell);
    void ClearSelection();
    void ToggleSelectAll();
    CGridCellID GetSelectionAnchor() const { return m_SelectionStartCell; }

    // ---- drawing
    // Whether the grid has the input focus (from WM_SETFOCUS to WM_KILLFOCUS): selected cells are
    // drawn in the highlight only then.
    BOOL HasInputFocus() const { return m_bWndHasFocus; }
    BOOL RedrawCell(int row, int col, CDC* dc = nullptr);
    BOOL InvalidateCellRect(int row, int col);
    void EraseBkgnd(CDC* dc);

    // ---- sorting and orders
    BOOL SortTextItems(int col, BOOL ascending, LPARAM data = 0);
    BOOL SortColumn(GridCompareFunc compare, int col, BOOL ascending, LPARAM data = 0);
    BOOL SortItems(GridCompareFunc compare, int col, BOOL ascending, LPARAM data = 0, int low = 0, int high = -1);
    void SetCompareFunction(GridCompareFunc compare) { m_pfnCompare = compare; }
    static int CALLBACK CompareTextBytes(LPARAM cell1, LPARAM cell2, LPARAM data);
    // The grid a virtual-mode sort is running in (for the owner's row predicate), else null.
    static CGridCtrl* SortingGrid() { return s_pSortingGrid; }
    int GetSortingPhysicalColumn() const { return m_CurCol; }
    void MoveRow(int from, int to);
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortColumn(int col);
    BOOL GetSortAscending() const { return m_bAscending; }
    void SetSortAscending(BOOL ascending) { m_bAscending = ascending; }
    void ResetRowOrder();
    void SetVirtualCompare(GridRowPredicate predicate) { m_pfnVirtualCompare = predicate; }
    const std::vector<int>& GetRowOrder() const { return m_arRowOrder; }
    const std::vector<int>& GetColumnOrder() const { return m_arColOrder; }
    void SetColumnOrder(const std::vector<int>& order);

    // ---- editing
    void OnEndEditCellNotify(CGridInPlaceEdit* edit);       // the editor's window is going away
    CGridInPlaceEdit* GetInPlaceEdit() const { return m_pInPlaceEdit; }
    void SetInPlaceEdit(CGridInPlaceEdit* edit, int row, int col);
    // The shared virtual-mode cell lets go of an editor that is gone.
    static void ForgetVirtualCellEditor(CWnd* edit);
    CTitleTip& GetTitleTip() { return m_TitleTip; }

    // ---- notifications
    LRESULT SendMessageToParent(int row, int col, int code) const;
    LRESULT SendDisplayRequestToParent(GRID_DISPINFO* info) const;
    LRESULT SendCacheHintToParent(const CGridCellRange& range) const;
    LRESULT NotifyEndEdit(const char* text, int row, int col) const;

    // ---- the virtual operations, in their order
    virtual void ClearSelectedText();
    // What a cut or a moving drag takes away: the selected cells of the rows and columns shown, the
    // cells CopySelectionToDataSource puts on the clipboard.
    virtual void ClearCopiedText();
    virtual COleDataSource* CopySelectionToDataSource();
    virtual BOOL PasteFromDataObject(int row, int col, COleDataObject* data, BOOL selectPasted = TRUE);
    virtual void BeginOleDrag();
    virtual DWORD OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
    virtual DWORD OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* data, DWORD dropEffect, CPoint point);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // One row's cells from firstCol to endCol, left to right from rect.left, within rect's top and
    // bottom; rect.right ends at the last cell printed.
    virtual void PrintPageRows(int firstCol, int endCol, int row, CRect& rect, CDC* dc, BOOL drawLeftLine);
    virtual void PrintColumnHeadings(CDC* dc, CPrintInfo* info);
    virtual void PrintHeader(CDC* dc, CPrintInfo* info);
    virtual void PrintFooter(CDC* dc, CPrintInfo* info);
    virtual void PrintRowHeadings(CDC* dc, CPrintInfo* info);
    virtual HIMAGELIST CreateDragImage(CPoint* hotSpot);
    virtual void OnFixedColumnClick(CGridCellID& cell);
    virtual void OnFixedRowClick(CGridCellID& cell);
    virtual void OnEditCell(int row, int col, CPoint point, UINT character);
    virtual void OnEndEditCell(int row, int col, CString text);
    virtual BOOL ValidateEdit(int row, int col, const char* text);
    virtual void EndEditing();
    // Closes an open editor without handing its text to anybody: for an owner whose cells are gone.
    void CancelEditing();
    virtual void OnDraw(CDC* dc);
    virtual CGridCellBase* CreateCell(int row, int col);
    virtual void DestroyCell(int row, int col);
    virtual void AdjustRowOrder(int row, int delta);

    void PreSubclassWindow() override;

    // ---- text changes without the editor
    virtual BOOL ChangeCellText(int row, int col, const char* text);
    virtual void ClearCells(CGridCellRange selection);

    // ---- message handlers (public so that tests and hosts can drive them directly)
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnCaptureChanged(CWnd* wnd);
    void OnCancelMode();
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnDestroy();
    void OnEndInPlaceEdit(NMHDR* header, LRESULT* result);
    void OnUpdateEditSelectAll(CCmdUI* ui);
    void OnUpdateEditCopy(CCmdUI* ui);
    void OnUpdateEditCut(CCmdUI* ui);
    void OnUpdateEditPaste(CCmdUI* ui);

    // The print layout of the job under way (read by tests and owners).
    int GetPrintPageCount() const { return m_nNumPages; }
    int GetPrintPageWidth() const { return m_LogicalPageSize.cx; }
    int GetPrintPageHeight() const { return m_LogicalPageSize.cy; }
    int GetPrintBodyHeight() const { return m_nPageHeight; }
    int GetPrintPageFirstRow() const { return m_nCurrPrintRow; }
    int GetPrintPageFirstCol() const { return m_nCurrPrintCol; }
    // The printer font's average character width and height, the unit of the bands below.
    CSize GetPrintCharSize() const { return m_CharSize; }
    int GetPrintHeaderLines() const { return m_nHeaderHeight; }
    int GetPrintFooterLines() const { return m_nFooterHeight; }
    int GetPrintGapLines() const { return m_nGap; }
    int GetPrintLeftMargin() const { return m_nLeftMargin; }   // characters
    BOOL GetPrintColours() const { return m_bPrintColours; }
    CGridDropTarget& GetDropTarget() { return m_DropTarget; }

protected:
    DECLARE_MESSAGE_MAP()

    CGridCellBase* GetVirtualCell(int row, int col) const;
    CGridCellBase* GetCellUnchecked(int row, int col) const;
    void ResetSelectedRange();
    // Makes `after` the selection (taking its cells), updating the cells' selected states and
    // redrawing the visible cells whose state changed.
    void ApplySelection(GridCellSet& after, BOOL forceRepaint);
    void ForgetTopLeft() { m_idTopLeftCell.row = -1; }
    void ForgetSizeHints();
    int ScrollMaxPos(int bar) const;
    void ScrollLines(int bar, int lines);
    void DrawCellsInto(CDC* dc);
    BOOL IsVisibleForRedraw(int row, int col, const CGridCellRange& visible, const CGridCellRange& fixedVisible) const;
    void RedrawFixedOf(int row, int col, BOOL rowChanged, BOOL colChanged, CDC* dc);
    bool MouseOperationActive() const;
    int NextVisibleCol(int col, int step, int stop) const;
    int NextVisibleRow(int row, int step, int stop) const;
    int FirstNonZeroCol(int from, int step) const;
    int FirstNonZeroRow(int from, int step) const;
    // The column drawn just left of column col, whose right edge is col's left border (never one
    // scrolled out of view: then the last fixed column); -1 when there is none. The row above, alike.
    int ColumnLeftOf(int col, bool skipHidden);
    int RowAbove(int row, bool skipHidden);
    BOOL MouseOverColumnResizeArea(CPoint point);
    // Empties the selected cells (with shownOnly, those of rows and columns that are not hidden).
    void ClearSelectedCells(bool shownOnly);
    // Asks Windows for WM_MOUSELEAVE once the pointer leaves the window.
    void TrackLeave();
    // The automatic-scroll timer of a selection the button holds (none when nothing is selecting).
    void StartAutoScroll();
    void ConfineCursor(const CRect& band);   // client coordinates
    void ReleaseCursorClip();
    // Ends whatever the mouse had under way: sizing line, mode, button flag, timer, cursor clip.
    void EndMouseModes();
    BOOL MouseOverRowResizeArea(CPoint point);
    void DrawInvertLine(const CRect& rect);
    CGridCellID GetCellFromPtForDrag(CPoint point);
    void ReadWheelLines();
    void QuickSortRows(GridCompareFunc compare, int col, BOOL ascending, LPARAM data, int low, int high);
    void SwapRows(int a, int b);
    bool IsRowDrag() const;
    void PrintGridLines(CDC* dc, const CRect& cell, int row, int col, BOOL firstCol) const;
    int FirstRowOfPage(int verticalPage) const;
    int FirstColOfPage(int horizontalPage) const;
    void ClearDropHighlight();

private:
    // ---- keys (gridctrl_keys.cpp): a command, an edit, else a move that the selection follows
    struct KeyMove;
    void HandleKey(UINT key);
    void KeyWithoutFocusCell(UINT key);
    void CommandKey(UINT key);
    bool EditKey(UINT key);
    void ClearSelectedTextAsBulkEdit();
    bool MoveOfKey(UINT key, bool shift, KeyMove& move);
    void ArrowStep(UINT key, CGridCellID& next) const;
    bool TabStep(bool back, KeyMove& move);
    void PageStep(bool down, KeyMove& move);
    void HomeEndStep(bool end, bool ctrl, KeyMove& move);
    void MoveFocusByKey(UINT key, bool shift, KeyMove& move);
    void SelectionFollowsKey(const CGridCellID& next, bool extend);
    void ScrollTowardsKey(UINT key, bool shift, KeyMove& move);
    void KeyScroll(UINT message, UINT code, KeyMove& move);

    // Switches and state, in the order of the grid's storage. Only the grid's own code sets them,
    // in its setters, its operations and the messages it handles, so that they stay in step.
    COLORREF m_crGridBkColour, m_crGridLineColour;
    COLORREF m_crWindowText, m_crWindowColour, m_cr3DFace, m_crShadow;
    COLORREF m_crTTipBackClr = CLR_DEFAULT, m_crTTipTextClr = CLR_DEFAULT;
    BOOL m_bVirtualMode = FALSE;
    GRIDCALLBACK m_pfnCallback = nullptr;
    LPARAM m_lParam = 0;
    int m_nGridLines = GVL_BOTH;
    BOOL m_bEditable = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bSingleColSelection = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bFixedColumnSelection = TRUE;
    BOOL m_bFixedRowSelection = TRUE;
    BOOL m_bSortOnClick = FALSE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    BOOL m_bPrintScreenScale = FALSE;
    BOOL m_bHiddenColUnhide = TRUE;
    BOOL m_bHiddenRowUnhide = TRUE;
    BOOL m_bAllowColHide = TRUE;
    BOOL m_bAllowRowHide = TRUE;
    BOOL m_bTrackFocusCell = TRUE;
    BOOL m_bFrameFocus = TRUE;
    int m_nBarState = 0;
    UINT m_nAutoSizeColumnStyle = GVS_BOTH;

    int m_nRows = 0, m_nFixedRows = 0, m_nCols = 0, m_nFixedCols = 0;
    std::vector<UINT> m_arRowHeights, m_arColWidths;
    int m_nVScrollMax = 0, m_nHScrollMax = 0;
    GridCellFactory m_pfnCellFactory;
    CGridDefaultCell m_cellDefault, m_cellFixedColDef, m_cellFixedRowDef, m_cellFixedRowColDef;
    HIMAGELIST m_hImageList = nullptr;
    std::vector<std::vector<CGridCellBase*>> m_RowData;

    int m_MouseMode = MOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    CPoint m_LeftClickDownPoint, m_LastMousePoint;
    CGridCellID m_LeftClickDownCell, m_SelectionStartCell, m_idCurrentCell, m_idTopLeftCell;
    UINT_PTR m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    BOOL m_bAllowRowResize = TRUE, m_bAllowColumnResize = TRUE;
    int m_nRowsPerWheelNotch = 3;
    CWheelAccumulator m_wheel;
    GridCellSet m_SelectedCellMap, m_PrevSelectedCellMap;
    CTitleTip m_TitleTip;
    CGridCellID m_idDropCell;
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;
    BOOL m_bPrintColours = TRUE;
    BOOL m_bWndHasFocus = FALSE;
    int m_CurCol = -1;
    std::vector<int> m_arRowOrder, m_arColOrder;
    BYTE m_bDragRowMode = 1;
    int m_CurRow = -1;
    GridRowPredicate m_pfnVirtualCompare = nullptr;
    BYTE m_bDestroying = 0;
    BYTE m_bHeaderColumnDrag = 0, m_bTabToNextControl = 0, m_bRowSelectIncludesFixed = 0;

    HWND m_hOwner = nullptr;
    CGridInPlaceEdit* m_pInPlaceEdit = nullptr;
    CGridCellID m_idEditCell;
    BOOL m_bColumnDragging = FALSE;
    CRect m_rcSizingLine;     // the inverted line while sizing (empty when none is drawn)
    int m_nSizingIndex = -1;  // the row or column being sized
    BOOL m_bCursorClipped = FALSE;     // the pointer is confined while a border is dragged
    BOOL m_bReleasingCapture = FALSE;  // the button-up handler lets the capture go itself

    // Drag and drop, sorting and printing.
    CGridDropTarget m_DropTarget;
    GridCompareFunc m_pfnCompare = nullptr;
    BOOL m_bDragSource = FALSE;       // a drag started by this grid is under way
    BOOL m_bRowMoved = FALSE;         // that drag ended in a row move inside this grid
    int m_nHeaderHeight = 2, m_nFooterHeight = 2, m_nLeftMargin = 4, m_nRightMargin = 4, m_nGap = 1;
    HFONT m_hPrinterFont = nullptr;
    CSize m_CharSize;
    int m_nPageHeight = 0;
    CSize m_LogicalPageSize, m_PaperSize;
    int m_nPageWidth = 0;
    int m_nCurrPrintCol = 0, m_nCurrPrintRow = 0;
    int m_nNumPages = 1;
    int m_nPageMultiplier = 1;

    // Hints that let scroll steps find the top-left cell from the previous one.
    int m_hintTopRow = -1, m_hintTopRowPos = 0, m_hintLeftCol = -1, m_hintLeftColPos = 0;

    static CGridCtrl* s_pSortingGrid;
};

// The grid's model: construction and window, counts and sizes, cells and text, the virtual-mode
// cell, notifications to the owner.
#include "grid/gridctrl.h"
#include "framework/guard.h"
#include "framework/msgbox.h"
#include "framework/stdids.h"
#include "grid/gridinplaceedit.h"
#include <ole2.h>
#include <algorithm>
#include <new>

namespace {

const char kGridClassName[] = "OstrelindGridCtrl";

bool g_inPreSubclass = false;

GridSysColourFunc g_sysColourSource = nullptr;

COLORREF SysColour(int index)
{
    return g_sysColourSource != nullptr ? g_sysColourSource(index) : ::GetSysColor(index);
}

}  // namespace

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_NOTIFY(GRIDN_ENDEDIT, IDC_INPLACE_CONTROL, OnEndInPlaceEdit)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
END_MESSAGE_MAP()

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols)
    : m_crGridBkColour(SysColour(COLOR_BTNSHADOW)),
      m_crGridLineColour(RGB(0xC0, 0xC0, 0xC0)),
      m_crWindowText(SysColour(COLOR_WINDOWTEXT)),
      m_crWindowColour(SysColour(COLOR_WINDOW)),
      m_cr3DFace(SysColour(COLOR_BTNFACE)),
      m_crShadow(SysColour(COLOR_BTNSHADOW)),
      m_pfnCellFactory(&CreateGridCell)
{
    ReadWheelLines();
    CGridDefaultCell* defaults[] = { &m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef };
    for (CGridDefaultCell* def : defaults) {
        def->SetTextColour(m_crWindowText);
        def->SetBackColour(def == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
        def->SetGrid(this);
    }
    RegisterWindowClass();
    // OLE must be up for the clipboard and drag and drop of this thread.
    HRESULT hr = ::OleInitialize(nullptr);
    if (hr == S_FALSE) {
        ::OleUninitialize();   // it was up already: keep the count as it was
    } else if (FAILED(hr) && hr != RPC_E_CHANGED_MODE) {
        AfxMessageBox("OLE initialization failed. Make sure that the OLE libraries are the correct version",
                      MB_OK | MB_ICONSTOP);
    }
    SetRowCount(rows);
    SetColumnCount(cols);
    SetFixedRowCount(fixedRows);
    SetFixedColumnCount(fixedCols);
    m_bModified = FALSE;
}

CGridCtrl::~CGridCtrl()
{
    m_bDestroying = 1;
    // The editor is told first: it must not report to a grid that is going away.
    if (m_pInPlaceEdit != nullptr)
        m_pInPlaceEdit->Abandon();
    GuardedCall([&] { DeleteAllItems(); });
    if (m_bTitleTips && m_TitleTip.m_hWnd != nullptr)
        m_TitleTip.DestroyWindow();
    m_DropTarget.Revoke();
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
    if (m_hPrinterFont != nullptr)
        ::DeleteObject(m_hPrinterFont);
    // What this grid copied stays on the clipboard after it.
    GuardedCall([] { COleDataSource::FlushClipboard(); });
}

void CGridCtrl::ReadWheelLines()
{
    // WHEEL_PAGESCROLL becomes -1: a page per notch.
    m_nRowsPerWheelNotch = static_cast<int>(AfxGetWheelScrollLines());
}

BOOL CGridCtrl::RegisterWindowClass()
{
    return AfxRegisterNamedClass(kGridClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr,
                                 ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)),
                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) ? TRUE : FALSE;
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style)
{
    (void)id;
    (void)style;
    if (!RegisterWindowClass())
        return FALSE;
    try {
        if (!CWnd::Create(kGridClassName, nullptr, 0x50810000, rect, parent, IDC_GRIDCTRL))
            return FALSE;
        m_TitleTip.SetParentWnd(this);
        m_arRowHeights.assign(static_cast<size_t>(m_nRows), static_cast<UINT>(m_cellDefault.GetHeight()));
        m_arColWidths.assign(static_cast<size_t>(m_nCols), static_cast<UINT>(m_cellDefault.GetWidth()));
        ForgetSizeHints();
        ResetScrollBars();
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (g_inPreSubclass)
        return;
    g_inPreSubclass = true;
    m_TitleTip.SetParentWnd(this);
    if (m_hWnd != nullptr) {
        ModifyStyleEx(0, WS_EX_CLIENTEDGE);
        CRect rect;
        GetWindowRect(&rect);
        HWND parent = ::GetParent(m_hWnd);
        if (parent != nullptr)
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        rect.InflateRect(1, 1);
        MoveWindow(&rect, TRUE);
        rect.DeflateRect(1, 1);
        MoveWindow(&rect, TRUE);
    }
    g_inPreSubclass = false;
}

void CGridCtrl::OnDestroy()
{
    // Whoever destroys the window, what was typed into an open editor reaches the owner first (the
    // owner, a parent, still lives while its children are told). Only a grid object that is being
    // deleted lets it go: it has abandoned the editor already.
    if (!m_bDestroying && m_pInPlaceEdit != nullptr && m_pInPlaceEdit->m_hWnd != nullptr)
        m_pInPlaceEdit->EndEdit();
    CancelEditing();
    EndMouseModes();
    m_TitleTip.Hide();
    m_DropTarget.Revoke();
    Default();
}

HWND CGridCtrl::GetNotifyTarget() const
{
    if (m_hOwner != nullptr)
        return m_hOwner;
    return m_hWnd ? ::GetParent(m_hWnd) : nullptr;
}

// ---- notifications

LRESULT CGridCtrl::SendMessageToParent(int row, int col, int code) const
{
    HWND target = GetNotifyTarget();
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || target == nullptr || !::IsWindow(target))
        return 0;
    GRID_NOTIFY nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    nm.hdr.code = static_cast<UINT>(code);
    nm.iRow = row;
    nm.iColumn = col;
    return ::SendMessageA(target, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

LRESULT CGridCtrl::NotifyEndEdit(const char* text, int row, int col) const
{
    HWND target = GetNotifyTarget();
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || target == nullptr || !::IsWindow(target))
        return 0;
    GRID_DISPINFO info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    info.hdr.code = static_cast<UINT>(GRIDN_ENDEDIT);
    info.row = row;
    info.col = col;
    info.mask = GVIF_TEXT;
    info.strText = text;
    return ::SendMessageA(target, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

LRESULT CGridCtrl::SendDisplayRequestToParent(GRID_DISPINFO* info) const
{
    HWND target = GetNotifyTarget();
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || target == nullptr || !::IsWindow(target))
        return 0;
    info->hdr.hwndFrom = m_hWnd;
    info->hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    info->hdr.code = static_cast<UINT>(GRIDN_GETDISPINFO);
    return ::SendMessageA(target, WM_NOTIFY, info->hdr.idFrom, reinterpret_cast<LPARAM>(info));
}

LRESULT CGridCtrl::SendCacheHintToParent(const CGridCellRange& range) const
{
    HWND target = GetNotifyTarget();
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || target == nullptr || !::IsWindow(target))
        return 0;
    struct {
        NMHDR hdr;
        CGridCellRange range;
    } hint = { {}, range };
    hint.hdr.hwndFrom = m_hWnd;
    hint.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    hint.hdr.code = static_cast<UINT>(GRIDN_CACHEHINT);
    return ::SendMessageA(target, WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
}

// ---- counts

void CGridCtrl::ForgetSizeHints()
{
    m_hintTopRow = -1;
    m_hintLeftCol = -1;
    ForgetTopLeft();
}

BOOL CGridCtrl::SetRowCount(int rows)
{
    if (rows < 0)
        return FALSE;
    if (rows == m_nRows)
        return TRUE;
    BOOL ok = TRUE;
    ForgetSizeHints();
    if (rows < m_nFixedRows)
        m_nFixedRows = rows;
    if (m_idCurrentCell.row >= rows)
        SetFocusCell(-1, -1);
    const int oldRows = m_nRows;
    try {
        if (rows < oldRows) {
            if (!m_bVirtualMode) {
                m_SelectedCellMap.ClipTo(rows, m_nCols);
                for (int r = rows; r < oldRows; r++) {
                    for (int c = 0; c < m_nCols; c++)
                        DestroyCell(r, c);
                }
                m_RowData.resize(static_cast<size_t>(rows));
            } else {
                // The selection of the rows that are gone goes with them.
                m_SelectedCellMap.ClipTo(rows, m_nCols);
            }
            m_nRows = rows;
        }
        m_arRowHeights.resize(static_cast<size_t>(rows), static_cast<UINT>(m_cellDefault.GetHeight()));
        if (m_bVirtualMode) {
            m_nRows = rows;
            ResetRowOrder();
        } else if (rows > oldRows) {
            // Grown a few rows at a time (as a paste does), the table must not move every time.
            if (m_RowData.capacity() < static_cast<size_t>(rows))
                m_RowData.reserve(std::max(static_cast<size_t>(rows), m_RowData.capacity() * 2));
            for (int r = oldRows; r < rows; r++) {
                m_arRowHeights[static_cast<size_t>(r)] = static_cast<UINT>(m_cellDefault.GetHeight());
                m_RowData.emplace_back(static_cast<size_t>(m_nCols), nullptr);
                m_nRows = r + 1;
                for (int c = 0; c < m_nCols; c++)
                    m_RowData[static_cast<size_t>(r)][static_cast<size_t>(c)] = CreateCell(r, c);
            }
        }
    } catch (const std::bad_alloc&) {
        ok = FALSE;
        m_RowData.resize(static_cast<size_t>(std::min<size_t>(m_RowData.size(), static_cast<size_t>(m_nRows))));
    }
    SetModified(TRUE);
    ResetScrollBars();
    Refresh();
    return ok;
}

BOOL CGridCtrl::SetColumnCount(int cols)
{
    if (cols < 0)
        return FALSE;
    if (cols == m_nCols)
        return TRUE;
    BOOL ok = TRUE;
    ForgetSizeHints();
    if (cols < m_nFixedCols)
        m_nFixedCols = cols;
    if (m_idCurrentCell.col >= cols)
        SetFocusCell(-1, -1);
    const int oldCols = m_nCols;
    try {
        if (cols < oldCols) {
            if (!m_bVirtualMode) {
                for (int r = 0; r < m_nRows; r++) {
                    for (int c = cols; c < oldCols; c++)
                        DestroyCell(r, c);
                }
            } else {
                m_SelectedCellMap.ClipTo(m_nRows, cols);
            }
        }
        m_arColWidths.resize(static_cast<size_t>(cols), static_cast<UINT>(m_cellFixedColDef.GetWidth()));
        if (!m_bVirtualMode) {
            for (auto& row : m_RowData)
                row.resize(static_cast<size_t>(cols), nullptr);
        }
        m_nCols = cols;
        if (!m_bVirtualMode && cols > oldCols) {
            for (int r = 0; r < m_nRows; r++) {
                for (int c = oldCols; c < cols; c++)
                    m_RowData[static_cast<size_t>(r)][static_cast<size_t>(c)] = CreateCell(r, c);
            }
        }
        m_arColOrder.resize(static_cast<size_t>(cols));
        for (int c = 0; c < cols; c++)
            m_arColOrder[static_cast<size_t>(c)] = c;
    } catch (const std::bad_alloc&) {
        ok = FALSE;
    }
    SetModified(TRUE);
    ResetScrollBars();
    Refresh();
    return ok;
}

BOOL CGridCtrl::SetFixedRowCount(int fixedRows)
{
    if (fixedRows < 0)
        return FALSE;
    if (fixedRows == m_nFixedRows)
        return TRUE;
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
    ForgetSizeHints();
    if (fixedRows > m_nRows && !SetRowCount(fixedRows))
        return FALSE;
    if (m_idCurrentCell.row < fixedRows)
        SetFocusCell(-1, -1);
    if (!m_bVirtualMode) {
        if (fixedRows > m_nFixedRows) {
            for (int r = m_nFixedRows; r < fixedRows; r++)
                for (int c = 0; c < m_nCols; c++) {
                    if (CGridCellBase* cell = GetCellUnchecked(r, c))
                        cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDROW);
                }
        } else {
            for (int r = fixedRows; r < m_nFixedRows; r++)
                for (int c = 0; c < m_nCols; c++) {
                    CGridCellBase* cell = GetCellUnchecked(r, c);
                    if (cell == nullptr)
                        continue;
                    if (c < m_nFixedCols)
                        cell->SetState(cell->GetState() & ~GVIS_FIXEDROW);
                    else
                        cell->SetState(cell->GetState() & ~(GVIS_FIXED | GVIS_FIXEDROW));
                }
        }
    }
    m_nFixedRows = fixedRows;
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int fixedCols)
{
    if (fixedCols < 0)
        return FALSE;
    if (fixedCols == m_nFixedCols)
        return TRUE;
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
    ForgetSizeHints();
    if (fixedCols > m_nCols && !SetColumnCount(fixedCols))
        return FALSE;
    if (m_idCurrentCell.col < fixedCols)
        SetFocusCell(-1, -1);
    if (!m_bVirtualMode) {
        if (fixedCols > m_nFixedCols) {
            for (int r = 0; r < m_nRows; r++)
                for (int c = m_nFixedCols; c < fixedCols; c++) {
                    if (CGridCellBase* cell = GetCellUnchecked(r, c))
                        cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDCOL);
                }
        } else {
            for (int r = 0; r < m_nRows; r++)
                for (int c = fixedCols; c < m_nFixedCols; c++) {
                    CGridCellBase* cell = GetCellUnchecked(r, c);
                    if (cell == nullptr)
                        continue;
                    if (r < m_nFixedRows)
                        cell->SetState(cell->GetState() & ~GVIS_FIXEDCOL);
                    else
                        cell->SetState(cell->GetState() & ~(GVIS_FIXED | GVIS_FIXEDCOL));
                }
        }
    }
    m_nFixedCols = fixedCols;
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::DeleteAllItems()
{
    if (m_pInPlaceEdit != nullptr)
        m_pInPlaceEdit->Abandon();
    m_PrevSelectedCellMap.clear();
    m_SelectedCellMap.clear();
    m_idCurrentCell = CGridCellID(-1, -1);
    m_arColWidths.clear();
    m_arRowHeights.clear();
    if (m_bVirtualMode) {
        m_arRowOrder.clear();
    } else {
        for (auto& row : m_RowData) {
            for (CGridCellBase*& cell : row) {
                delete cell;
                cell = nullptr;
            }
        }
        m_RowData.clear();
    }
    m_arColOrder.clear();
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    ForgetSizeHints();
    ResetScrollBars();
    SetSortColumn(-1);
    SetModified(TRUE);
    return TRUE;
}

void CGridCtrl::SetVirtualMode(BOOL on)
{
    DeleteAllItems();
    m_bVirtualMode = on;
    if (on)
        m_bHeaderColumnDrag = 0;
}

void CGridCtrl::ResetRowOrder()
{
    m_arRowOrder.resize(static_cast<size_t>(m_nRows));
    for (int r = 0; r < m_nRows; r++)
        m_arRowOrder[static_cast<size_t>(r)] = r;
}

void CGridCtrl::SetColumnOrder(const std::vector<int>& order)
{
    if (static_cast<int>(order.size()) != m_nCols)
        return;
    for (int c : order)
        if (c < 0 || c >= m_nCols)
            return;
    m_arColOrder = order;
    Refresh();
}

// ---- sizes

int CGridCtrl::GetRowHeight(int row) const
{
    if (row < 0 || row >= m_nRows || static_cast<size_t>(row) >= m_arRowHeights.size())
        return -1;
    return static_cast<int>(m_arRowHeights[static_cast<size_t>(row)]);
}

int CGridCtrl::GetColumnWidth(int col) const
{
    if (col < 0 || col >= m_nCols || static_cast<size_t>(col) >= m_arColOrder.size())
        return -1;
    size_t physical = static_cast<size_t>(m_arColOrder[static_cast<size_t>(col)]);
    if (physical >= m_arColWidths.size())
        return -1;
    return static_cast<int>(m_arColWidths[physical]);
}

BOOL CGridCtrl::SetRowHeight(int row, int height)
{
    if (height < 0 || row < 0 || row >= m_nRows || static_cast<size_t>(row) >= m_arRowHeights.size())
        return FALSE;
    m_arRowHeights[static_cast<size_t>(row)] = static_cast<UINT>(height);
    ForgetSizeHints();
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int col, int width)
{
    if (width < 0 || col < 0 || col >= m_nCols || static_cast<size_t>(col) >= m_arColOrder.size())
        return FALSE;
    size_t physical = static_cast<size_t>(m_arColOrder[static_cast<size_t>(col)]);
    if (physical >= m_arColWidths.size())
        return FALSE;
    m_arColWidths[physical] = static_cast<UINT>(width);
    ForgetSizeHints();
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    int h = 0;
    for (int r = 0; r < m_nFixedRows; r++)
        h += GetRowHeight(r);
    return h;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int w = 0;
    for (int c = 0; c < m_nFixedCols; c++)
        w += GetColumnWidth(c);
    return w;
}

long CGridCtrl::GetVirtualHeight() const
{
    long h = 0;
    for (UINT v : m_arRowHeights)
        h += static_cast<long>(v);
    return h;
}

long CGridCtrl::GetVirtualWidth() const
{
    long w = 0;
    for (UINT v : m_arColWidths)
        w += static_cast<long>(v);
    return w;
}

// ---- window messages of the model

void CGridCtrl::OnSize(UINT type, int cx, int cy)
{
    (void)type;
    (void)cx;
    (void)cy;
    static bool inSize = false;
    if (inSize)
        return;
    inSize = true;
    // The window takes drops from its first sizing on (it exists by then, whoever made it).
    if (!m_DropTarget.IsRegistered())
        m_DropTarget.Register(this);
    EndEditing();
    ResetScrollBars();
    inSize = false;
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    HFONT font = reinterpret_cast<HFONT>(wParam);
    if (font == nullptr)
        font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTA lf = {};
    if (::GetObjectA(font, sizeof(lf), &lf) == 0)
        return 0;
    m_cellDefault.SetFont(&lf);
    m_cellFixedColDef.SetFont(&lf);
    m_cellFixedRowDef.SetFont(&lf);
    m_cellFixedRowColDef.SetFont(&lf);
    if (lParam)
        Refresh();
    return 0;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_cellDefault.GetFontObject()->m_hObject);
}

LRESULT CGridCtrl::OnSysColorChange(WPARAM, LPARAM)
{
    CGridDefaultCell* defaults[] = { &m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef };
    for (CGridDefaultCell* def : defaults) {
        if (def->GetTextColour() == m_crWindowText)
            def->SetTextColour(SysColour(COLOR_WINDOWTEXT));
        if (def->GetBackColour() == m_crWindowColour)
            def->SetBackColour(SysColour(COLOR_WINDOW));
    }
    if (m_crGridBkColour == m_crShadow)
        m_crGridBkColour = SysColour(COLOR_BTNSHADOW);
    m_crWindowText = SysColour(COLOR_WINDOWTEXT);
    m_crWindowColour = SysColour(COLOR_WINDOW);
    m_cr3DFace = SysColour(COLOR_BTNFACE);
    m_crShadow = SysColour(COLOR_BTNSHADOW);
    return 0;
}

void CGridCtrl::SetSysColourSource(GridSysColourFunc source)
{
    g_sysColourSource = source;
}

UINT CGridCtrl::OnGetDlgCode()
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && ::GetKeyState(VK_CONTROL) >= 0)
        code |= DLGC_WANTTAB;
    return code;
}

void CGridCtrl::OnSetFocus(CWnd*)
{
    m_bWndHasFocus = TRUE;
    Invalidate(FALSE);
}

void CGridCtrl::OnKillFocus(CWnd*)
{
    m_bWndHasFocus = FALSE;
    Invalidate(FALSE);
}

void CGridCtrl::OnCaptureChanged(CWnd* wnd)
{
    // Another window took the mouse (a message box, an OLE drag, a menu): whatever the grid had
    // under way ends, so that nothing is left drawn, set or held for the next move.
    if (m_bReleasingCapture || (wnd != nullptr && wnd->m_hWnd == m_hWnd))
        return;
    EndMouseModes();
}

// The grid's text exchange: copy, cut, paste and select-all through the clipboard, OLE drag and
// drop of cell texts, header column drags and row drags, and the drop target that forwards to the
// grid.
#include "grid/gridctrl.h"
#include "framework/guard.h"
#include "framework/sharedfile.h"
#include "grid/gridinplaceedit.h"
#include <algorithm>
#include <cstring>
#include <string>

namespace {

bool KeyHeld(int key)
{
    return ::GetKeyState(key) < 0;
}

DWORD CopyOrMove(DWORD keyState)
{
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// Leading and trailing blanks, tabs, CRs and LFs go.
std::string Trimmed(const char* begin, const char* end)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    while (begin < end && blank(*begin))
        begin++;
    while (end > begin && blank(end[-1]))
        end--;
    return std::string(begin, end);
}

}  // namespace

// ---- the drop target

BOOL CGridDropTarget::Register(CGridCtrl* grid)
{
    if (m_bRegistered || m_bRegistering || grid == nullptr || grid->m_hWnd == nullptr)
        return FALSE;
    m_bRegistering = true;
    m_pGridCtrl = grid;
    BOOL ok = COleDropTarget::Register(static_cast<CWnd*>(grid));
    m_bRegistered = ok;
    m_bRegistering = false;
    return ok;
}

BOOL CGridDropTarget::Register(CWnd* wnd)
{
    // Only a grid: anything else has no handlers to forward to.
    CGridCtrl* grid = dynamic_cast<CGridCtrl*>(wnd);
    if (grid == nullptr)
        return FALSE;
    if (m_bRegistering)
        return COleDropTarget::Register(wnd);
    return Register(grid);
}

void CGridDropTarget::Revoke()
{
    COleDropTarget::Revoke();
    m_bRegistered = FALSE;
}

DWORD CGridDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    if (m_pGridCtrl == nullptr || wnd == nullptr || wnd->m_hWnd != m_pGridCtrl->m_hWnd)
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(data, keyState, point);
}

DWORD CGridDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    if (m_pGridCtrl == nullptr || wnd == nullptr || wnd->m_hWnd != m_pGridCtrl->m_hWnd)
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(data, keyState, point);
}

void CGridDropTarget::OnDragLeave(CWnd* wnd)
{
    if (m_pGridCtrl != nullptr && wnd != nullptr && wnd->m_hWnd == m_pGridCtrl->m_hWnd)
        m_pGridCtrl->OnDragLeave();
}

BOOL CGridDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DWORD dropEffect, CPoint point)
{
    if (m_pGridCtrl == nullptr || wnd == nullptr || wnd->m_hWnd != m_pGridCtrl->m_hWnd)
        return FALSE;
    return m_pGridCtrl->OnDrop(data, dropEffect, point);
}

DWORD CGridDropTarget::OnDragScroll(CWnd*, DWORD keyState, CPoint)
{
    // The grid scrolls itself while a drag is over it: this only names the effect.
    return CopyOrMove(keyState);
}

// ---- clipboard

COleDataSource* CGridCtrl::CopySelectionToDataSource()
{
    CGridCellRange range = GetSelectedCellRange();
    if (!range.IsValid() || !IsValid(range))
        return nullptr;
    if (m_bVirtualMode)
        SendCacheHintToParent(range);

    CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, 4096);
    bool ok = true;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow() && ok; row++) {
        if (GetRowHeight(row) == 0)
            continue;
        for (int col = range.GetMinCol(); col <= range.GetMaxCol() && ok; col++) {
            if (GetColumnWidth(col) == 0)
                continue;
            if (IsCellSelected(row, col)) {
                CString text = GetItemText(row, col);
                ok = file.Write(text.GetString(), static_cast<UINT>(text.GetLength()));
            }
            if (ok && col != range.GetMaxCol())
                ok = file.Write("\t", 1);
        }
        if (ok && row != range.GetMaxRow())
            ok = file.Write("\r\n", 2);
    }
    if (ok)
        ok = file.Write("", 1);
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(-1, -1, -1, -1));
    if (!ok)
        return nullptr;
    HGLOBAL block = file.Detach();
    if (block == nullptr)
        return nullptr;
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, block);
    return source;
}

void CGridCtrl::OnEditCopy()
{
    COleDataSource* source = CopySelectionToDataSource();
    if (source == nullptr)
        return;
    source->SetClipboard();
    source->Release();   // the clipboard holds its own reference
}

void CGridCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    COleDataSource* source = CopySelectionToDataSource();
    if (source == nullptr)
        return;
    source->SetClipboard();
    source->Release();
    ClearCopiedText();
}

void CGridCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    CGridCellRange range = GetSelectedCellRange();
    CGridCellID cell(range.GetMinRow(), range.GetMinCol());
    if (!range.IsValid() || !IsValid(cell))
        cell = m_idCurrentCell;
    if (!IsValid(cell))
        cell = GetTopLeftNonFixedCell();
    if (!IsValid(cell))
        return;
    if (m_pInPlaceEdit != nullptr && m_pInPlaceEdit->m_hWnd != nullptr && m_idEditCell == cell) {
        m_pInPlaceEdit->SendMessage(WM_PASTE, 0, 0);
        return;
    }
    COleDataObject data;
    if (!data.AttachClipboard())
        return;
    PasteFromDataObject(cell.row, cell.col, &data, TRUE);
}

BOOL CGridCtrl::PasteFromDataObject(int row, int col, COleDataObject* data, BOOL selectPasted)
{
    if (!IsValid(row, col) || !m_bEditable || data == nullptr)
        return FALSE;
    CGridCellBase* target = GetCell(row, col);
    if (target == nullptr || target->IsReadOnly())
        return FALSE;
    if (!data->IsDataAvailable(CF_TEXT))
        return FALSE;
    HGLOBAL block = data->GetGlobalData(CF_TEXT);
    if (block == nullptr)
        return FALSE;
    // No further than the block: text from elsewhere may lack its zero byte.
    std::string text;
    SIZE_T size = ::GlobalSize(block);
    if (const char* p = static_cast<const char*>(::GlobalLock(block))) {
        const void* zero = std::memchr(p, 0, size);
        text.assign(p, zero != nullptr ? static_cast<const char*>(zero) : p + size);
        ::GlobalUnlock(block);
    }
    ::GlobalFree(block);

    // Lines at "\n"; an empty line after the last break is the end of the text, not a row.
    std::vector<std::pair<size_t, size_t>> lines;
    size_t start = 0;
    for (;;) {
        size_t nl = text.find('\n', start);
        if (nl == std::string::npos) {
            if (start < text.size() || lines.empty())
                lines.emplace_back(start, text.size());
            break;
        }
        lines.emplace_back(start, nl);
        start = nl + 1;
    }

    int maxRow = row, maxCol = col;
    int targetRow = row;
    // One repaint and one scroll-bar update at the end, not one per cell and row.
    const BOOL allowDraw = m_bAllowDraw;
    m_bAllowDraw = FALSE;
    for (const auto& line : lines) {
        while (targetRow < m_nRows && GetRowHeight(targetRow) == 0)
            targetRow++;
        if (targetRow >= m_nRows - 10 || targetRow >= m_nRows) {
            // Rows are made as the paste needs them, ten ahead.
            if (!SetRowCount(targetRow + 10))
                break;
        }
        if (targetRow >= m_nRows)
            break;
        const char* lineBegin = text.data() + line.first;
        const char* lineEnd = text.data() + line.second;
        int targetCol = col;
        const char* field = lineBegin;
        for (;;) {
            const char* tab = static_cast<const char*>(std::memchr(field, '\t', static_cast<size_t>(lineEnd - field)));
            const char* fieldEnd = tab != nullptr ? tab : lineEnd;
            while (targetCol < m_nCols && GetColumnWidth(targetCol) == 0)
                targetCol++;
            if (targetCol >= m_nCols)
                break;
            std::string value = Trimmed(field, fieldEnd);
            ChangeCellText(targetRow, targetCol, value.c_str());
            UINT state = GetItemState(targetRow, targetCol);
            if (state & GVIS_SELECTED)
                SetItemState(targetRow, targetCol, state & ~GVIS_SELECTED);
            maxRow = std::max(maxRow, targetRow);
            maxCol = std::max(maxCol, targetCol);
            targetCol++;
            if (tab == nullptr)
                break;
            field = tab + 1;
        }
        targetRow++;
    }

    m_bAllowDraw = allowDraw;
    ResetScrollBars();
    if (selectPasted) {
        SetSelectedRange(row, col, maxRow, maxCol, TRUE);
    } else {
        ClearSelection();
        Refresh();
    }
    return TRUE;
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* ui)
{
    ui->Enable(GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* ui)
{
    ui->Enable(m_bEditable && GetSelectedCount() > 0);
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* ui)
{
    CGridCellID cell = m_idCurrentCell;
    BOOL enable = IsValid(cell) && m_bEditable && IsCellEditable(cell.row, cell.col) &&
                  ::IsClipboardFormatAvailable(CF_TEXT);
    ui->Enable(enable);
}

void CGridCtrl::OnEditSelectAll()
{
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGING);
    SelectAllCells();
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GRIDN_SELCHANGED);
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* ui)
{
    ui->Enable(m_bEnableSelection);
}

// ---- drag and drop

bool CGridCtrl::IsRowDrag() const
{
    // Rows move only within the grid they were dragged from, in virtual mode: anything else is
    // text, pasted (or refused), never lost.
    return m_bDragRowMode && m_bVirtualMode && m_bAllowDragAndDrop && m_bDragSource && m_CurRow >= m_nFixedRows &&
           m_CurRow < m_nRows && !m_bHeaderColumnDrag;
}

void CGridCtrl::BeginOleDrag()
{
    const bool headerDrag = m_bHeaderColumnDrag && m_CurCol >= 0;
    if (!m_bAllowDragAndDrop && !headerDrag)
        return;
    COleDataSource* source = nullptr;
    if (headerDrag) {
        source = new COleDataSource;
    } else {
        source = CopySelectionToDataSource();
        if (source == nullptr)
            return;
    }
    CGridCellRange range = GetSelectedCellRange();
    SendMessageToParent(range.GetMinRow(), range.GetMinCol(), GRIDN_BEGINDRAG);
    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    m_bDragSource = TRUE;
    m_bRowMoved = FALSE;
    DWORD effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    m_bDragSource = FALSE;
    // A row moved inside this grid carried its texts along: there is nothing to clear.
    if ((effect & DROPEFFECT_MOVE) && !m_bRowMoved && !headerDrag)
        ClearCopiedText();
    m_bRowMoved = FALSE;
    if (m_MouseMode == MOUSE_DRAGGING)
        m_MouseMode = MOUSE_NOTHING;
    source->Release();
}

void CGridCtrl::ClearDropHighlight()
{
    if (IsValid(m_idDropCell)) {
        UINT state = GetItemState(m_idDropCell.row, m_idDropCell.col);
        SetItemState(m_idDropCell.row, m_idDropCell.col, state & ~GVIS_DROPHILITED);
        RedrawCell(m_idDropCell.row, m_idDropCell.col);
    }
}

DWORD CGridCtrl::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point)
{
    const bool headerDrag = m_bHeaderColumnDrag && m_CurCol >= 0;
    m_idDropCell = GetCellFromPt(point, headerDrag ? TRUE : FALSE);
    if (!headerDrag && IsValid(m_idDropCell) && IsCellFixed(m_idDropCell.row, m_idDropCell.col))
        m_idDropCell = CGridCellID(-1, -1);
    DWORD effect = CopyOrMove(keyState);
    if (!headerDrag) {
        if (!m_bAllowDragAndDrop || data == nullptr || !data->IsDataAvailable(CF_TEXT) || !IsValid(m_idDropCell) ||
            !IsCellEditable(m_idDropCell.row, m_idDropCell.col))
            return DROPEFFECT_NONE;
    } else if (!IsValid(m_idDropCell) || m_idDropCell.row >= m_nFixedRows || m_idDropCell.col < m_nFixedCols) {
        return DROPEFFECT_NONE;
    }
    UINT state = GetItemState(m_idDropCell.row, m_idDropCell.col);
    SetItemState(m_idDropCell.row, m_idDropCell.col, state | GVIS_DROPHILITED);
    RedrawCell(m_idDropCell.row, m_idDropCell.col);
    return effect;
}

DWORD CGridCtrl::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point)
{
    const bool headerDrag = m_bHeaderColumnDrag && m_CurCol >= 0;
    CGridCellID cell = GetCellFromPt(point, headerDrag ? TRUE : FALSE);
    bool accept;
    if (headerDrag)
        accept = IsValid(cell) && cell.row < m_nFixedRows && cell.col >= m_nFixedCols;
    else if (IsRowDrag())
        accept = IsValid(cell) && !IsCellFixed(cell.row, cell.col);
    else
        accept = m_bAllowDragAndDrop && m_bEditable && data != nullptr && data->IsDataAvailable(CF_TEXT) &&
                 IsValid(cell) && !IsCellFixed(cell.row, cell.col);
    if (!accept) {
        OnDragLeave();
        m_idDropCell = CGridCellID(-1, -1);
        return DROPEFFECT_NONE;
    }
    if (cell != m_idDropCell) {
        ClearDropHighlight();
        m_idDropCell = cell;
        UINT state = GetItemState(cell.row, cell.col);
        SetItemState(cell.row, cell.col, state | GVIS_DROPHILITED);
        RedrawCell(cell.row, cell.col);
    }
    return CopyOrMove(keyState);
}

void CGridCtrl::OnDragLeave()
{
    ClearDropHighlight();
}

BOOL CGridCtrl::OnDrop(COleDataObject* data, DWORD dropEffect, CPoint point)
{
    (void)dropEffect;
    (void)point;
    m_MouseMode = MOUSE_NOTHING;
    const bool headerDrag = m_bHeaderColumnDrag && m_CurCol >= 0;
    const bool rowDrag = !headerDrag && IsRowDrag();
    if (!headerDrag) {
        if (!m_bAllowDragAndDrop)
            return FALSE;
        if (!rowDrag) {
            if (!m_bEditable || !IsValid(m_idDropCell) || !IsCellEditable(m_idDropCell.row, m_idDropCell.col)) {
                OnDragLeave();
                return FALSE;
            }
        }
    }
    OnDragLeave();
    CGridCellID drop = m_idDropCell;
    m_idDropCell = CGridCellID(-1, -1);
    BOOL done = FALSE;
    if (!headerDrag) {
        if (rowDrag) {
            if (IsValid(drop) && drop.row != m_CurRow) {
                MoveRow(m_CurRow, drop.row);
                m_bRowMoved = TRUE;
                done = TRUE;
            }
        } else if (IsValid(drop)) {
            done = PasteFromDataObject(drop.row, drop.col, data, FALSE);
        }
    } else {
        if (!IsValid(drop) || drop.col == m_CurCol || drop.row >= m_nFixedRows || drop.col < m_nFixedCols ||
            m_CurCol >= static_cast<int>(m_arColOrder.size()) || drop.col >= static_cast<int>(m_arColOrder.size())) {
            m_CurCol = -1;
            return FALSE;
        }
        int moved = m_arColOrder[static_cast<size_t>(m_CurCol)];
        m_arColOrder.erase(m_arColOrder.begin() + m_CurCol);
        m_arColOrder.insert(m_arColOrder.begin() + drop.col, moved);
        m_CurCol = -1;
        done = TRUE;
    }
    Invalidate();
    return done;
}

void CGridCtrl::MoveRow(int from, int to)
{
    const int n = static_cast<int>(m_arRowOrder.size());
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return;
    int value = m_arRowOrder[static_cast<size_t>(from)];
    m_arRowOrder.erase(m_arRowOrder.begin() + from);
    // The moved row lands after the row it was dropped on, whichever way it travelled.
    int at = from >= to ? to + 1 : to;
    at = std::min(at, n - 1);
    m_arRowOrder.insert(m_arRowOrder.begin() + at, value);
}

HIMAGELIST CGridCtrl::CreateDragImage(CPoint* hotSpot)
{
    CGridCellID cell = m_idCurrentCell;
    if (!IsValid(cell) || m_hWnd == nullptr)
        return nullptr;
    CRect rect;
    if (!GetCellRect(cell.row, cell.col, &rect))
        return nullptr;
    rect.OffsetRect(-rect.left, -rect.top);
    if (hotSpot != nullptr) {
        hotSpot->x = rect.Width();
        hotSpot->y = rect.Height();
    }
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return nullptr;
    HIMAGELIST list = ImageList_Create(rect.Width(), rect.Height(), ILC_MASK | ILC_COLOR, 1, 1);
    if (list == nullptr)
        return nullptr;
    HDC screen = ::GetDC(m_hWnd);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, rect.Width(), rect.Height());
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        CDC dc;
        dc.Attach(memory);
        if (CGridCellBase* c = GetCell(cell.row, cell.col))
            c->Draw(&dc, cell.row, cell.col, rect, TRUE);
        dc.Detach();
        ::SelectObject(memory, old);
        ImageList_AddMasked(list, bitmap, GetDefaultCell(FALSE, FALSE)->GetBackColour());
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    if (memory != nullptr)
        ::DeleteDC(memory);
    ::ReleaseDC(m_hWnd, screen);
    return list;
}

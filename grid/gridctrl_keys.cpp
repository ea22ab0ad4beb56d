// The grid's keyboard, characters, scroll bars and wheel.
#include "grid/gridctrl.h"
#include "grid/gridinplaceedit.h"
#include <algorithm>
#include <cstdlib>

namespace {

bool KeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

// Ctrl as a command key: AltGr, which types characters on many layouts, arrives as Ctrl and Alt.
bool CommandCtrl()
{
    return KeyDown(VK_CONTROL) && !KeyDown(VK_MENU);
}

// Whether a character typed into the grid starts the editor: not the control characters of
// Ctrl+letter, but every character typed with AltGr (Ctrl and Alt down), such as @ { [ \ | and the euro.
bool TypedCharacter(UINT ch)
{
    if (!KeyDown(VK_CONTROL))
        return true;
    return KeyDown(VK_MENU) && ch >= 0x20;
}

}  // namespace

int CGridCtrl::NextVisibleCol(int col, int step, int stop) const
{
    for (int c = col + step; step < 0 ? c >= stop : c <= stop; c += step) {
        if (GetColumnWidth(c) > 0)
            return c;
    }
    return col;
}

int CGridCtrl::NextVisibleRow(int row, int step, int stop) const
{
    for (int r = row + step; step < 0 ? r >= stop : r <= stop; r += step) {
        if (GetRowHeight(r) > 0)
            return r;
    }
    return row;
}

int CGridCtrl::FirstNonZeroCol(int from, int step) const
{
    for (int c = from; c >= m_nFixedCols && c < m_nCols; c += step)
        if (GetColumnWidth(c) > 0)
            return c;
    return -1;
}

int CGridCtrl::FirstNonZeroRow(int from, int step) const
{
    for (int r = from; r >= m_nFixedRows && r < m_nRows; r += step)
        if (GetRowHeight(r) > 0)
            return r;
    return -1;
}

// ---- keys: a command (Ctrl with a letter), an edit (Delete, F2), else a move of the focus cell
// that the selection follows

// Where a key takes the focus cell, and which bars it scrolled on the way: they hear the end of
// the scrolling once the move is done.
struct CGridCtrl::KeyMove {
    CGridCellID next;
    bool vScrolled = false, hScrolled = false;
    int wrapped = 0;   // Tab went on to the next row (1) or back to the previous one (-1)
};

void CGridCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    (void)repeat;
    (void)flags;
    m_TitleTip.Hide();
    HandleKey(key);
}

// A key on the grid, or one the editor hands back (the arrows, Tab, Return, the pages, Home, End).
void CGridCtrl::HandleKey(UINT key)
{
    if (!IsValid(m_idCurrentCell)) {
        KeyWithoutFocusCell(key);
        return;
    }
    // A command key goes on to the rules below, where its letter moves nothing.
    if (CommandCtrl())
        CommandKey(key);
    const bool shift = KeyDown(VK_SHIFT);
    if (shift && key == VK_INSERT) {
        OnEditPaste();
        return;
    }
    if (EditKey(key))
        return;
    KeyMove move;
    move.next = m_idCurrentCell;
    if (!MoveOfKey(key, shift, move))
        return;
    if (move.next != m_idCurrentCell)
        MoveFocusByKey(key, shift, move);
    EnsureVisible(move.next);
    if (move.vScrolled)
        SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
    if (move.hScrolled)
        SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
}

// Without a focus cell, Delete is the parent's Delete command; every other key has its default.
void CGridCtrl::KeyWithoutFocusCell(UINT key)
{
    if (key != VK_DELETE) {
        Default();
        return;
    }
    HWND parent = ::GetParent(m_hWnd);
    if (parent != nullptr)
        ::PostMessageA(parent, WM_COMMAND, ID_EDIT_DELETE, 0);
}

// ---- command: Ctrl+A, C (or Insert), V, X as the Edit menu; Ctrl+Plus fits the columns to their texts.
void CGridCtrl::CommandKey(UINT key)
{
    switch (key) {
    case 'A':
        OnEditSelectAll();
        break;
    case 'C':
    case VK_INSERT:
        OnEditCopy();
        break;
    case 'V':
        OnEditPaste();
        break;
    case 'X':
        OnEditCut();
        break;
    case VK_ADD:
        AutoSizeColumns();
        Refresh();
        break;
    default:
        break;
    }
}

// ---- edit: Delete empties the selected cells, F2 opens the editor on the focus cell.
bool CGridCtrl::EditKey(UINT key)
{
    switch (key) {
    case VK_DELETE:
        ClearSelectedTextAsBulkEdit();
        return true;
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON);
        return true;
    default:
        return false;
    }
}

void CGridCtrl::ClearSelectedTextAsBulkEdit()
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent != nullptr) {
        ::SendMessageA(parent, WM_GRID_BEFORECLEAR, 0, 0);
        ::SendMessageA(parent, WM_GRID_BULKEDIT, 0, 0);
    }
    // The parent hears the end of the bulk edit on every way out: it suspends its own undo
    // recording in between and must not be left suspended by a failing clear.
    try {
        ClearSelectedText();
    } catch (...) {
        if (parent != nullptr && ::IsWindow(parent))
            ::SendMessageA(parent, WM_GRID_BULKEDIT, 1, 0);
        throw;
    }
    if (parent != nullptr && ::IsWindow(parent))
        ::SendMessageA(parent, WM_GRID_BULKEDIT, 1, 0);
}

// ---- move: where each key takes the focus cell. False when the key moves nothing (it had its
// default, or went on to the next control).
bool CGridCtrl::MoveOfKey(UINT key, bool shift, KeyMove& move)
{
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
        ArrowStep(key, move.next);
        return true;
    case VK_TAB:
        return TabStep(shift, move);
    case VK_NEXT:
    case VK_PRIOR:
        PageStep(key == VK_NEXT, move);
        return true;
    case VK_HOME:
    case VK_END:
        HomeEndStep(key == VK_END, KeyDown(VK_CONTROL), move);
        return true;
    default:
        Default();
        return false;
    }
}

// An arrow takes the next shown cell its way, Return the one below; at the edge the focus stays.
void CGridCtrl::ArrowStep(UINT key, CGridCellID& next) const
{
    switch (key) {
    case VK_LEFT:
        next.col = NextVisibleCol(next.col, -1, m_nFixedCols);
        break;
    case VK_RIGHT:
        next.col = NextVisibleCol(next.col, 1, m_nCols - 1);
        break;
    case VK_UP:
        next.row = NextVisibleRow(next.row, -1, m_nFixedRows);
        break;
    default:   // VK_DOWN, VK_RETURN
        next.row = NextVisibleRow(next.row, 1, m_nRows - 1);
        break;
    }
}

// Tab takes the next shown cell of the row, after the last one the first of the next shown row;
// Shift+Tab goes back, to the last cell of the row above. Past the grid's last cell (first, going
// back) Tab has its default. A grid may leave Tab to the dialog, or only Tab forwards.
bool CGridCtrl::TabStep(bool back, KeyMove& move)
{
    if (!m_bHandleTabKey) {
        Default();
        return false;
    }
    if (m_bTabToNextControl && !back) {
        HWND parent = ::GetParent(m_hWnd);
        if (parent != nullptr)
            ::PostMessageA(parent, WM_NEXTDLGCTL, 0, 0);
        return false;
    }
    const int step = back ? -1 : 1;
    CGridCellID& next = move.next;
    const int col = NextVisibleCol(next.col, step, back ? m_nFixedCols : m_nCols - 1);
    if (col != next.col) {
        next.col = col;
        return true;
    }
    const int row = NextVisibleRow(next.row, step, back ? m_nFixedRows : m_nRows - 1);
    const int wrapCol = FirstNonZeroCol(back ? m_nCols - 1 : m_nFixedCols, step);
    if (row == next.row || wrapCol < 0) {
        Default();
        return false;
    }
    next = CGridCellID(row, wrapCol);
    move.wrapped = step;
    return true;
}

// Page Down and Page Up scroll a page and move the focus as many rows as the view moved; when the
// view could not move, to the last or first row. A hidden row gives way to the nearest shown one
// back the way the page came.
void CGridCtrl::PageStep(bool down, KeyMove& move)
{
    const int firstRow = m_nFixedRows, lastRow = m_nRows - 1;
    CGridCellID& next = move.next;
    const int oldTop = GetTopLeftNonFixedCell().row;
    KeyScroll(WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, move);
    const int newTop = GetTopLeftNonFixedCell(TRUE).row;
    if (newTop != oldTop)
        next.row = std::max(firstRow, std::min(lastRow, next.row + (newTop - oldTop)));
    else
        next.row = down ? lastRow : firstRow;
    if (GetRowHeight(next.row) == 0) {
        const int r = FirstNonZeroRow(next.row, down ? -1 : 1);
        if (r >= 0)
            next.row = r;
    }
}

// Home and End scroll fully left or right and go to the first or last shown column; with Ctrl
// also to the top or bottom and the first or last shown row. A hidden row gives way to a shown one.
void CGridCtrl::HomeEndStep(bool end, bool ctrl, KeyMove& move)
{
    const int firstRow = m_nFixedRows, firstCol = m_nFixedCols, lastRow = m_nRows - 1, lastCol = m_nCols - 1;
    CGridCellID& next = move.next;
    if (ctrl) {
        KeyScroll(WM_VSCROLL, end ? SB_BOTTOM : SB_TOP, move);
        const int r = FirstNonZeroRow(end ? lastRow : firstRow, end ? -1 : 1);
        if (r >= 0)
            next.row = r;
    }
    KeyScroll(WM_HSCROLL, end ? SB_RIGHT : SB_LEFT, move);
    const int c = FirstNonZeroCol(end ? lastCol : firstCol, end ? -1 : 1);
    if (c >= 0)
        next.col = c;
    if (GetRowHeight(next.row) == 0) {
        int r = FirstNonZeroRow(next.row, 1);
        if (r < 0)
            r = FirstNonZeroRow(next.row, -1);
        if (r >= 0)
            next.row = r;
    }
}

// The focus cell goes where the key took it, the selection with it, and a cell out of view is
// scrolled into it.
void CGridCtrl::MoveFocusByKey(UINT key, bool shift, KeyMove& move)
{
    // A pointer resting on a border is no selection under way: the selection follows the key.
    if (!MouseOperationActive())
        SelectionFollowsKey(move.next, shift && key != VK_TAB);
    SetFocusCell(move.next);
    if (!IsCellVisible(move.next)) {
        ScrollTowardsKey(key, shift, move);
        EnsureVisible(move.next);
        Invalidate();
    }
}

// ---- select: the selection follows the focus cell as a click would, from the cell itself, or
// from the anchor when Shift extends it (Tab never extends).
void CGridCtrl::SelectionFollowsKey(const CGridCellID& next, bool extend)
{
    const int resting = m_MouseMode;
    m_PrevSelectedCellMap.clear();
    m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
    if (!extend)
        m_SelectionStartCell = next;
    SendMessageToParent(next.row, next.col, GRIDN_SELCHANGING);
    OnSelecting(next);
    SendMessageToParent(next.row, next.col, GRIDN_SELCHANGED);
    m_MouseMode = resting;
}

// A line the key's way, before the cell is made visible; a Tab that wrapped scrolls a line down
// and fully left (or up and fully right).
void CGridCtrl::ScrollTowardsKey(UINT key, bool shift, KeyMove& move)
{
    switch (key) {
    case VK_RIGHT:
    case VK_LEFT:
        KeyScroll(WM_HSCROLL, key == VK_RIGHT ? SB_LINERIGHT : SB_LINELEFT, move);
        break;
    case VK_DOWN:
    case VK_RETURN:
    case VK_UP:
        KeyScroll(WM_VSCROLL, key == VK_UP ? SB_LINEUP : SB_LINEDOWN, move);
        break;
    case VK_TAB:
        if (move.wrapped != 0) {
            KeyScroll(WM_VSCROLL, move.wrapped > 0 ? SB_LINEDOWN : SB_LINEUP, move);
            KeyScroll(WM_HSCROLL, move.wrapped > 0 ? SB_LEFT : SB_RIGHT, move);
        } else {
            KeyScroll(WM_HSCROLL, shift ? SB_LINELEFT : SB_LINERIGHT, move);
        }
        break;
    default:
        break;
    }
}

// One scroll step of a key's move (WM_HSCROLL or WM_VSCROLL); the bar hears the end afterwards.
void CGridCtrl::KeyScroll(UINT message, UINT code, KeyMove& move)
{
    SendMessage(message, code, 0);
    if (message == WM_VSCROLL)
        move.vScrolled = true;
    else
        move.hScrolled = true;
}

// A pointer resting on a row or column border (modes 6 and 8) is no operation under way: typing
// there must not lose the characters.
bool CGridCtrl::MouseOperationActive() const
{
    return m_MouseMode != MOUSE_NOTHING && m_MouseMode != MOUSE_OVER_ROW_DIVIDE && m_MouseMode != MOUSE_OVER_COL_DIVIDE;
}

void CGridCtrl::OnChar(UINT ch, UINT repeat, UINT flags)
{
    (void)repeat;
    (void)flags;
    if (TypedCharacter(ch) && !MouseOperationActive() && ch != VK_ESCAPE && ch != VK_RETURN &&
        !(ch == VK_TAB && m_bHandleTabKey)) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), ch);
        return;
    }
    Default();
}

LRESULT CGridCtrl::OnImeChar(WPARAM wParam, LPARAM)
{
    const UINT ch = static_cast<UINT>(wParam);
    if (TypedCharacter(ch) && !MouseOperationActive() && ch != VK_ESCAPE) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), ch);
        return 0;
    }
    return Default();
}

// ---- scrolling (positions are pixels; the bars' 32-bit positions, never the message's 16 bits)

void CGridCtrl::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    (void)pos;
    (void)bar;
    EndEditing();
    m_TitleTip.Hide();
    const int scrollPos = GetScrollPos32(SB_HORZ);
    CGridCellID topLeft = GetTopLeftNonFixedCell();
    CRect rect;
    GetClientRect(&rect);
    rect.left = GetFixedColumnWidth();
    switch (code) {
    case SB_LINERIGHT:
        if (scrollPos < m_nHScrollMax) {
            int col = topLeft.col;
            int width = GetColumnWidth(col);
            while (width == 0 && col < m_nCols - 1)
                width = GetColumnWidth(++col);
            SetScrollPos32(SB_HORZ, scrollPos + std::max(width, 0));
            if (GetScrollPos32(SB_HORZ) != scrollPos)
                InvalidateRect(&rect);
        }
        break;
    case SB_LINELEFT:
        if (scrollPos > 0 && topLeft.col > m_nFixedCols) {
            int col = topLeft.col - 1;
            while (col > m_nFixedCols && GetColumnWidth(col) == 0)
                col--;
            SetScrollPos32(SB_HORZ, std::max(0, scrollPos - GetColumnWidth(col)));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGERIGHT:
        if (scrollPos < m_nHScrollMax) {
            int offset = std::max(0, static_cast<int>(rect.Width()));
            SetScrollPos32(SB_HORZ, std::min(m_nHScrollMax, scrollPos + offset));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGELEFT:
        if (scrollPos > 0) {
            int offset = std::max(0, static_cast<int>(rect.Width()));
            SetScrollPos32(SB_HORZ, std::max(0, scrollPos - offset));
            InvalidateRect(&rect);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SetScrollPos32(SB_HORZ, GetScrollPos32(SB_HORZ, TRUE));
        if (GetTopLeftNonFixedCell() != topLeft)
            InvalidateRect(&rect);
        break;
    }
    case SB_LEFT:
        if (scrollPos > 0) {
            SetScrollPos32(SB_HORZ, 0);
            Invalidate();
        }
        break;
    case SB_RIGHT:
        if (scrollPos < m_nHScrollMax) {
            SetScrollPos32(SB_HORZ, m_nHScrollMax);
            Invalidate();
        }
        break;
    default:
        break;
    }
}

void CGridCtrl::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    (void)pos;
    (void)bar;
    EndEditing();
    m_TitleTip.Hide();
    const int scrollPos = GetScrollPos32(SB_VERT);
    CGridCellID topLeft = GetTopLeftNonFixedCell();
    CRect rect;
    GetClientRect(&rect);
    rect.top = GetFixedRowHeight();
    switch (code) {
    case SB_LINEDOWN:
        if (scrollPos < m_nVScrollMax) {
            int row = topLeft.row;
            int height = GetRowHeight(row);
            while (height == 0 && row < m_nRows - 1)
                height = GetRowHeight(++row);
            SetScrollPos32(SB_VERT, scrollPos + std::max(height, 0));
            if (GetScrollPos32(SB_VERT) != scrollPos)
                InvalidateRect(&rect);
        }
        break;
    case SB_LINEUP:
        if (scrollPos > 0 && topLeft.row > m_nFixedRows) {
            int row = topLeft.row - 1;
            while (row > m_nFixedRows && GetRowHeight(row) == 0)
                row--;
            SetScrollPos32(SB_VERT, std::max(0, scrollPos - GetRowHeight(row)));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGEDOWN:
        if (scrollPos < m_nVScrollMax) {
            int offset = std::max(0, static_cast<int>(rect.Height()));
            SetScrollPos32(SB_VERT, std::min(m_nVScrollMax, scrollPos + offset));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGEUP:
        if (scrollPos > 0) {
            int offset = std::max(0, static_cast<int>(rect.Height()));
            SetScrollPos32(SB_VERT, std::max(0, scrollPos - offset));
            InvalidateRect(&rect);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SetScrollPos32(SB_VERT, GetScrollPos32(SB_VERT, TRUE));
        if (GetTopLeftNonFixedCell() != topLeft)
            InvalidateRect(&rect);
        break;
    }
    case SB_TOP:
        if (scrollPos > 0) {
            SetScrollPos32(SB_VERT, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (scrollPos < m_nVScrollMax) {
            SetScrollPos32(SB_VERT, m_nVScrollMax);
            Invalidate();
        }
        break;
    default:
        break;
    }
}

BOOL CGridCtrl::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    (void)flags;
    (void)point;
    // Small deltas add up to whole rows (or pages, with -1 rows per notch) across messages.
    bool pages = false;
    int steps = m_wheel.AddForSetting(delta, static_cast<UINT>(m_nRowsPerWheelNotch), &pages);
    for (; steps > 0; steps--)
        PostMessage(WM_VSCROLL, pages ? SB_PAGEDOWN : SB_LINEDOWN, 0);
    for (; steps < 0; steps++)
        PostMessage(WM_VSCROLL, pages ? SB_PAGEUP : SB_LINEUP, 0);
    return static_cast<BOOL>(Default());
}

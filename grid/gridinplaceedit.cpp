#include "grid/gridinplaceedit.h"
#include "grid/gridctrl.h"
#include "grid/griddefs.h"
#include <algorithm>

namespace {
// One end of editing at a time in the process: closing the box takes its focus away again.
bool g_endingEdit = false;
}  // namespace

BEGIN_MESSAGE_MAP(CGridInPlaceEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_SYSCHAR, OnSysChar)
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CGridInPlaceEdit::CGridInPlaceEdit(CWnd* parent, CRect& rect, DWORD style, UINT id, int row, int col,
                                   const char* initText, UINT firstChar)
    : m_hParent(parent ? parent->m_hWnd : nullptr),
      m_nRow(row),
      m_nColumn(col),
      m_sInitText(initText),
      m_bExitOnArrows((firstChar & ~GRID_EDIT_KEY) != VK_LBUTTON),
      m_Rect(rect)
{
    const DWORD editStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | style;
    if (!Create(editStyle, rect, parent, id))
        return;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(m_hParent, WM_GETFONT, 0, 0));
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowText(initText);
    SetFocus();

    // A key that opened or carried on editing places the caret; a typed character replaces the text.
    const bool key = (firstChar & GRID_EDIT_KEY) != 0 || firstChar < 0x20;
    const UINT code = firstChar & ~GRID_EDIT_KEY;
    if (key) {
        switch (code) {
        case VK_LBUTTON:
        case VK_RETURN:
            SetSel(m_sInitText.GetLength(), -1);
            return;
        case VK_BACK:
            SetSel(m_sInitText.GetLength(), -1);
            PostMessage(WM_CHAR, VK_BACK);
            return;
        case VK_TAB:
        case VK_DOWN:
        case VK_UP:
        case VK_RIGHT:
        case VK_LEFT:
        case VK_NEXT:
        case VK_PRIOR:
        case VK_HOME:
        case VK_SPACE:
        case VK_END:
            SetSel(0, -1);
            return;
        default:
            break;
        }
    }
    SetSel(0, -1);
    if ((firstChar & GRID_EDIT_KEY) != 0)
        return;
    // Any other first character replaces the text.
    if (code < 0x80)
        PostMessage(WM_CHAR, code);
    else
        PostMessage(WM_IME_CHAR, code);
}

BOOL CGridInPlaceEdit::PreTranslateMessage(MSG* msg)
{
    // The grid's dialog must not eat the keys that end editing.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_TAB || msg->wParam == VK_RETURN ||
                                       msg->wParam == VK_ESCAPE)) {
        ::TranslateMessage(msg);
        ::DispatchMessageA(msg);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(msg);
}

void CGridInPlaceEdit::PostNcDestroy()
{
    if (!m_bAbandoned && m_hParent != nullptr) {
        if (CGridCtrl* grid = dynamic_cast<CGridCtrl*>(CWnd::FromHandlePermanent(m_hParent)))
            grid->OnEndEditCellNotify(this);
    }
    CGridCtrl::ForgetVirtualCellEditor(this);
    delete this;
}

void CGridInPlaceEdit::OnKillFocus(CWnd* next)
{
    (void)next;
    Default();
    EndEdit();
}

void CGridInPlaceEdit::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    (void)repeat;
    (void)flags;
    if ((key == VK_PRIOR || key == VK_NEXT || key == VK_DOWN || key == VK_UP || key == VK_RIGHT || key == VK_LEFT ||
         key == VK_RETURN) &&
        (m_bExitOnArrows || ::GetKeyState(VK_CONTROL) < 0)) {
        m_nLastChar = key;
        ::SetFocus(m_hParent);
        return;
    }
    Default();
}

void CGridInPlaceEdit::OnChar(UINT ch, UINT repeat, UINT flags)
{
    (void)repeat;
    (void)flags;
    if (ch == VK_TAB || ch == VK_RETURN) {
        m_nLastChar = ch;
        ::SetFocus(m_hParent);
        return;
    }
    if (ch == VK_ESCAPE) {
        SetWindowText(m_sInitText);
        m_nLastChar = ch;
        ::SetFocus(m_hParent);
        return;
    }
    Default();
    if (m_hWnd == nullptr)
        return;

    // The box grows to the right while the text does not fit, up to the grid's edge.
    CString text = GetWindowText() + "  ";
    CClientDC dc(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    CSize size = dc.GetTextExtent(text);
    ::SelectObject(dc.m_hDC, old);
    CRect parentClient;
    ::GetClientRect(m_hParent, &parentClient);
    if (size.cx > m_Rect.Width()) {
        m_Rect.right = std::min(static_cast<LONG>(m_Rect.left + size.cx), parentClient.right);
        MoveWindow(&m_Rect);
    }
}

void CGridInPlaceEdit::EndEdit()
{
    if (g_endingEdit || m_hWnd == nullptr)
        return;
    g_endingEdit = true;
    HWND self = m_hWnd;
    CString text = GetWindowText();
    if (!m_bAbandoned && m_hParent != nullptr && ::IsWindow(m_hParent)) {
        GRID_DISPINFO info = {};
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        info.hdr.code = static_cast<UINT>(GRIDN_ENDEDIT);
        info.row = m_nRow;
        info.col = m_nColumn;
        info.mask = GVIF_TEXT | GVIF_PARAM;
        info.strText = text;
        info.lParam = m_nLastChar;
        ::SendMessageA(m_hParent, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    }
    // Closing destroys the box, and the object with it.
    if (!m_bAbandoned && ::IsWindow(self) && CWnd::FromHandlePermanent(self) == this)
        ::SendMessageA(self, WM_CLOSE, 0, 0);
    g_endingEdit = false;
}

// The in-place text editor of the design canvas.
#include "ui/inplaceedit.h"

CInPlaceEdit::~CInPlaceEdit()
{
    // The window goes before its font, so the control never draws with a deleted one.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CInPlaceEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CEdit::Create(style, rect, parent, id))
        return FALSE;
    if (m_font.CreateFontIndirect(&m_logFont))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_font)), TRUE);
    return TRUE;
}

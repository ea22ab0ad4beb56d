#pragma once
// CGridInPlaceEdit: the single-line edit box the grid opens over a cell. It hands its text back to
// the grid (GRIDN_ENDEDIT, control id 8) when it loses the focus and deletes itself once its window
// is gone.
#include "framework/edit.h"

class CGridInPlaceEdit : public CEdit {
public:
    CGridInPlaceEdit(CWnd* parent, CRect& rect, DWORD style, UINT id, int row, int col, const char* initText,
                     UINT firstChar);
    ~CGridInPlaceEdit() override = default;

    BOOL PreTranslateMessage(MSG* msg) override;
    void PostNcDestroy() override;

    void EndEdit();
    // The grid is going away: end without telling anybody.
    void Abandon() { m_bAbandoned = TRUE; }
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    UINT GetLastChar() const { return m_nLastChar; }
    BOOL ExitOnArrows() const { return m_bExitOnArrows; }

    void OnKillFocus(CWnd* next);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    LRESULT OnSysChar(WPARAM, LPARAM) { return 0; }
    int OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

protected:
    DECLARE_MESSAGE_MAP()

    HWND m_hParent = nullptr;
    int m_nRow;
    int m_nColumn;
    CString m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    CRect m_Rect;
    BOOL m_bAbandoned = FALSE;
};

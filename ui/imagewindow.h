#pragma once
// CImageWindow: one image slot of the link-image dialog, showing the picture of its image column
// at the current row and taking dropped files and the Delete key. Its slot is its id minus 1056.
#include "framework/msgmap.h"
#include "framework/cstring.h"
#include "framework/wnd.h"

#include <vector>

class CLinkImageRows;

class CImageWindow : public CWnd {
public:
    static const int kFirstId = 1056;

    int Slot() const { return GetDlgCtrlID() - kFirstId; }
    // The rows of the owner table view; null without an owner (then only repainting happens).
    CLinkImageRows* Rows() const { return m_rows; }
    void SetRows(CLinkImageRows* rows) { m_rows = rows; }

    // Writes the paths from the current row on (one undo copy first); at most 1024, paths that do
    // not fit 260 bytes passed over. Posts "Next" to the parent when the row is then full.
    void TakeFiles(const std::vector<CString>& paths);

    DECLARE_MESSAGE_MAP()

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    UINT OnGetDlgCode();
    void OnDropFiles(HDROP drop);

private:
    CLinkImageRows* m_rows = nullptr;
};

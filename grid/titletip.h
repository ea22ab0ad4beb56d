#pragma once
// CTitleTip: a small topmost popup that shows the whole text of a grid cell whose text is clipped.
// It belongs to the grid (a member); clicks and keys hide it and go on to the window under them.
#include "framework/wnd.h"
#include <commctrl.h>

class CTitleTip : public CWnd {
public:
    CTitleTip();
    ~CTitleTip() override;

    virtual BOOL Create(CWnd* parent);
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    void Show(CRect rectTitle, const char* title, int xOffset = 0, LPRECT hoverRect = nullptr,
              const LOGFONTA* font = nullptr, COLORREF textColour = CLR_DEFAULT, COLORREF backColour = CLR_DEFAULT);
    void Hide();
    BOOL IsShown() const { return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd); }
    CString GetShownText() const { return m_strShown; }
    void SetParentWnd(CWnd* parent) { m_pParentWnd = parent; }

    void OnMouseMove(UINT flags, CPoint point);
    void OnPaint();
    // A click on the tip itself: hide it and hand the click to the window under it.
    void OnLButtonDown(UINT flags, CPoint point) { ForwardButton(WM_LBUTTONDOWN, flags, point); }
    void OnRButtonDown(UINT flags, CPoint point) { ForwardButton(WM_RBUTTONDOWN, flags, point); }
    void OnMButtonDown(UINT flags, CPoint point) { ForwardButton(WM_MBUTTONDOWN, flags, point); }
    void ForwardButton(UINT message, UINT flags, CPoint point);

protected:
    DECLARE_MESSAGE_MAP()

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectHover;
    CSize m_sizeTitle;
    DWORD m_dwLastLButtonDown = static_cast<DWORD>(-1);
    DWORD m_dwDblClickMsecs;
    BOOL m_bCreated = FALSE;
    CString m_strShown;
    CFont m_font;
    COLORREF m_crText = CLR_DEFAULT, m_crBack = CLR_DEFAULT;
};

#pragma once
// CHyperLink: a static text drawn as a web link (blue, red under the mouse, purple while pressed,
// underlined when hovered) that opens its address with the shell on a click and tells its parent
// with WM_COMMAND. Bind it to a static of a dialog (DDX_Control / SubclassDlgItem); it restyles
// the static, keeps a tooltip with the address and sizes itself to its text as it paints.
#include "framework/controls.h"
#include "framework/gdi.h"

class CHyperLink : public CStatic {
public:
    CHyperLink();
    ~CHyperLink() override;

    static constexpr UINT_PTR kHoverTimer = 1001;
    static constexpr UINT kHoverCheckMs = 300;
    static constexpr int kTipInitialMs = 1200;
    static constexpr int kTipAutoPopMs = 1600;

    // Replaces the address and gives it to the tooltip.
    void SetURL(const char* url);
    const char* GetURL() const { return m_pszURL; }
    // The text shown in place of the window text (null: the window text).
    void SetLinkText(const char* text);
    void SetUnderlineAlways(BOOL on) { m_bUnderlineAlways = on; Redraw(); }
    void SetOpenOnClick(BOOL on) { m_bOpenOnClick = on; }
    void SetMultiLine(BOOL on) { m_bMultiLine = on; Redraw(); }
    void SetFrame(int width, int style = PS_SOLID) { m_nFrameWidth = width; m_nFrameStyle = style; Redraw(); }

    CToolTipCtrl& GetToolTip() { return m_toolTip; }
    bool IsHovering() const { return m_bHovering != 0; }
    bool IsPressed() const { return m_bPressed != 0; }
    bool IsDisabled() const { return m_bDisabled != 0; }
    CFont& GetLinkFont() { return m_font; }

    COLORREF m_crNormal;
    COLORREF m_crHover;
    COLORREF m_crPressed;
    COLORREF m_crBackground;

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    void OnTimer(UINT_PTR id);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnEnable(BOOL enabled);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Redraw() { if (m_hWnd) Invalidate(FALSE); }
    void Press();
    // Whether the cursor is over the control or the place the tooltip showed.
    bool CursorOverLinkOrTip() const;
    void TrackLeave(bool on);

    char* m_pszText = nullptr;         // owned
    char* m_pszURL = nullptr;          // owned
    BOOL m_bUnderlineAlways = FALSE;
    BOOL m_bOpenOnClick = TRUE;
    BOOL m_bMultiLine = FALSE;
    CFont m_font;
    int m_nFrameWidth = 0;
    int m_nFrameStyle = 0;
    HCURSOR m_hPrevCursor = nullptr;
    HCURSOR m_hLinkCursor = nullptr;
    CToolTipCtrl m_toolTip;
    BOOL m_bDisabled = FALSE;
    BOOL m_bHovering = FALSE;
    BOOL m_bPressed = FALSE;
    RECT m_rcPressed = {};
    RECT m_rcTip = {};                 // where the tooltip was when the mouse left
};

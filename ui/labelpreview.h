#pragma once
// CLabelPreview: the sheet preview below the design canvas, one printed page of the current
// template with the current table row's label marked. The page is fitted into the pane at the
// user's zoom; the document draws the label contents, the stock draws the outlines.
#include "framework/view.h"

class COstrelindSoftLabelDoc;

class CLabelPreview : public CScrollView {
public:
    CLabelPreview();
    ~CLabelPreview() override;

    // The zoom combo box accepts 26..3199 percent; anything outside is ignored.
    enum { kMinTypedZoom = 26, kMaxTypedZoom = 3199 };
    // The page frame's top-left corner in the client area; labels, header and footer start here.
    enum { kPageLeft = 8, kPageTop = 4 };
    // A press this close to the top edge belongs to the splitter bar above the pane.
    enum { kSplitterGrip = 5 };

    int GetZoom() const { return m_zoom; }
    // Takes the zoom (no range check), repaints and sets the scroll sizes anew.
    void SetZoom(int percent);
    // The zoom and resolution the last page drawing used (0 when it stopped before the page).
    int GetAreaZoom() const { return m_lastAreaZoom; }
    int GetAreaDpi() const { return m_lastDpi; }

    void OnDraw(CDC* dc) override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

    // ---- messages and commands
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnContextMenu(CWnd* wnd, CPoint point);
    void OnZoomCommand(UINT id);
    void OnUpdateZoomCommand(CCmdUI* ui);
    void OnZoomCombo();
    void OnUpdateZoomCombo(CCmdUI* ui);
    void OnShowPreview();
    void OnUpdateShowPreview(CCmdUI* ui);
    void OnShowDesign();
    void OnShowTable();
    void OnUpdateShowOther(CCmdUI* ui);

    DECLARE_MESSAGE_MAP()

protected:
    // The text of the ribbon's zoom combo box (the main frame's); tests answer their own.
    virtual CString GetZoomComboText() const;
    COstrelindSoftLabelDoc* GetLabelDoc() const;
    // Draws the page for a client area of the given size (steps of OnDraw after the document check).
    void DrawPage(CDC* dc, COstrelindSoftLabelDoc* doc, int clientWidth, int clientHeight);
    void UpdateScrollSizes();
    // Sends a command to the parent once; a parent that routes it back here is not looped.
    void ForwardToParent(UINT id);

    int m_zoom = 100;
    int m_lastAreaZoom = 0;
    int m_lastDpi = 0;
    bool m_inSizing = false;
    bool m_forwarding = false;
};

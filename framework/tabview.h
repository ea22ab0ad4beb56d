#pragma once
// CTabView: a view that holds one view per tab and shows the active one above a strip of tabs
// drawn by the view itself. The tab views (windows) belong to the tab view: removing a tab
// destroys its view unless the caller keeps it. Optionally a close box on the active tab (it sends
// WM_CLOSE to that tab's view) and in-place editing of labels by double click.
#include "framework/doctempl.h"
#include "framework/stdids.h"
#include "framework/edit.h"
#include "framework/view.h"

#include <vector>

class CTabView;

// The editor over a tab label: Enter keeps the text, Escape and losing the focus to Escape cancel.
class CTabLabelEdit : public CEdit {
public:
    CTabView* m_owner = nullptr;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKillFocus(CWnd* newFocus);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    DECLARE_MESSAGE_MAP()
};

class CTabView : public CView {
public:
    CTabView() = default;
    ~CTabView() override;

    // A view made by factory in a new tab at index (-1 or past the end: the last). The first tab
    // becomes the active one; otherwise the active tab stays as it was. No activation is reported.
    // Returns the tab's index, or -1 when the view could not be made.
    int AddView(const ViewFactory& factory, const char* label, int index = -1, CCreateContext* context = nullptr);
    // Removes tab index; its view is destroyed, or with keepView only hidden (the view then closes
    // itself). When it was the active tab, the next tab (or the one before) becomes active without a
    // report.
    BOOL RemoveView(int index, bool keepView = false);
    // Makes tab index the active one and reports it through OnActivateView (also when it already is).
    BOOL SetActiveView(int index);
    int GetActiveTab() const { return m_active; }
    CView* GetActiveView() const { return GetView(m_active); }
    CView* GetView(int index) const;
    int GetTabsNum() const { return static_cast<int>(m_tabs.size()); }
    CString GetTabLabel(int index) const;
    void SetTabLabel(int index, const char* label);

    void EnableActiveTabCloseButton(bool enable = true);
    void EnableInPlaceEdit(bool enable = true) { m_inPlaceEdit = enable; }

    // Reported for the user's choice of tab, for SetActiveView and at the initial update; never for
    // an insertion or removal itself.
    virtual void OnActivateView(CView* view) { (void)view; }
    using CView::OnActivateView;
    // A label was changed by in-place editing.
    virtual void OnTabLabelEdited(int index) { (void)index; }

    // Geometry of the strip (client coordinates); empty rectangles for tabs scrolled out of sight.
    static const int kStripHeight = 22;
    static const int kMaxLabelLength = 39;      // labels fit a 40-byte buffer
    CRect GetTabRect(int index) const;
    CRect GetCloseBoxRect() const;              // on the active tab; empty without one
    CRect GetViewRect() const;
    int HitTestTab(POINT pt) const;             // tab under pt, or -1

    // In-place editing of tab index's label; false when editing is off or the index is wrong.
    bool StartLabelEdit(int index);
    void EndLabelEdit(bool keep);
    bool IsEditingLabel() const { return m_editIndex >= 0; }
    CEdit* GetLabelEdit() { return &m_edit; }

    void OnInitialUpdate() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnLButtonDblClk(UINT flags, CPoint pt);
    void OnSetFocus(CWnd* old);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

protected:
    struct Tab {
        HWND view = nullptr;
        CString label;
    };
    // The views' places and which one shows.
    void LayOutViews();
    void ShowActiveOnly();
    void EnsureActiveVisible();
    // Tab widths for the strip's font, and the room left of the tabs for the two scroll buttons.
    // Measured once per change of tabs, labels or the active tab.
    const std::vector<int>& MeasureTabs() const;
    void ForgetWidths() { m_widths.clear(); }
    static const int kScrollButtons = 32;

    std::vector<Tab> m_tabs;
    int m_active = -1;
    int m_firstVisible = 0;
    bool m_closeBox = false;
    bool m_inPlaceEdit = false;
    int m_editIndex = -1;
    CTabLabelEdit m_edit;
    HFONT m_font = nullptr;
    mutable std::vector<int> m_widths;
};

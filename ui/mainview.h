#pragma once
// COstrelindSoftMainView: the one view of a project's child frame. Its splitter (owned) holds the
// template tab view and the table tab view, side by side or stacked as the document says.
// CMySplitterWndEx: that splitter's own class.
#include "framework/splitter.h"
#include "framework/view.h"

class CTableTabView;
class CTemplateTabView;

class CMySplitterWndEx : public CSplitterWndEx {
public:
    DECLARE_MESSAGE_MAP()
};

class COstrelindSoftMainView : public CScrollView {
public:
    COstrelindSoftMainView() = default;
    ~COstrelindSoftMainView() override;

    CMySplitterWndEx* GetSplitter() const { return m_splitter; }
    CTemplateTabView* GetTemplateTabView() const;
    // At (1, 0) when stacked, else (0, 1).
    CTableTabView* GetTableTabView() const;

    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnShowWindowsStacked();
    void OnUpdateShowWindowsStacked(CCmdUI* ui);

    DECLARE_MESSAGE_MAP()

private:
    bool IsStacked() const;
    CMySplitterWndEx* m_splitter = nullptr;
};

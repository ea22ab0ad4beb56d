#pragma once
// The two tab views of a project: CTemplateTabView (a template view per template) and
// CTableTabView (a table view per table), each ending in a "+" tab that adds one. They turn the
// user's tab changes into the document's current template and table, and the document adds,
// removes, relabels and selects tabs through them (CLabelDocTabs; the "+" tab is not counted).
#include "document/labeldocviews.h"
#include "framework/tabview.h"

#include <cstdint>

class COstrelindSoftLabelDoc;
class COstrelindSoftTemplateView;

class CLabelDocTabView : public CTabView, public CLabelDocTabs {
public:
    COstrelindSoftLabelDoc* GetLabelDoc() const;

    // Appends the "+" tab; the tabs before it are the document's slots.
    int AddPlusTab(const ViewFactory& factory, CCreateContext* context);
    bool HasPlusTab() const { return m_plusView != nullptr && GetTabsNum() > 0; }
    // Reports activations only once the view has had its initial update (creation adds nothing).
    bool IsReady() const { return m_ready; }

    // CLabelDocTabs
    int GetTabCount() const override;
    CString GetTabLabel(int index) const override { return CTabView::GetTabLabel(index); }
    void SetTabLabel(int index, const char* label) override { CTabView::SetTabLabel(index, label); }
    void SelectTab(int index) override { SetActiveView(index); }

    void OnInitialUpdate() override;
    void OnTabLabelEdited(int index) override;

protected:
    CCreateContext MakeContext();
    bool m_ready = false;
    bool m_removing = false;
    HWND m_plusView = nullptr;
};

class CTemplateTabView : public CLabelDocTabView {
public:
    void InsertTab(int index, const char* label) override;
    void RemoveTab(int index) override;
    void OnActivateView(CView* view) override;
    using CLabelDocTabView::OnActivateView;

    COstrelindSoftTemplateView* GetTemplateView(int index) const;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class CTableTabView : public CLabelDocTabView {
public:
    void InsertTab(int index, const char* label) override;
    void RemoveTab(int index) override;
    void OnActivateView(CView* view) override;
    using CLabelDocTabView::OnActivateView;

    // Set while "+" adds a table; the document clears it while a deletion changes tabs.
    uint8_t m_plusTab = 0;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

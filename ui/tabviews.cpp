#include "ui/tabviews.h"

#include "document/documentstrings.h"
#include "document/labeldoc.h"
#include "framework/frame.h"
#include "framework/msgmap.h"
#include "ui/commandids.h"
#include "ui/designview.h"
#include "ui/labelview.h"
#include "ui/tableview.h"
#include "ui/templateview.h"

#include <cstdio>

// ---- common part

COstrelindSoftLabelDoc* CLabelDocTabView::GetLabelDoc() const
{
    return dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument());
}

CCreateContext CLabelDocTabView::MakeContext()
{
    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    context.m_pLastView = this;
    context.m_pCurrentFrame = GetParentFrame();
    return context;
}

int CLabelDocTabView::AddPlusTab(const ViewFactory& factory, CCreateContext* context)
{
    const int index = AddView(factory, "+", -1, context);
    if (index >= 0)
        if (CView* view = GetView(index))
            m_plusView = view->m_hWnd;
    return index;
}

int CLabelDocTabView::GetTabCount() const
{
    return HasPlusTab() ? GetTabsNum() - 1 : GetTabsNum();
}

void CLabelDocTabView::OnInitialUpdate()
{
    m_ready = true;
    CTabView::OnInitialUpdate();
}

void CLabelDocTabView::OnTabLabelEdited(int)
{
    // The labels are the names the project stores.
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag(TRUE);
}

// ---- templates

BEGIN_MESSAGE_MAP(CTemplateTabView, CTabView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int CTemplateTabView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CTabView::OnCreate(cs) == -1)
        return -1;
    EnableActiveTabCloseButton(true);
    EnableInPlaceEdit(true);
    return 0;
}

void CTemplateTabView::OnDestroy()
{
    // The document must not keep talking to a destroyed window.
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        if (doc->GetTemplateTabs() == this)
            doc->SetTemplateTabs(nullptr);
    CTabView::OnDestroy();
}

COstrelindSoftTemplateView* CTemplateTabView::GetTemplateView(int index) const
{
    return dynamic_cast<COstrelindSoftTemplateView*>(GetView(index));
}

void CTemplateTabView::InsertTab(int index, const char* label)
{
    CCreateContext context = MakeContext();
    const int at = AddView(CreateNew<COstrelindSoftTemplateView>, label, index, &context);
    if (at >= 0)
        COstrelindSoftTemplateView::AddViewsToDocument(GetDocument(), GetTemplateView(at));
}

void CTemplateTabView::RemoveTab(int index)
{
    if (index < 0 || index >= GetTabsNum())
        return;
    m_removing = true;
    if (CView* view = GetView(index))
        view->SendMessage(WM_TABVIEW_REMOVE);
    RemoveView(index);
    m_removing = false;
    // The removed template's canvas may have been the frame's active view: the canvas now shown
    // takes its place, or commands would find no view (and no project) to go to.
    CFrameWnd* frame = GetParentFrame();
    COstrelindSoftTemplateView* shown = GetTemplateView(GetActiveTab());
    COstrelindSoftLabelView* label = shown != nullptr ? shown->GetLabelView() : nullptr;
    if (frame != nullptr && frame->GetActiveView() == nullptr && label != nullptr && label->GetDesignView() != nullptr)
        frame->SetActiveView(label->GetDesignView(), FALSE);
}

void CTemplateTabView::OnActivateView(CView*)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (!m_ready || m_removing || doc == nullptr)
        return;
    const int pos = GetActiveTab();
    if (pos < 0)
        return;
    if (HasPlusTab() && pos == GetTabsNum() - 1) {
        doc->AddTemplateTab();
        return;
    }
    if (pos != doc->GetCurrentTemplateIndex()) {
        doc->SetCurrentTemplate(pos);
        doc->InvalidateDesignViews();
        doc->InvalidateLabelPreviews();
    }
    // Each template remembers whether the windows were stacked for it.
    if ((doc->GetTemplateLayout(pos) != 0) != doc->IsStacked()) {
        CWnd* splitter = GetParent();
        CWnd* mainView = splitter != nullptr ? splitter->GetParent() : nullptr;
        if (mainView != nullptr)
            mainView->SendMessage(WM_COMMAND, ID_SHOW_WINDOWS_STACKED);
    }
    // The canvas becomes the active view, so that its commands work without a first click.
    COstrelindSoftTemplateView* view = GetTemplateView(pos);
    COstrelindSoftLabelView* label = view != nullptr ? view->GetLabelView() : nullptr;
    if (label != nullptr && label->GetDesignView() != nullptr)
        if (CFrameWnd* frame = GetParentFrame())
            frame->SetActiveView(label->GetDesignView(), TRUE);
}

// ---- tables

BEGIN_MESSAGE_MAP(CTableTabView, CTabView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int CTableTabView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CTabView::OnCreate(cs) == -1)
        return -1;
    EnableActiveTabCloseButton(true);
    m_plusTab = 1;
    const CString word = LoadStringOr(IDS_TABLE_BASE_NAME, "Table");
    CCreateContext context = MakeContext();
    for (int i = 1; i <= 3; ++i) {
        char label[40];
        std::snprintf(label, sizeof label, "%s %d", static_cast<const char*>(word), i);
        AddView(CreateNew<COstrelindSoftTableView>, label, -1, &context);
    }
    AddPlusTab(CreateNew<COstrelindSoftTableView>, &context);
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->SetTableTabs(this);
    EnableInPlaceEdit(true);
    return 0;
}

void CTableTabView::OnDestroy()
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        if (doc->GetTableTabs() == this)
            doc->SetTableTabs(nullptr);
    CTabView::OnDestroy();
}

void CTableTabView::InsertTab(int index, const char* label)
{
    CCreateContext context = MakeContext();
    AddView(CreateNew<COstrelindSoftTableView>, label, index, &context);
}

void CTableTabView::RemoveTab(int index)
{
    if (index < 0 || index >= GetTabsNum())
        return;
    // The table view may be the one whose close box started this: it closes itself later.
    m_removing = true;
    if (CView* view = GetView(index))
        view->PostMessage(WM_TABVIEW_REMOVE);
    RemoveView(index, true);
    m_removing = false;
}

void CTableTabView::OnActivateView(CView*)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (!m_ready || m_removing || doc == nullptr)
        return;
    const int pos = GetActiveTab();
    if (pos < 0)
        return;
    if (m_plusTab && HasPlusTab() && pos == GetTabsNum() - 1) {
        doc->AddTableTab();
        return;
    }
    if (pos != doc->GetCurrentTableIndex()) {
        doc->SetCurrentTable(pos);
        doc->InvalidateDesignViews();
        doc->InvalidateLabelPreviews();
        doc->InvalidateTableViews();
    }
}

#include "ui/templateview.h"

#include "document/labeldocviews.h"
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/msgmap.h"
#include "ui/commandids.h"
#include "ui/designview.h"
#include "ui/labelpreview.h"
#include "ui/labelview.h"

BEGIN_MESSAGE_MAP(COstrelindSoftTemplateView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_TABVIEW_REMOVE, OnTabViewRemove)
END_MESSAGE_MAP()

COstrelindSoftTemplateView::~COstrelindSoftTemplateView()
{
    delete m_splitter;
}

int COstrelindSoftTemplateView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CView::OnCreate(cs) == -1)
        return -1;
    m_splitter = new CSplitterWndEx;
    if (!m_splitter->CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, kSplitterId))
        return -1;
    m_splitter->SetWindowText("Splitter");
    CRect client;
    GetClientRect(&client);
    int h = client.Height() / 2;
    if (h == 0)
        h = 300;
    m_splitter->SetRowInfo(0, h, 10);
    if (!m_splitter->CreateView(1, 0, CreateNew<CLabelPreview>, CSize(0, h)) ||
        !m_splitter->CreateView(0, 0, CreateNew<COstrelindSoftLabelView>, CSize(0, h)))
        return -1;
    m_splitter->SetRowInfo(0, h, 10);
    return 0;
}

void COstrelindSoftTemplateView::OnSize(UINT, int cx, int cy)
{
    Default();
    if (m_splitter == nullptr || m_splitter->m_hWnd == nullptr)
        return;
    if (cy / 2 != 0)
        m_splitter->SetRowInfo(0, cy / 2, 10);
    m_splitter->MoveWindow(0, 0, cx, cy);
    m_splitter->RecalcLayout();
}

void COstrelindSoftTemplateView::OnClose()
{
    // The close box of the tab: the document asks and removes the template with its tab.
    if (::GetParent(m_hWnd) == nullptr)
        return;
    // Straight to this view's own project: through the main window the command would reach the
    // active child's active view, which is another project's, or none once a removed tab's canvas
    // had been the active view.
    if (CDocument* doc = GetDocument())
        doc->OnCmdMsg(ID_DELETE_TEMPLATE, CN_COMMAND, nullptr, nullptr);
}

LRESULT COstrelindSoftTemplateView::OnTabViewRemove(WPARAM, LPARAM)
{
    Default();
    return 0;
}

COstrelindSoftLabelView* COstrelindSoftTemplateView::GetLabelView() const
{
    return m_splitter != nullptr ? dynamic_cast<COstrelindSoftLabelView*>(m_splitter->GetPane(0, 0)) : nullptr;
}

CLabelPreview* COstrelindSoftTemplateView::GetPreview() const
{
    return m_splitter != nullptr ? dynamic_cast<CLabelPreview*>(m_splitter->GetPane(1, 0)) : nullptr;
}

void COstrelindSoftTemplateView::AddViewsToDocument(CDocument* doc, COstrelindSoftTemplateView* view)
{
    if (doc == nullptr || view == nullptr)
        return;
    auto join = [doc](CView* pane) {
        if (pane != nullptr && pane->GetDocument() == nullptr)
            doc->AddView(pane);
    };
    COstrelindSoftLabelView* label = view->GetLabelView();
    join(label);
    if (label != nullptr)
        join(label->GetDesignView());
    join(view->GetPreview());
}

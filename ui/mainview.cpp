#include "ui/mainview.h"

#include "document/documentstrings.h"
#include "document/labeldoc.h"
#include "framework/frame.h"
#include "framework/msgmap.h"
#include "ui/commandids.h"
#include "ui/tabviews.h"
#include "ui/templateview.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(CMySplitterWndEx, CSplitterWndEx)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(COstrelindSoftMainView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_COMMAND(ID_SHOW_WINDOWS_STACKED, OnShowWindowsStacked)
    ON_UPDATE_COMMAND_UI(ID_SHOW_WINDOWS_STACKED, OnUpdateShowWindowsStacked)
END_MESSAGE_MAP()

COstrelindSoftMainView::~COstrelindSoftMainView()
{
    delete m_splitter;
}

void COstrelindSoftMainView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(100, 100));
    CScrollView::OnInitialUpdate();
}

BOOL COstrelindSoftMainView::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The child frame draws no frame of its own around the view.
    cs.style &= ~WS_BORDER;
    cs.style |= WS_CLIPCHILDREN;
    return CScrollView::PreCreateWindow(cs);
}

bool COstrelindSoftMainView::IsStacked() const
{
    auto* doc = dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument());
    return doc != nullptr && doc->IsStacked();
}

CTemplateTabView* COstrelindSoftMainView::GetTemplateTabView() const
{
    return m_splitter != nullptr ? dynamic_cast<CTemplateTabView*>(m_splitter->GetPane(0, 0)) : nullptr;
}

CTableTabView* COstrelindSoftMainView::GetTableTabView() const
{
    if (m_splitter == nullptr)
        return nullptr;
    return dynamic_cast<CTableTabView*>(IsStacked() ? m_splitter->GetPane(1, 0) : m_splitter->GetPane(0, 1));
}

int COstrelindSoftMainView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CScrollView::OnCreate(cs) == -1)
        return -1;
    m_splitter = new CMySplitterWndEx;
    if (!m_splitter->CreateStatic(this, 2, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return -1;
    m_splitter->SetLayout(1, 2);
    m_splitter->SetWindowText("Splitter");

    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    context.m_pLastView = this;
    context.m_pCurrentFrame = GetParentFrame();
    if (!m_splitter->CreateView(0, 1, CreateNew<CTableTabView>, CSize(500, 0), &context) ||
        !m_splitter->CreateView(0, 0, CreateNew<CTemplateTabView>, CSize(500, 0), &context))
        return -1;
    m_splitter->SetColumnInfo(0, 500, 10);

    CTemplateTabView* tabs = GetTemplateTabView();
    if (tabs == nullptr)
        return -1;
    const CString word = LoadStringOr(IDS_TEMPLATE_BASE_NAME, "Template");
    for (int i = 1; i <= 3; ++i) {
        char label[40];
        std::snprintf(label, sizeof label, "%s %d", static_cast<const char*>(word), i);
        tabs->AddView(CreateNew<COstrelindSoftTemplateView>, label, -1, &context);
        tabs->SetActiveView(i - 1);
        COstrelindSoftTemplateView::AddViewsToDocument(GetDocument(), tabs->GetTemplateView(tabs->GetActiveTab()));
    }
    if (auto* doc = dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument()))
        doc->SetTemplateTabs(tabs);
    tabs->AddPlusTab(CreateNew<COstrelindSoftTemplateView>, &context);
    tabs->SetActiveView(tabs->GetTabsNum() - 1);
    COstrelindSoftTemplateView::AddViewsToDocument(GetDocument(), tabs->GetTemplateView(tabs->GetActiveTab()));
    tabs->SetActiveView(0);
    return 0;
}

void COstrelindSoftMainView::OnSize(UINT type, int cx, int cy)
{
    CScrollView::OnSize(type, cx, cy);
    if (m_splitter == nullptr || m_splitter->m_hWnd == nullptr)
        return;
    if (!IsStacked()) {
        if (cx / 2 != 0) {
            m_splitter->SetColumnInfo(0, cx / 2, 10);
            m_splitter->SetColumnInfo(1, cx / 2, 10);
        }
    } else if (cy / 2 != 0) {
        m_splitter->SetRowInfo(0, cy / 2, 10);
        m_splitter->SetRowInfo(1, cy / 2, 10);
    }
    CRect rect;
    m_splitter->GetWindowRect(&rect);
    m_splitter->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_splitter->RecalcLayout();
}

void COstrelindSoftMainView::OnShowWindowsStacked()
{
    auto* doc = dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument());
    if (doc == nullptr || m_splitter == nullptr)
        return;
    CWnd* table = GetTableTabView();
    doc->SetStacked(!doc->IsStacked());
    CRect client;
    GetClientRect(&client);
    if (doc->IsStacked()) {
        m_splitter->SetLayout(2, 1);
        if (table != nullptr)
            table->SetDlgCtrlID(AFX_IDW_PANE_FIRST + 16);
        if (client.Height() / 2 != 0) {
            m_splitter->SetRowInfo(0, client.Height() / 2, 10);
            m_splitter->SetRowInfo(1, client.Height() / 2, 10);
            m_splitter->SetColumnInfo(0, client.Width(), 10);
        }
    } else {
        m_splitter->SetLayout(1, 2);
        if (table != nullptr)
            table->SetDlgCtrlID(AFX_IDW_PANE_FIRST + 1);
        if (client.Width() / 2 != 0) {
            m_splitter->SetColumnInfo(0, client.Width() / 2, 10);
            m_splitter->SetColumnInfo(1, client.Width() / 2, 10);
            m_splitter->SetRowInfo(0, client.Height(), 10);
        }
    }
    m_splitter->RecalcLayout();
}

void COstrelindSoftMainView::OnUpdateShowWindowsStacked(CCmdUI* ui)
{
    ui->SetCheck(IsStacked() ? 1 : 0);
}

#include "ui/mainview.h"

#include "framework/doc.h"

void COstrelindSoftMainView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(100, 100));
    CScrollView::OnInitialUpdate();
}

BOOL COstrelindSoftMainView::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The child frame draws no frame of its own around the view.
    cs.style &= ~WS_BORDER;
    return CScrollView::PreCreateWindow(cs);
}

void COstrelindSoftMainView::OnDraw(CDC* dc)
{
    CDocument* doc = GetDocument();
    if (doc == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ oldFont = ::SelectObject(dc->m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    CString name = doc->GetTitle();
    ::DrawTextA(dc->m_hDC, name, name.GetLength(), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc->m_hDC, oldFont);
}

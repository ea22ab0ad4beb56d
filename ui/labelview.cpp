#include "ui/labelview.h"

#include "document/cntritem.h"
#include "document/labeldoc.h"
#include "framework/frame.h"
#include "framework/msgmap.h"
#include "ui/commandids.h"
#include "ui/designview.h"
#include "ui/resourceids.h"

BEGIN_MESSAGE_MAP(COstrelindSoftLabelView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
    ON_WM_RBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_DESIGN_CURSORPOS, OnDesignCursorPos)
    ON_MESSAGE(WM_DESIGN_SCROLLED, OnDesignScrolled)
    ON_MESSAGE(WM_DESIGN_ZOOMCHANGED, OnDesignZoomChanged)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
    ON_COMMAND(ID_OLE_INSERT_NEW, OnInsertObject)
    ON_COMMAND(ID_CANCEL_INPLACE_EDIT, OnCancelInPlaceEdit)
    ON_UPDATE_COMMAND_UI(ID_SHOW_RULERS, OnUpdateShowRulers)
END_MESSAGE_MAP()

int COstrelindSoftLabelView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CScrollView::OnCreate(cs) == -1)
        return -1;
    m_designView = new Ostrelind_SoftLabelDesignView;
    if (!m_designView->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(kRulerSize, kRulerSize, 600, 200), this,
                              static_cast<UINT>(-1)))
        m_designView = nullptr;   // it deleted itself with its window
    m_horRuler.Create(this, CRect(kRulerSize, 0, 600, kRulerSize), static_cast<UINT>(-2));
    m_verRuler.Create(this, CRect(0, kRulerSize, kRulerSize, 200), static_cast<UINT>(-3));
    return 0;
}

void COstrelindSoftLabelView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    m_selectedItem = nullptr;
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

void COstrelindSoftLabelView::LayOut(int cx, int cy)
{
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_rulersShown) {
        if (m_designView != nullptr && m_designView->m_hWnd != nullptr)
            m_designView->SetWindowPos(nullptr, kRulerSize, kRulerSize, cx - kRulerSize, cy - kRulerSize, flags);
        if (m_horRuler.m_hWnd != nullptr)
            m_horRuler.SetWindowPos(nullptr, kRulerSize, 0, cx - kRulerSize, kRulerSize, flags);
        if (m_verRuler.m_hWnd != nullptr)
            m_verRuler.SetWindowPos(nullptr, 0, kRulerSize, kRulerSize, cy - kRulerSize, flags);
    } else if (m_designView != nullptr && m_designView->m_hWnd != nullptr) {
        m_designView->SetWindowPos(nullptr, 0, 0, cx, cy, flags);
    }
}

void COstrelindSoftLabelView::OnSize(UINT type, int cx, int cy)
{
    CScrollView::OnSize(type, cx, cy);
    LayOut(cx, cy);
}

void COstrelindSoftLabelView::ToggleRulers()
{
    m_rulersShown = m_rulersShown ? 0 : 1;
    const int show = m_rulersShown ? SW_SHOW : SW_HIDE;
    if (m_horRuler.m_hWnd != nullptr)
        m_horRuler.ShowWindow(show);
    if (m_verRuler.m_hWnd != nullptr)
        m_verRuler.ShowWindow(show);
    if (m_hWnd != nullptr) {
        CRect client;
        GetClientRect(&client);
        LayOut(client.Width(), client.Height());
    }
}

void COstrelindSoftLabelView::OnUpdateShowRulers(CCmdUI* ui)
{
    ui->SetCheck(m_rulersShown ? 1 : 0);
}

LRESULT COstrelindSoftLabelView::OnDesignCursorPos(WPARAM, LPARAM lParam)
{
    m_horRuler.SetCursorPos(static_cast<short>(LOWORD(lParam)));
    m_verRuler.SetCursorPos(static_cast<short>(HIWORD(lParam)));
    return 0;
}

LRESULT COstrelindSoftLabelView::OnDesignScrolled(WPARAM, LPARAM lParam)
{
    m_horRuler.SetOrigin(m_horRuler.GetOrigin() + static_cast<short>(LOWORD(lParam)));
    m_verRuler.SetOrigin(m_verRuler.GetOrigin() + static_cast<short>(HIWORD(lParam)));
    if (m_horRuler.m_hWnd != nullptr)
        m_horRuler.Invalidate(TRUE);
    if (m_verRuler.m_hWnd != nullptr)
        m_verRuler.Invalidate(TRUE);
    return 0;
}

LRESULT COstrelindSoftLabelView::OnDesignZoomChanged(WPARAM wParam, LPARAM)
{
    const int zoom = static_cast<int>(wParam);
    m_horRuler.SetZoom(zoom);
    m_verRuler.SetZoom(zoom);
    if (m_horRuler.m_hWnd != nullptr)
        m_horRuler.Invalidate(TRUE);
    if (m_verRuler.m_hWnd != nullptr)
        m_verRuler.Invalidate(TRUE);
    // The canvas may have scrolled with the zoom: the rulers' zero follows its position.
    if (m_designView != nullptr) {
        const CPoint pos = m_designView->GetScrollPosition();
        m_horRuler.SetOrigin(pos.x);
        m_verRuler.SetOrigin(pos.y);
    }
    if (m_horRuler.m_hWnd != nullptr)
        m_horRuler.Invalidate(TRUE);
    if (m_verRuler.m_hWnd != nullptr)
        m_verRuler.Invalidate(TRUE);
    return 0;
}

void COstrelindSoftLabelView::OnLButtonDown(UINT, CPoint)
{
    // In practice a click on the corner square where the rulers meet.
    if (m_designView == nullptr)
        return;
    m_designView->ToggleSelectAllInArea();
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetActiveView(m_designView, TRUE);
}

void COstrelindSoftLabelView::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_designView != nullptr && m_designView->m_hWnd != nullptr) {
        ::SetActiveWindow(::GetAncestor(m_designView->m_hWnd, GA_ROOT));
        m_designView->SetFocus();
    }
}

void COstrelindSoftLabelView::OnSetFocus(CWnd*)
{
    if (m_designView != nullptr && m_designView->m_hWnd != nullptr && m_designView->IsWindowVisible())
        m_designView->SetFocus();
}

BOOL COstrelindSoftLabelView::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo)
{
    if (m_designView == nullptr || m_designView->m_hWnd == nullptr)
        return CScrollView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    // The canvas asks the document itself.
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           m_designView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void COstrelindSoftLabelView::OnRButtonUp(UINT, CPoint pt)
{
    ClientToScreen(&pt);
    ShowPopupMenu(IDR_CONTEXT_EDIT, pt, this);
}

void COstrelindSoftLabelView::OnContextMenu(CWnd*, CPoint pt)
{
    ShowPopupMenu(IDR_CONTEXT_EDIT, pt, this);
}

void COstrelindSoftLabelView::OnTimer(UINT_PTR id)
{
    KillTimer(id);
}

void COstrelindSoftLabelView::OnFilePrintDirect()
{
    // The canvas prints the label (without the dialog); this view itself shows nothing to print.
    if (m_designView != nullptr && m_designView->m_hWnd != nullptr)
        m_designView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
}

void COstrelindSoftLabelView::OnInsertObject()
{
    auto* doc = dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument());
    if (COstrelindSoftCntrItem* item = InsertNewOleItem(this, doc))
        m_selectedItem = item;
}

void COstrelindSoftLabelView::OnCancelInPlaceEdit()
{
    CloseInPlaceOleItem(this, dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument()));
}

void COstrelindSoftLabelView::OnDestroy()
{
    // An object active in place here must not keep a site in a window that is going.
    if (auto* doc = dynamic_cast<COleDocument*>(GetDocument()))
        if (COleClientItem* item = doc->GetInPlaceActiveItem(this))
            item->Deactivate();
    m_selectedItem = nullptr;
    CScrollView::OnDestroy();
}

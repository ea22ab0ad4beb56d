#include "document/cntritem.h"

#include "document/labeldoc.h"
#include "document/res/oleitem.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/view.h"

#include <stdexcept>

COstrelindSoftCntrItem::COstrelindSoftCntrItem(COstrelindSoftLabelDoc* doc) : COleClientItem(doc) {}

COstrelindSoftLabelDoc* COstrelindSoftCntrItem::GetDocument() const
{
    return static_cast<COstrelindSoftLabelDoc*>(COleClientItem::GetDocument());
}

void COstrelindSoftCntrItem::OnChange(Notification code, DWORD param)
{
    COleClientItem::OnChange(code, param);
    if (GetDocument() != nullptr)
        GetDocument()->UpdateAllViews(nullptr);
}

BOOL COstrelindSoftCntrItem::OnChangeItemPosition(const CRect& position)
{
    return COleClientItem::OnChangeItemPosition(position);
}

void COstrelindSoftCntrItem::OnGetItemPosition(CRect& position)
{
    SIZE extent = {};
    if (!GetExtent(&extent, static_cast<DVASPECT>(m_nDrawAspect))) {
        position.SetRect(10, 10, 210, 210);
        return;
    }
    // HIMETRIC to the pixels of the view's screen.
    HWND view = GetActiveView() != nullptr ? GetActiveView()->m_hWnd : nullptr;
    HDC dc = ::GetDC(view);
    const int dpiX = ::GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(view, dc);
    const int width = ::MulDiv(extent.cx, dpiX, 2540);
    const int height = ::MulDiv(extent.cy, dpiY, 2540);
    position.SetRect(10, 10, 10 + width, 10 + height);
}

void COstrelindSoftCntrItem::OnActivate()
{
    // One in-place object per view: the one already active there closes first.
    if (GetDocument() != nullptr && GetActiveView() != nullptr) {
        COleClientItem* other = GetDocument()->GetInPlaceActiveItem(GetActiveView());
        if (other != nullptr && other != this)
            other->Close();
    }
    COleClientItem::OnActivate();
}

void COstrelindSoftCntrItem::OnDeactivateUI(BOOL undoable)
{
    COleClientItem::OnDeactivateUI(undoable);
    // An inside-out object is only seen while it is active.
    if ((GetMiscStatus() & OLEMISC_INSIDEOUT) != 0)
        DoVerb(OLEIVERB_HIDE, nullptr);
}

COstrelindSoftCntrItem* InsertNewOleItem(CView* view, COstrelindSoftLabelDoc* doc)
{
    if (doc == nullptr)
        return nullptr;
    COleInsertDialog dialog;
    if (dialog.DoModal(view != nullptr ? view->m_hWnd : nullptr) != IDOK)
        return nullptr;
    HCURSOR before = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    COstrelindSoftCntrItem* item = nullptr;
    try {
        item = new COstrelindSoftCntrItem(doc);
        if (!dialog.CreateItem(item))
            throw std::runtime_error("the object could not be created");
        if (dialog.GetSelectionType() == COleInsertDialog::createNewItem)
            item->DoVerb(OLEIVERB_SHOW, view);
        doc->UpdateAllViews(nullptr);
    } catch (...) {
        // Nothing of a failed insertion stays in the project.
        delete item;                   // Release()s and leaves the document's list
        item = nullptr;
        ::SetCursor(before);
        AfxMessageBox(IDP_FAILED_TO_CREATE);
        return nullptr;
    }
    ::SetCursor(before);
    return item;
}

bool CloseInPlaceOleItem(CView* view, COstrelindSoftLabelDoc* doc)
{
    if (doc == nullptr || view == nullptr)
        return false;
    COleClientItem* item = doc->GetInPlaceActiveItem(view);
    if (item == nullptr)
        return false;
    item->Close();
    return true;
}

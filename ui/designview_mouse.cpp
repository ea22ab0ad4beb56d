// The design canvas's mouse state machine and keyboard: rubber band, moving, creating, resizing,
// arrow-key nudges, and the drag that ends cancelled when the capture is taken away.
#include "ui/designview.h"

#include "document/labeldoc.h"
#include "framework/cursorclip.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphobject.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/marker.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/inplaceedit.h"

void Ostrelind_SoftLabelDesignView::TakeCapture()
{
    m_ownCaptureChange = true;
    SetCapture();
    m_ownCaptureChange = false;
}

void Ostrelind_SoftLabelDesignView::DropCapture()
{
    if (::GetCapture() != m_hWnd)
        return;
    m_ownCaptureChange = true;
    ::ReleaseCapture();
    m_ownCaptureChange = false;
}

// ---------------------------------------------------------------------------------------------
// Press

void Ostrelind_SoftLabelDesignView::OnLButtonDown(UINT flags, CPoint point)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    if (m_inPlaceEdit != nullptr)
        EndInPlaceEdit();
    if (doc->GetCurrentTemplate()->IsLocked() || doc->IsEditBlocked() || m_buttonDown)
        return;
    m_buttonDown = 1;
    if (m_mouseState == kNudging)
        EndKeyboardNudge();
    CGraphCollection* objects = AreaObjects();
    if (objects == nullptr)
        return;

    CClientDC dc(m_hWnd);
    PrepareDC(dc);
    const CPoint p = ToView(point);

    if (m_mouseState == kCreating) {
        objects->DeselectAll();
        Invalidate(TRUE);
        UpdateWindow();
        if (m_creatingObject == nullptr && m_armedObject != nullptr) {
            m_creatingObject = m_armedObject;
            m_armedObject = nullptr;
            m_creatingObject->BeginCreateDrag(&dc, m_zoom, p.x, p.y);
        }
        TakeCapture();
        return;
    }

    if (doc->GetObjectAtHandle(m_area, &dc, m_zoom, p.x, p.y) != nullptr && objects->GetSelectedCount() == 1) {
        m_mouseState = kResizing;
        objects->BeginResizeSelected(&dc, m_zoom, p.x, p.y);
        TakeCapture();
        return;
    }

    // Every accepted press holds the mouse until its release, so that a release outside the
    // window still clears the button and the next press is not ignored.
    TakeCapture();
    const bool shift = (flags & MK_SHIFT) != 0;
    CGraphObject* object = doc->GetObjectAtPoint(m_area, &dc, m_zoom, p.x, p.y);
    if (object != nullptr && shift) {
        object->DrawHandles(&dc);
        object->SetSelected(!object->IsSelected());
        return;
    }
    if (object != nullptr) {
        if (!object->IsSelected()) {
            const int selectedBefore = objects->GetSelectedCount();
            objects->DeselectAll();
            object->SetSelected(true);
            if (selectedBefore > 0) {
                Invalidate(TRUE);
                UpdateWindow();
            } else {
                object->DrawHandlesIfSelected(&dc);
            }
        }
        m_dragStart = p;
        SetTimer(kDragTimer, kDragDelay);
        return;
    }
    if (shift)
        return;
    if (objects->HasSelection()) {
        objects->DeselectAll();
        doc->InvalidateDesignViews();
        UpdateWindow();
    }
    if (m_mouseState != kRubberBand) {
        m_mouseState = kRubberBand;
        delete m_rubberBand;
        m_rubberBand = new CMarkerRect(p.x, p.y, PS_DOT);
        m_rubberBand->MoveEndPoint(&dc, p.x, p.y);
        CRect window;
        GetWindowRect(&window);
        AfxClipCursor(&window);
    }
}

void Ostrelind_SoftLabelDesignView::OnTimer(UINT_PTR id)
{
    if (id == kIdleTimer) {
        // Only there to keep idle-time updates of the ribbon flowing.
        KillTimer(kIdleTimer);
        SetTimer(kIdleTimer, 100);
        return;
    }
    if (id != kDragTimer)
        return;
    KillTimer(kDragTimer);
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || !m_buttonDown || m_mouseState != kIdle)
        return;
    CClientDC dc(m_hWnd);
    PrepareDC(dc);
    m_mouseState = kMoving;
    doc->BeginMoveSelection(m_area, &dc, m_zoom, m_dragStart.x, m_dragStart.y);
    TakeCapture();
}

// ---------------------------------------------------------------------------------------------
// Move

void Ostrelind_SoftLabelDesignView::OnMouseMove(UINT flags, CPoint point)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_DESIGN_CURSORPOS, flags, MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr)
        return;
    CClientDC dc(m_hWnd);
    PrepareDC(dc);
    const CPoint p = ToView(point);
    switch (m_mouseState) {
    case kIdle: {
        LPCSTR cursor = IDC_ARROW;
        switch (objects->HitHandle(&dc, m_zoom, p.x, p.y)) {
        case HandleTopLeft: case HandleBottomRight: cursor = IDC_SIZENWSE; break;
        case HandleTop: case HandleBottom: cursor = IDC_SIZENS; break;
        case HandleTopRight: case HandleBottomLeft: cursor = IDC_SIZENESW; break;
        case HandleRight: case HandleLeft: cursor = IDC_SIZEWE; break;
        case HandleLineStart: case HandleLineEnd: cursor = IDC_SIZEALL; break;
        default:
            if (doc->GetSelectedObjectAtPoint(m_area, &dc, m_zoom, p.x, p.y) != nullptr)
                cursor = IDC_SIZEALL;
            break;
        }
        ::SetCursor(::LoadCursorA(nullptr, cursor));
        break;
    }
    case kRubberBand:
        if (m_rubberBand != nullptr)
            m_rubberBand->MoveEndPoint(&dc, p.x, p.y);
        break;
    case kMoving:
        doc->DragSelection(m_area, &dc, m_zoom, p.x, p.y);
        break;
    case kCreating:
        if (m_creatingObject != nullptr)
            m_creatingObject->TrackResize(&dc, p.x, p.y, flags);
        ::SetCursor(::LoadCursorA(nullptr, IDC_CROSS));
        break;
    case kResizing:
        objects->TrackResizeSelected(&dc, p.x, p.y, flags);
        break;
    case kNudging:
        EndKeyboardNudge();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Release

void Ostrelind_SoftLabelDesignView::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_buttonDown)
        return;
    m_buttonDown = 0;
    KillTimer(kDragTimer);
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr) {
        DropCapture();
        return;
    }
    CClientDC dc(m_hWnd);
    PrepareDC(dc);
    const CPoint p = ToView(point);
    CRect client;
    GetClientRect(&client);
    const bool outside = point.x < 0 || point.y < 0 || point.x >= client.right || point.y >= client.bottom;
    if (outside) {
        ::MessageBeep(0);
        if (m_mouseState == kMoving) {
            objects->EndTrackingSelected(&dc);
            m_mouseState = kIdle;
        }
    }
    switch (m_mouseState) {
    case kRubberBand: {
        m_mouseState = kIdle;
        RECT band = {};
        if (m_rubberBand != nullptr) {
            int left = 0, top = 0, right = 0, bottom = 0;
            m_rubberBand->GetRect(&left, &top, &right, &bottom);
            band = RECT{left, top, right, bottom};
            m_rubberBand->Erase(&dc);
            delete m_rubberBand;
            m_rubberBand = nullptr;
        }
        AfxClipCursor(nullptr);
        if ((flags & MK_SHIFT) == 0 && objects->SelectInRect(&dc, m_zoom, &band))
            Invalidate(TRUE);
        break;
    }
    case kMoving:
        doc->EndMoveSelection(m_area, &dc, m_zoom, p.x, p.y);
        m_mouseState = kIdle;
        doc->SetModifiedFlag(TRUE);
        UpdateScrollSizes();
        Invalidate(TRUE);
        break;
    case kCreating: {
        // The object leaves the view's hands here, added or deleted, so the next tool never
        // tracks it again.
        CGraphObject* object = m_creatingObject;
        m_creatingObject = nullptr;
        m_mouseState = kIdle;
        if (object != nullptr) {
            const int size = object->GetMarkerSize();
            object->EndResize(&dc);
            object->SetSelected(true);
            if (size < kMinimumMarker) {
                delete object;
            } else {
                doc->AddObject(m_area, object);
                UpdateScrollSizes();
                Invalidate(TRUE);
            }
        }
        break;
    }
    case kResizing:
        m_mouseState = kIdle;
        doc->EndResizeSelection(m_area, &dc);
        Invalidate(TRUE);
        UpdateScrollSizes();
        break;
    default:
        break;
    }
    DropCapture();
}

void Ostrelind_SoftLabelDesignView::OnLButtonDblClk(UINT, CPoint point)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr || doc->GetCurrentTemplate()->IsLocked())
        return;
    if (objects->GetSelectedCount() != 1)
        return;
    CClientDC dc(m_hWnd);
    PrepareDC(dc);
    const CPoint p = ToView(point);
    CGraphObject* object = doc->GetSelectedObjectAtPoint(m_area, &dc, m_zoom, p.x, p.y);
    if (object == nullptr)
        return;
    if (object->IsTextEditableInPlace()) {
        doc->GetCurrentTemplate()->PushUndo(m_area, true);
        doc->SetModifiedFlag(TRUE);
        BeginInPlaceEdit(object);
    } else if (object->CanEditContent() && object->EditContent(this)) {
        doc->InvalidateDesignViews();
        doc->InvalidateLabelPreviews();
        doc->SetModifiedFlag(TRUE);
    }
}

// ---------------------------------------------------------------------------------------------
// Lost capture

void Ostrelind_SoftLabelDesignView::OnCaptureChanged(CWnd* wnd)
{
    if (m_ownCaptureChange || (wnd != nullptr && wnd->m_hWnd == m_hWnd))
        return;
    CancelDrag();
}

void Ostrelind_SoftLabelDesignView::OnCancelMode()
{
    CancelDrag();
    Default();
}

bool Ostrelind_SoftLabelDesignView::IsDragUnderWay() const
{
    if (m_buttonDown)
        return true;
    if (m_mouseState == kCreating)
        return m_creatingObject != nullptr;
    return m_mouseState != kIdle;
}

void Ostrelind_SoftLabelDesignView::CancelDrag()
{
    KillTimer(kDragTimer);
    CGraphCollection* objects = AreaObjects();
    if (m_hWnd != nullptr) {
        CClientDC dc(m_hWnd);
        PrepareDC(dc);
        switch (m_mouseState) {
        case kRubberBand:
            if (m_rubberBand != nullptr)
                m_rubberBand->Erase(&dc);
            delete m_rubberBand;
            m_rubberBand = nullptr;
            m_mouseState = kIdle;
            break;
        case kMoving:
        case kResizing:
            if (objects != nullptr)
                objects->EndTrackingSelected(&dc);
            m_mouseState = kIdle;
            break;
        case kCreating:
            // An armed tool that has not been pressed yet keeps waiting; a creation under way goes.
            if (m_creatingObject != nullptr) {
                DiscardCreatingObject(&dc);
                m_mouseState = kIdle;
            }
            break;
        case kNudging:
            EndKeyboardNudge();
            break;
        default:
            break;
        }
    }
    m_buttonDown = 0;
    AfxClipCursor(nullptr);
    DropCapture();
}

// ---------------------------------------------------------------------------------------------
// Keys

void Ostrelind_SoftLabelDesignView::OnKeyDown(UINT key, UINT, UINT)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr)
        return;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (m_mouseState == kIdle && objects->HasSelection() && doc->IsTemplateEditable()) {
            // One undo step for the whole run of arrow keys.
            doc->GetCurrentTemplate()->PushUndo(m_area, true);
            doc->SetModifiedFlag(TRUE);
            CClientDC dc(m_hWnd);
            PrepareDC(dc);
            TakeCapture();
            m_nudgePoint = CPoint(100, 100);
            m_dragStart = CPoint(100, 100);
            objects->BeginMoveSelected(&dc, m_zoom, 100, 100);
            m_mouseState = kNudging;
            Nudge(key);
        } else if (m_mouseState == kNudging) {
            Nudge(key);
        }
        break;
    case VK_RETURN:
        if (m_mouseState == kNudging)
            EndKeyboardNudge();
        break;
    case VK_DELETE:
        SendMessage(WM_COMMAND, ID_EDIT_DELETE);
        break;
    case VK_ESCAPE:
        OnCancelInPlaceEdit();
        break;
    default:
        break;
    }
}

void Ostrelind_SoftLabelDesignView::Nudge(UINT key)
{
    CGraphCollection* objects = AreaObjects();
    if (objects == nullptr)
        return;
    const int step = IsMarkerKeyDown(VK_SHIFT) ? 10 : 1;
    switch (key) {
    case VK_LEFT: m_nudgePoint.x -= step; break;
    case VK_UP: m_nudgePoint.y -= step; break;
    case VK_RIGHT: m_nudgePoint.x += step; break;
    case VK_DOWN: m_nudgePoint.y += step; break;
    default: return;
    }
    CClientDC dc(m_hWnd);
    PrepareDC(dc);
    objects->TrackMoveSelected(&dc, m_zoom, m_nudgePoint.x, m_nudgePoint.y);
}

void Ostrelind_SoftLabelDesignView::EndKeyboardNudge()
{
    if (m_mouseState != kNudging)
        return;
    m_mouseState = kIdle;
    DropCapture();
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr)
        return;
    CClientDC dc(m_hWnd);
    PrepareDC(dc);
    // The snapshot was taken at the first arrow key: the end takes no second one.
    objects->EndMoveSelected(&dc, m_zoom, m_nudgePoint.x, m_nudgePoint.y);
    doc->SetModifiedFlag(TRUE);
    doc->InvalidateDesignViews();
    doc->InvalidateLabelPreviews();
    UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnChar(UINT ch, UINT, UINT)
{
    if (ch != 'd')
        return;
    CTemplate* tmpl = CurrentTemplate();
    if (tmpl != nullptr && tmpl->GetLabelStock() != nullptr)
        tmpl->GetLabelStock()->ShowDevModeInfo();
}

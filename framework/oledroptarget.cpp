// COleDropTarget: IDropTarget over the virtual handlers of a derived class.
#include "framework/oledroptarget.h"
#include "framework/guard.h"
#include "framework/wnd.h"

COleDropTarget::~COleDropTarget()
{
    Revoke();
    LetGoOfData();
}

BOOL COleDropTarget::Register(CWnd* wnd)
{
    if (wnd == nullptr || wnd->m_hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    if (FAILED(::RegisterDragDrop(wnd->m_hWnd, this)))
        return FALSE;
    m_hWnd = wnd->m_hWnd;
    m_pWnd = wnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == nullptr)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    m_pWnd = nullptr;
}

DWORD COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DWORD COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DWORD, CPoint) { return FALSE; }
DWORD COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

CPoint COleDropTarget::ClientPoint(POINTL point) const
{
    POINT p = { point.x, point.y };
    if (m_hWnd != nullptr)
        ::ScreenToClient(m_hWnd, &p);
    return CPoint(p.x, p.y);
}

DWORD COleDropTarget::WithinAllowed(DWORD answer, DWORD allowed)
{
    const DWORD scroll = answer & DROPEFFECT_SCROLL;
    DWORD effect = answer & allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    // A move the source does not allow falls back to the copy it does.
    if (effect == 0 && (answer & DROPEFFECT_MOVE) && (allowed & DROPEFFECT_COPY))
        effect = DROPEFFECT_COPY;
    return effect == 0 ? DROPEFFECT_NONE : effect | scroll;
}

void COleDropTarget::HoldData(IDataObject* data)
{
    data->AddRef();
    LetGoOfData();
    m_dragData = data;
    m_dataObject.Attach(data, FALSE);
}

void COleDropTarget::LetGoOfData()
{
    m_dataObject.Release();
    if (m_dragData != nullptr)
        m_dragData->Release();
    m_dragData = nullptr;
}

DWORD COleDropTarget::Answer(DWORD keyState, CPoint point, DWORD allowed)
{
    DWORD answer = OnDragScroll(m_pWnd, keyState, point);
    if ((answer & DROPEFFECT_SCROLL) == 0)
        answer = OnDragOver(m_pWnd, &m_dataObject, keyState, point);
    return WithinAllowed(answer, allowed);
}

STDMETHODIMP COleDropTarget::QueryInterface(REFIID iid, void** out)
{
    return GuardedCall([&]() -> HRESULT {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }, E_UNEXPECTED);
}

STDMETHODIMP_(ULONG) COleDropTarget::AddRef()
{
    return GuardedCall([&]() -> ULONG { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }, 0);
}

STDMETHODIMP_(ULONG) COleDropTarget::Release()
{
    // A member of its window's object: the last release deletes nothing.
    return GuardedCall([&]() -> ULONG { return static_cast<ULONG>(::InterlockedDecrement(&m_refs)); }, 0);
}

STDMETHODIMP COleDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    return GuardedCall([&]() -> HRESULT {
        if (effect == nullptr)
            return E_INVALIDARG;
        const DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        LetGoOfData();
        if (data == nullptr || m_hWnd == nullptr)
            return S_OK;
        HoldData(data);
        const CPoint p = ClientPoint(point);
        DWORD answer = OnDragEnter(m_pWnd, &m_dataObject, keyState, p);
        *effect = WithinAllowed(answer, allowed);
        return S_OK;
    }, E_UNEXPECTED);
}

STDMETHODIMP COleDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    return GuardedCall([&]() -> HRESULT {
        if (effect == nullptr)
            return E_INVALIDARG;
        const DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        if (m_dragData == nullptr)
            return S_OK;
        *effect = Answer(keyState, ClientPoint(point), allowed);
        return S_OK;
    }, E_UNEXPECTED);
}

STDMETHODIMP COleDropTarget::DragLeave()
{
    return GuardedCall([&]() -> HRESULT {
        if (m_dragData != nullptr)
            OnDragLeave(m_pWnd);
        LetGoOfData();
        return S_OK;
    }, E_UNEXPECTED);
}

STDMETHODIMP COleDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    return GuardedCall([&]() -> HRESULT {
        if (effect == nullptr)
            return E_INVALIDARG;
        const DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        // The drop's data object is the one to read (it is the drag's under OLE, but need not be).
        if (data != nullptr && data != m_dragData)
            HoldData(data);
        if (m_dragData != nullptr) {
            const CPoint p = ClientPoint(point);
            DWORD chosen = Answer(keyState, p, allowed) & ~DROPEFFECT_SCROLL;
            if (chosen == DROPEFFECT_NONE)
                OnDragLeave(m_pWnd);
            else if (OnDrop(m_pWnd, &m_dataObject, chosen, p))
                *effect = chosen;
        }
        LetGoOfData();
        return S_OK;
    }, E_UNEXPECTED);
}

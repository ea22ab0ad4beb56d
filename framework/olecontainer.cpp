#include "framework/olecontainer.h"

#include "framework/guard.h"
#include "framework/msgbox.h"
#include "framework/view.h"

#include <oledlg.h>
#include <algorithm>

// ==== the document's items ======================================================================

COleDocument::COleDocument() = default;

COleDocument::~COleDocument()
{
    ReleaseItems();
}

void COleDocument::AddItem(COleClientItem* item)
{
    if (item != nullptr && std::find(m_items.begin(), m_items.end(), item) == m_items.end())
        m_items.push_back(item);
}

void COleDocument::RemoveItem(COleClientItem* item)
{
    m_items.erase(std::remove(m_items.begin(), m_items.end(), item), m_items.end());
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* view) const
{
    for (COleClientItem* item : m_items)
        if (item->IsInPlaceActive() && (view == nullptr || item->GetActiveView() == view))
            return item;
    return nullptr;
}

void COleDocument::ReleaseItems()
{
    // Objects first, while OLE is still up and the views still exist; then the C++ objects.
    std::vector<COleClientItem*> items;
    items.swap(m_items);
    for (COleClientItem* item : items)
        item->Release();
    for (COleClientItem* item : items)
        delete item;
}

void COleDocument::OnChangedViewList()
{
    for (COleClientItem* item : m_items) {
        CView* view = item->GetActiveView();
        if (view != nullptr && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
            item->DetachView();
    }
    CDocument::OnChangedViewList();
}

void COleDocument::OnCloseDocument()
{
    ReleaseItems();
    CDocument::OnCloseDocument();
}

// ==== the site: everything the object calls back ================================================

class COleClientItem::Site : public IOleClientSite, public IAdviseSink, public IOleInPlaceSite,
                             public IOleInPlaceFrame {
public:
    explicit Site(COleClientItem* item) : m_item(item) {}
    COleClientItem* m_item;            // null once the item let go
    LONG m_refs = 1;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IAdviseSink)
            *out = static_cast<IAdviseSink*>(this);
        else if (iid == IID_IOleInPlaceSite || iid == IID_IOleWindow)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow)
            *out = static_cast<IOleInPlaceFrame*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG left = ::InterlockedDecrement(&m_refs);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override
    {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** out) override
    {
        if (out)
            *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL show) override
    {
        return GuardedCall([&]() -> HRESULT {
            if (m_item && !m_item->IsInPlaceActive()) {
                m_item->m_nItemState = show ? openState : loadedState;
                m_item->OnChange(OLE_CHANGED_STATE, m_item->m_nItemState);
            }
            return S_OK;
        }, E_UNEXPECTED);
    }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IAdviseSink
    STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override { Tell(OLE_CHANGED, DVASPECT_CONTENT); }
    STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG) override { Tell(OLE_CHANGED, aspect); }
    STDMETHODIMP_(void) OnRename(IMoniker*) override { Tell(OLE_RENAMED, 0); }
    STDMETHODIMP_(void) OnSave() override { Tell(OLE_SAVED, 0); }
    STDMETHODIMP_(void) OnClose() override { Tell(OLE_CLOSED, 0); }

    // IOleWindow (both the site's and the frame's)
    STDMETHODIMP GetWindow(HWND* out) override
    {
        if (out == nullptr)
            return E_POINTER;
        *out = m_item ? m_item->m_hWndView : nullptr;
        return *out ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return m_item && m_item->m_hWndView ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return ToItem([](COleClientItem* item) { item->OnActivate(); }); }
    STDMETHODIMP OnUIActivate() override { return ToItem([](COleClientItem* item) { item->OnActivateUI(); }); }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override
    {
        return GuardedCall([&]() -> HRESULT {
            if (frame == nullptr || doc == nullptr || pos == nullptr || clip == nullptr || info == nullptr)
                return E_POINTER;
            *frame = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            *doc = nullptr;            // the frame serves as the document window too
            CRect place;
            if (m_item)
                m_item->OnGetItemPosition(place);
            *pos = place;
            ::SetRectEmpty(clip);
            if (m_item && m_item->m_hWndView)
                ::GetClientRect(m_item->m_hWndView, clip);
            info->fMDIApp = FALSE;
            info->hwndFrame = m_item && m_item->m_hWndView ? ::GetAncestor(m_item->m_hWndView, GA_ROOT) : nullptr;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
            return S_OK;
        }, E_UNEXPECTED);
    }
    STDMETHODIMP Scroll(SIZE) override { return S_OK; }
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override
    {
        return ToItem([&](COleClientItem* item) { item->OnDeactivateUI(undoable); });
    }
    STDMETHODIMP OnInPlaceDeactivate() override { return ToItem([](COleClientItem* item) { item->OnDeactivate(); }); }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return ToItem([](COleClientItem* item) { item->DeactivateUI(); }); }
    STDMETHODIMP OnPosRectChange(LPCRECT rect) override
    {
        return GuardedCall([&]() -> HRESULT {
            if (m_item && rect)
                return m_item->OnChangeItemPosition(CRect(*rect)) ? S_OK : E_FAIL;
            return E_FAIL;
        }, E_UNEXPECTED);
    }

    // IOleInPlaceUIWindow / IOleInPlaceFrame: no tool space and no shared menus to offer.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override
    {
        return widths == nullptr ? S_OK : INPLACE_E_NOTOOLSPACE;
    }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override
    {
        return GuardedCall([&]() -> HRESULT {
            if (m_item) {
                if (active)
                    active->AddRef();
                if (m_item->m_lpActiveObject)
                    m_item->m_lpActiveObject->Release();
                m_item->m_lpActiveObject = active;
            }
            return S_OK;
        }, E_UNEXPECTED);
    }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) override
    {
        if (widths)
            for (LONG& w : widths->width)
                w = 0;
        return S_OK;
    }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    // Passes a call on to the item while there is one; the object hears S_OK either way.
    template <class F> HRESULT ToItem(F call)
    {
        return GuardedCall([&]() -> HRESULT {
            if (m_item)
                call(m_item);
            return S_OK;
        }, E_UNEXPECTED);
    }
    void Tell(Notification code, DWORD param)
    {
        ToItem([&](COleClientItem* item) { item->OnChange(code, param); });
    }
};

// ==== the item ==================================================================================

COleClientItem::COleClientItem(COleDocument* doc) : m_pDocument(doc)
{
    if (doc != nullptr)
        doc->AddItem(this);
}

COleClientItem::~COleClientItem()
{
    Release();
    if (m_pDocument != nullptr)
        m_pDocument->RemoveItem(this);
}

BOOL COleClientItem::CreateNewItem(REFCLSID clsid)
{
    Release();
    m_pSite = new Site(this);
    m_scLast = ::CreateILockBytesOnHGlobal(nullptr, TRUE, &m_lpLockBytes);
    if (SUCCEEDED(m_scLast))
        m_scLast = ::StgCreateDocfileOnILockBytes(m_lpLockBytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE,
                                                  0, &m_lpStorage);
    if (SUCCEEDED(m_scLast))
        m_scLast = ::OleCreate(clsid, IID_IOleObject, OLERENDER_DRAW, nullptr,
                               static_cast<IOleClientSite*>(m_pSite), m_lpStorage,
                               reinterpret_cast<void**>(&m_lpObject));
    if (FAILED(m_scLast) || m_lpObject == nullptr) {
        const HRESULT failure = FAILED(m_scLast) ? m_scLast : E_FAIL;
        Release();
        m_scLast = failure;
        return FALSE;
    }
    m_nItemState = loadedState;
    m_lpObject->Advise(static_cast<IAdviseSink*>(m_pSite), &m_dwConnection);
    IViewObject* view = nullptr;
    if (SUCCEEDED(m_lpObject->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view))) && view) {
        view->SetAdvise(m_nDrawAspect, 0, static_cast<IAdviseSink*>(m_pSite));
        view->Release();
    }
    // The server names its window after the program that holds the object.
    wchar_t host[256] = {};
    ::MultiByteToWideChar(CP_ACP, 0, AfxGetAppName(), -1, host, 255);
    m_lpObject->SetHostNames(host, host);
    ::OleSetContainedObject(m_lpObject, TRUE);
    return TRUE;
}

BOOL COleClientItem::DoVerb(LONG verb, CView* view)
{
    if (m_lpObject == nullptr)
        return FALSE;
    if (view != nullptr) {
        m_pView = view;
        m_hWndView = view->m_hWnd;
    }
    CRect place;
    OnGetItemPosition(place);
    m_scLast = m_lpObject->DoVerb(verb, nullptr, static_cast<IOleClientSite*>(m_pSite), 0, m_hWndView, &place);
    return SUCCEEDED(m_scLast);
}

void COleClientItem::Close(DWORD option)
{
    if (m_lpObject == nullptr)
        return;
    if (IsInPlaceActive())
        Deactivate();
    m_lpObject->Close(option);
    if (m_nItemState != emptyState)
        m_nItemState = loadedState;
}

void COleClientItem::Release(DWORD option)
{
    if (m_lpObject != nullptr) {
        if (IsInPlaceActive())
            Deactivate();
        if (m_dwConnection != 0)
            m_lpObject->Unadvise(m_dwConnection);
        m_dwConnection = 0;
        IViewObject* view = nullptr;
        if (SUCCEEDED(m_lpObject->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view))) && view) {
            view->SetAdvise(m_nDrawAspect, 0, nullptr);
            view->Release();
        }
        m_lpObject->Close(option);
        m_lpObject->SetClientSite(nullptr);
        m_lpObject->Release();
        m_lpObject = nullptr;
    }
    if (m_lpInPlaceObject) {
        m_lpInPlaceObject->Release();
        m_lpInPlaceObject = nullptr;
    }
    if (m_lpActiveObject) {
        m_lpActiveObject->Release();
        m_lpActiveObject = nullptr;
    }
    if (m_lpStorage) {
        m_lpStorage->Release();
        m_lpStorage = nullptr;
    }
    if (m_lpLockBytes) {
        m_lpLockBytes->Release();
        m_lpLockBytes = nullptr;
    }
    ReleaseSite();
    m_nItemState = emptyState;
}

void COleClientItem::ReleaseSite()
{
    if (m_pSite != nullptr) {
        m_pSite->m_item = nullptr;     // the object may still hold it; it then talks to nobody
        m_pSite->Release();
        m_pSite = nullptr;
    }
}

BOOL COleClientItem::GetExtent(LPSIZE size, DVASPECT aspect)
{
    if (m_lpObject == nullptr || size == nullptr)
        return FALSE;
    SIZEL extent = {0, 0};
    if (FAILED(m_lpObject->GetExtent(aspect, &extent)) || (extent.cx == 0 && extent.cy == 0))
        return FALSE;
    size->cx = extent.cx;
    size->cy = extent.cy;
    return TRUE;
}

DWORD COleClientItem::GetMiscStatus() const
{
    DWORD status = 0;
    if (m_lpObject == nullptr || FAILED(m_lpObject->GetMiscStatus(m_nDrawAspect, &status)))
        return 0;
    return status;
}

void COleClientItem::Deactivate()
{
    if (m_lpInPlaceObject != nullptr) {
        IOleInPlaceObject* object = m_lpInPlaceObject;
        object->AddRef();
        object->InPlaceDeactivate();
        object->Release();
    }
    if (IsInPlaceActive())
        OnDeactivate();
}

void COleClientItem::DetachView()
{
    if (IsInPlaceActive())
        Deactivate();
    m_pView = nullptr;
    m_hWndView = nullptr;
}

void COleClientItem::DeactivateUI()
{
    if (m_nItemState == activeUIState && m_lpInPlaceObject != nullptr)
        m_lpInPlaceObject->UIDeactivate();
}

void COleClientItem::OnChange(Notification, DWORD) {}

BOOL COleClientItem::OnChangeItemPosition(const CRect& position)
{
    if (m_lpInPlaceObject == nullptr)
        return FALSE;
    RECT clip = position;
    if (m_hWndView)
        ::GetClientRect(m_hWndView, &clip);
    return SUCCEEDED(m_lpInPlaceObject->SetObjectRects(&position, &clip));
}

void COleClientItem::OnGetItemPosition(CRect& position)
{
    position.SetRectEmpty();
}

void COleClientItem::OnActivate()
{
    if (m_lpInPlaceObject == nullptr && m_lpObject != nullptr)
        m_lpObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_lpInPlaceObject));
    m_nItemState = activeState;
}

void COleClientItem::OnActivateUI()
{
    m_nItemState = activeUIState;
}

void COleClientItem::OnDeactivateUI(BOOL)
{
    if (m_nItemState == activeUIState)
        m_nItemState = activeState;
}

void COleClientItem::OnDeactivate()
{
    if (m_lpInPlaceObject != nullptr) {
        m_lpInPlaceObject->Release();
        m_lpInPlaceObject = nullptr;
    }
    if (m_lpActiveObject != nullptr) {
        m_lpActiveObject->Release();
        m_lpActiveObject = nullptr;
    }
    m_nItemState = m_lpObject != nullptr ? loadedState : emptyState;
}

// ==== the insert dialog =========================================================================

namespace {
COleInsertDialog::Answer& TestAnswer()
{
    static COleInsertDialog::Answer answer;
    return answer;
}
} // namespace

COleInsertDialog::Answer COleInsertDialog::SetTestAnswer(Answer answer)
{
    Answer previous = std::move(TestAnswer());
    TestAnswer() = std::move(answer);
    return previous;
}

std::vector<COleInsertDialog::InsertableClass> COleInsertDialog::ListInsertableClasses()
{
    std::vector<InsertableClass> classes;
    HKEY root = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, KEY_READ, &root) != ERROR_SUCCESS)
        return classes;
    char name[64];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(root, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY cls = nullptr;
        if (::RegOpenKeyExA(root, name, 0, KEY_READ, &cls) != ERROR_SUCCESS)
            continue;
        HKEY insertable = nullptr;
        if (::RegOpenKeyExA(cls, "Insertable", 0, KEY_READ, &insertable) == ERROR_SUCCESS) {
            ::RegCloseKey(insertable);
            WCHAR wide[64] = {};
            ::MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 64);
            InsertableClass entry = {};
            if (SUCCEEDED(::CLSIDFromString(wide, &entry.clsid))) {
                char text[256] = {};
                LONG size = sizeof text;
                if (::RegQueryValueA(cls, nullptr, text, &size) == ERROR_SUCCESS)
                    entry.name = text;
                classes.push_back(entry);
            }
        }
        ::RegCloseKey(cls);
    }
    ::RegCloseKey(root);
    return classes;
}

INT_PTR COleInsertDialog::DoModal(HWND owner)
{
    m_selection = createNewItem;
    m_clsid = CLSID_NULL;
    if (TestAnswer())
        return TestAnswer()(ListInsertableClasses(), &m_clsid) == IDOK ? IDOK : IDCANCEL;
    char file[MAX_PATH] = {};
    OLEUIINSERTOBJECTA io = {};
    io.cbStruct = sizeof io;
    io.dwFlags = IOF_SELECTCREATENEW | IOF_DISABLELINK | IOF_DISABLEDISPLAYASICON;
    io.hWndOwner = owner;
    io.lpszFile = file;
    io.cchFile = sizeof file;
    const UINT result = ::OleUIInsertObjectA(&io);
    if (result != OLEUI_OK)
        return IDCANCEL;
    m_clsid = io.clsid;
    m_selection = (io.dwFlags & IOF_SELECTCREATENEW) ? createNewItem : insertFromFile;
    return IDOK;
}

BOOL COleInsertDialog::CreateItem(COleClientItem* item)
{
    if (item == nullptr || m_selection != createNewItem)
        return FALSE;
    return item->CreateNewItem(m_clsid);
}

#pragma once
// A tiny embeddable object for the container tests, served from inside the test program
// (CoRegisterClassObject): it records the verbs, closes and its own release, reports the extent
// and miscellaneous status the test sets, and activates in place through the site as a real
// server does.
#include <ole2.h>
#include <string>
#include <vector>

struct TestOleRecord {
    std::vector<LONG> verbs;
    int closes = 0;
    int objects = 0;                   // created
    int released = 0;                  // gone
    SIZEL extent = {0, 0};             // 0 x 0: no extent
    DWORD misc = 0;
    IAdviseSink* sink = nullptr;       // of the last object (not owned)
    std::wstring hostApp;              // the container's name, as the object was told it
};

// {6B1C7A52-3E55-4C1E-9B8F-1D2A4C6E8F10}
static const CLSID CLSID_TestOleObject = {0x6b1c7a52, 0x3e55, 0x4c1e, {0x9b, 0x8f, 0x1d, 0x2a, 0x4c, 0x6e, 0x8f, 0x10}};

class TestOleObject : public IOleObject, public IViewObject2, public IPersistStorage, public IOleInPlaceObject,
                      public IOleInPlaceActiveObject, public IDataObject {
public:
    explicit TestOleObject(TestOleRecord* record) : m_record(record) { ++record->objects; }
    virtual ~TestOleObject()
    {
        if (m_site)
            m_site->Release();
        if (m_sink)
            m_sink->Release();
        ++m_record->released;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleObject)
            *out = static_cast<IOleObject*>(this);
        else if (iid == IID_IViewObject || iid == IID_IViewObject2)
            *out = static_cast<IViewObject2*>(this);
        else if (iid == IID_IPersistStorage || iid == IID_IPersist)
            *out = static_cast<IPersistStorage*>(this);
        else if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow)
            *out = static_cast<IOleInPlaceObject*>(this);
        else if (iid == IID_IOleInPlaceActiveObject)
            *out = static_cast<IOleInPlaceActiveObject*>(this);
        else if (iid == IID_IDataObject)
            *out = static_cast<IDataObject*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override
    {
        if (site)
            site->AddRef();
        if (m_site)
            m_site->Release();
        m_site = site;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** out) override
    {
        *out = m_site;
        if (m_site)
            m_site->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR) override
    {
        m_record->hostApp = app ? app : L"";
        return S_OK;
    }
    STDMETHODIMP Close(DWORD) override
    {
        ++m_record->closes;
        InPlaceDeactivate();
        if (m_sink)
            m_sink->OnClose();
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) override
    {
        m_record->verbs.push_back(verb);
        if (verb == OLEIVERB_SHOW || verb == OLEIVERB_PRIMARY || verb == OLEIVERB_INPLACEACTIVATE ||
            verb == OLEIVERB_UIACTIVATE)
            return ActivateInPlace(site ? site : m_site);
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return OLEOBJ_E_NOVERBS; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override
    {
        *clsid = CLSID_TestOleObject;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    STDMETHODIMP SetExtent(DWORD, SIZEL* size) override
    {
        m_record->extent = *size;
        return S_OK;
    }
    STDMETHODIMP GetExtent(DWORD, SIZEL* size) override
    {
        if (m_record->extent.cx == 0 && m_record->extent.cy == 0)
            return OLE_E_BLANK;
        *size = m_record->extent;
        return S_OK;
    }
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override
    {
        sink->AddRef();
        if (m_sink)
            m_sink->Release();
        m_sink = sink;
        m_record->sink = sink;
        *connection = 1;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD) override
    {
        if (m_sink) {
            m_sink->Release();
            m_sink = nullptr;
            m_record->sink = nullptr;
        }
        return S_OK;
    }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override
    {
        *status = m_record->misc;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IViewObject2
    STDMETHODIMP Draw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECTL, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                      ULONG_PTR) override { return S_OK; }
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return S_FALSE; }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD, DWORD, IAdviseSink*) override { return S_OK; }
    STDMETHODIMP GetAdvise(DWORD*, DWORD*, IAdviseSink**) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override
    {
        return GetExtent(aspect, size);
    }

    // IPersistStorage
    STDMETHODIMP GetClassID(CLSID* clsid) override
    {
        *clsid = CLSID_TestOleObject;
        return S_OK;
    }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP InitNew(IStorage*) override { return S_OK; }
    STDMETHODIMP Load(IStorage*) override { return S_OK; }
    STDMETHODIMP Save(IStorage*, BOOL) override { return S_OK; }
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* out) override
    {
        *out = nullptr;
        return E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        if (!m_inPlace)
            return S_OK;
        UIDeactivate();
        m_inPlace = false;
        IOleInPlaceSite* site = InPlaceSite();
        if (site) {
            site->OnInPlaceDeactivate();
            site->Release();
        }
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override
    {
        if (!m_uiActive)
            return S_OK;
        m_uiActive = false;
        IOleInPlaceSite* site = InPlaceSite();
        if (site) {
            site->OnUIDeactivate(FALSE);
            site->Release();
        }
        return S_OK;
    }
    STDMETHODIMP SetObjectRects(LPCRECT, LPCRECT) override { return S_OK; }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IDataObject: nothing to offer
    STDMETHODIMP GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    IOleInPlaceSite* InPlaceSite()
    {
        IOleInPlaceSite* site = nullptr;
        if (m_site)
            m_site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site));
        return site;
    }
    HRESULT ActivateInPlace(IOleClientSite* client)
    {
        if (client == nullptr)
            return S_OK;
        IOleInPlaceSite* site = nullptr;
        if (FAILED(client->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site))) || !site)
            return S_OK;
        if (m_inPlace) {
            // Already in place: only the user interface comes back.
            if (!m_uiActive) {
                site->OnUIActivate();
                m_uiActive = true;
            }
        } else if (site->CanInPlaceActivate() == S_OK) {
            site->OnInPlaceActivate();
            m_inPlace = true;
            IOleInPlaceFrame* frame = nullptr;
            IOleInPlaceUIWindow* doc = nullptr;
            RECT pos, clip;
            OLEINPLACEFRAMEINFO info = {sizeof info};
            if (SUCCEEDED(site->GetWindowContext(&frame, &doc, &pos, &clip, &info))) {
                m_pos = pos;
                site->OnUIActivate();
                m_uiActive = true;
                if (frame) {
                    frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"Test");
                    frame->SetBorderSpace(nullptr);
                    frame->Release();
                }
                if (doc)
                    doc->Release();
            }
        }
        site->Release();
        return S_OK;
    }

    TestOleRecord* m_record;
    ULONG m_refs = 1;
    IOleClientSite* m_site = nullptr;
    IAdviseSink* m_sink = nullptr;
    bool m_inPlace = false;
    bool m_uiActive = false;
    RECT m_pos = {};
};

class TestOleFactory : public IClassFactory {
public:
    explicit TestOleFactory(TestOleRecord* record) : m_record(record) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        TestOleObject* object = new TestOleObject(m_record);
        HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    TestOleRecord* m_record;
};

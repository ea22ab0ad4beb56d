// COleDataSource and COleDataObject over ole32.
#include "framework/oledata.h"
#include "framework/guard.h"
#include <shlobj.h>
#include <cstring>

namespace {

COleDataSource* g_clipboardSource = nullptr;

HGLOBAL CopyBlock(HGLOBAL block)
{
    SIZE_T size = ::GlobalSize(block);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size == 0 ? 1 : size);
    if (copy == nullptr)
        return nullptr;
    const void* from = ::GlobalLock(block);
    void* to = ::GlobalLock(copy);
    if (from == nullptr || to == nullptr) {
        if (from != nullptr)
            ::GlobalUnlock(block);
        if (to != nullptr)
            ::GlobalUnlock(copy);
        ::GlobalFree(copy);
        return nullptr;
    }
    std::memcpy(to, from, size);
    ::GlobalUnlock(copy);
    ::GlobalUnlock(block);
    return copy;
}

// The default drop source: Esc cancels, releasing the left button drops, the system cursors.
class CDefaultDropSource : public IDropSource {
public:
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override
    {
        return GuardedCall([&]() -> HRESULT {
            if (out == nullptr)
                return E_POINTER;
            if (iid == IID_IUnknown || iid == IID_IDropSource) {
                *out = static_cast<IDropSource*>(this);
                AddRef();
                return S_OK;
            }
            *out = nullptr;
            return E_NOINTERFACE;
        }, E_UNEXPECTED);
    }
    STDMETHOD_(ULONG, AddRef)() override
    {
        return GuardedCall([&]() -> ULONG { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }, 0);
    }
    STDMETHOD_(ULONG, Release)() override
    {
        return GuardedCall([&]() -> ULONG {
            LONG n = ::InterlockedDecrement(&m_refs);
            if (n == 0)
                delete this;
            return static_cast<ULONG>(n);
        }, 0);
    }
    STDMETHOD(QueryContinueDrag)(BOOL escape, DWORD keys) override
    {
        return GuardedCall([&]() -> HRESULT {
            if (escape)
                return DRAGDROP_S_CANCEL;
            if ((keys & MK_LBUTTON) == 0)
                return DRAGDROP_S_DROP;
            return S_OK;
        }, DRAGDROP_S_CANCEL);
    }
    STDMETHOD(GiveFeedback)(DWORD) override
    {
        return GuardedCall([]() -> HRESULT { return DRAGDROP_S_USEDEFAULTCURSORS; }, DRAGDROP_S_USEDEFAULTCURSORS);
    }

private:
    LONG m_refs = 1;
};

}  // namespace

// ---- COleDataSource

COleDataSource::COleDataSource() = default;

COleDataSource::~COleDataSource()
{
    if (g_clipboardSource == this)
        g_clipboardSource = nullptr;
    Empty();
}

void COleDataSource::Empty()
{
    for (Entry& e : m_entries)
        ::GlobalFree(e.block);
    m_entries.clear();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL block, const FORMATETC* etc)
{
    if (block == nullptr)
        return;
    FORMATETC f = { format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    if (etc != nullptr) {
        f = *etc;
        f.cfFormat = format;
        f.ptd = nullptr;
        f.tymed = TYMED_HGLOBAL;
    }
    for (Entry& e : m_entries) {
        if (e.etc.cfFormat == format && e.etc.dwAspect == f.dwAspect) {
            if (e.block != block)
                ::GlobalFree(e.block);
            e.block = block;
            e.etc = f;
            return;
        }
    }
    m_entries.push_back({ f, block });
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC* etc, HRESULT* why) const
{
    *why = DV_E_FORMATETC;
    if (etc == nullptr)
        return nullptr;
    for (const Entry& e : m_entries) {
        if (e.etc.cfFormat != etc->cfFormat)
            continue;
        if ((etc->dwAspect & e.etc.dwAspect) == 0) {
            *why = DV_E_DVASPECT;
            continue;
        }
        if ((etc->tymed & TYMED_HGLOBAL) == 0) {
            *why = DV_E_TYMED;
            continue;
        }
        if (etc->lindex != -1 && etc->lindex != e.etc.lindex) {
            *why = DV_E_LINDEX;
            continue;
        }
        *why = S_OK;
        return &e;
    }
    return nullptr;
}

STDMETHODIMP COleDataSource::QueryInterface(REFIID iid, void** out)
{
    return GuardedCall([&]() -> HRESULT {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }, E_UNEXPECTED);
}

STDMETHODIMP_(ULONG) COleDataSource::AddRef()
{
    return GuardedCall([&]() -> ULONG { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }, 0);
}

STDMETHODIMP_(ULONG) COleDataSource::Release()
{
    return GuardedCall([&]() -> ULONG {
        LONG n = ::InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }, 0);
}

STDMETHODIMP COleDataSource::GetData(FORMATETC* etc, STGMEDIUM* medium)
{
    return GuardedCall([&]() -> HRESULT {
        if (etc == nullptr || medium == nullptr)
            return E_INVALIDARG;
        std::memset(medium, 0, sizeof *medium);
        HRESULT why;
        const Entry* e = Find(etc, &why);
        if (e == nullptr)
            return why;
        // The receiver owns what it gets: a copy, with nobody else to release it.
        HGLOBAL copy = CopyBlock(e->block);
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }, E_UNEXPECTED);
}

STDMETHODIMP COleDataSource::GetDataHere(FORMATETC* etc, STGMEDIUM* medium)
{
    return GuardedCall([&]() -> HRESULT {
        if (etc == nullptr || medium == nullptr)
            return E_INVALIDARG;
        HRESULT why;
        const Entry* e = Find(etc, &why);
        if (e == nullptr)
            return why;
        if (medium->tymed != TYMED_HGLOBAL || medium->hGlobal == nullptr)
            return DV_E_TYMED;
        SIZE_T size = ::GlobalSize(e->block);
        if (::GlobalSize(medium->hGlobal) < size)
            return STG_E_MEDIUMFULL;
        const void* from = ::GlobalLock(e->block);
        void* to = ::GlobalLock(medium->hGlobal);
        if (from != nullptr && to != nullptr)
            std::memcpy(to, from, size);
        if (from != nullptr)
            ::GlobalUnlock(e->block);
        if (to != nullptr)
            ::GlobalUnlock(medium->hGlobal);
        return from != nullptr && to != nullptr ? S_OK : E_OUTOFMEMORY;
    }, E_UNEXPECTED);
}

STDMETHODIMP COleDataSource::QueryGetData(FORMATETC* etc)
{
    return GuardedCall([&]() -> HRESULT {
        HRESULT why;
        return Find(etc, &why) != nullptr ? S_OK : why;
    }, E_UNEXPECTED);
}

STDMETHODIMP COleDataSource::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out)
{
    return GuardedCall([&]() -> HRESULT {
        if (out == nullptr)
            return E_INVALIDARG;
        if (in != nullptr)
            *out = *in;
        out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }, E_UNEXPECTED);
}

STDMETHODIMP COleDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return GuardedCall([]() -> HRESULT { return E_NOTIMPL; }, E_UNEXPECTED);
}

STDMETHODIMP COleDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out)
{
    return GuardedCall([&]() -> HRESULT {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> list;
        for (const Entry& e : m_entries)
            list.push_back(e.etc);
        return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.empty() ? nullptr : list.data(), out);
    }, E_UNEXPECTED);
}

STDMETHODIMP COleDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return GuardedCall([]() -> HRESULT { return OLE_E_ADVISENOTSUPPORTED; }, E_UNEXPECTED);
}

STDMETHODIMP COleDataSource::DUnadvise(DWORD)
{
    return GuardedCall([]() -> HRESULT { return OLE_E_ADVISENOTSUPPORTED; }, E_UNEXPECTED);
}

STDMETHODIMP COleDataSource::EnumDAdvise(IEnumSTATDATA** out)
{
    return GuardedCall([&]() -> HRESULT {
        if (out != nullptr)
            *out = nullptr;
        return OLE_E_ADVISENOTSUPPORTED;
    }, E_UNEXPECTED);
}

bool COleDataSource::SetClipboard()
{
    if (FAILED(::OleSetClipboard(this)))
        return false;
    g_clipboardSource = this;
    return true;
}

DWORD COleDataSource::DoDragDrop(DWORD allowedEffects, IDropSource* source)
{
    IDropSource* dropSource = source;
    CDefaultDropSource* own = nullptr;
    if (dropSource == nullptr) {
        own = new CDefaultDropSource;
        dropSource = own;
    }
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(this, dropSource, allowedEffects, &effect);
    if (own != nullptr)
        own->Release();
    if (hr != DRAGDROP_S_DROP)
        effect = DROPEFFECT_NONE;
    return effect;
}

COleDataSource* COleDataSource::GetClipboardOwner()
{
    if (g_clipboardSource != nullptr && ::OleIsCurrentClipboard(g_clipboardSource) == S_OK)
        return g_clipboardSource;
    return nullptr;
}

void COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner() != nullptr)
        ::OleFlushClipboard();
}

// ---- COleDataObject

void COleDataObject::Attach(IDataObject* data, BOOL autoRelease)
{
    Release();
    m_data = data;
    m_autoRelease = autoRelease;
}

IDataObject* COleDataObject::Detach()
{
    IDataObject* data = m_data;
    m_data = nullptr;
    m_autoRelease = FALSE;
    return data;
}

BOOL COleDataObject::AttachClipboard()
{
    IDataObject* data = nullptr;
    if (FAILED(::OleGetClipboard(&data)) || data == nullptr)
        return FALSE;
    Attach(data, TRUE);
    return TRUE;
}

void COleDataObject::Release()
{
    if (m_data != nullptr && m_autoRelease)
        m_data->Release();
    m_data = nullptr;
    m_autoRelease = FALSE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format) const
{
    if (m_data == nullptr)
        return FALSE;
    FORMATETC etc = { format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    return m_data->QueryGetData(&etc) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format) const
{
    if (m_data == nullptr)
        return nullptr;
    FORMATETC etc = { format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    STGMEDIUM medium = {};
    if (FAILED(m_data->GetData(&etc, &medium)))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr) {
        ::ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (medium.pUnkForRelease == nullptr)
        return medium.hGlobal;
    // Someone else frees this block: the caller gets a copy it can free itself.
    HGLOBAL copy = CopyBlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return copy;
}
